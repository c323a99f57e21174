#include "ui/shell/FocusInterfaceState.h"

#include "core/SessionPhase.h"

namespace {

bool isFocus(const QString &phase)
{
    return fromRawValue<SessionPhase>(phase) == SessionPhase::focus;
}

} // namespace

template<typename Change> void FocusInterfaceState::changeAnnouncingEffect(Change change)
{
    const bool wasHidden = isEffectivelyHidden();
    change();
    if (isEffectivelyHidden() != wasHidden)
        emit isEffectivelyHiddenChanged();
}

void FocusInterfaceState::setPhase(const QString &phase)
{
    if (phase == m_phase)
        return;
    changeAnnouncingEffect([&] {
        m_phase = phase;
        emit phaseChanged();
        if (!isFocus(phase) && m_focusInterfaceIsHidden) {
            m_focusInterfaceIsHidden = false;
            emit focusInterfaceIsHiddenChanged();
        }
    });
}

void FocusInterfaceState::setFocusInterfaceIsHidden(bool hidden)
{
    if (hidden == m_focusInterfaceIsHidden)
        return;
    changeAnnouncingEffect([&] {
        m_focusInterfaceIsHidden = hidden;
        emit focusInterfaceIsHiddenChanged();
    });
}

bool FocusInterfaceState::isEffectivelyHidden() const
{
    return m_focusInterfaceIsHidden && isFocus(m_phase);
}
