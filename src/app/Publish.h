#pragma once

// Assigns and announces a change of a published value; an unchanged value is not announced, so that
// bindings and screen readers hear only real changes.
template<typename Owner, typename T>
void publish(Owner &owner, T &field, const T &value, void (Owner::*changed)())
{
    if (field == value)
        return;
    field = value;
    emit(owner.*changed)();
}
