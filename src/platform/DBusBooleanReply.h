#pragma once

#include <QDBusMessage>
#include <optional>

// The boolean a D-Bus reply carries, however many variants wrap it (a property's value comes in one, some
// services add another); none when the call failed or the answer is no boolean.
std::optional<bool> dbusBooleanReply(const QDBusMessage &reply);
