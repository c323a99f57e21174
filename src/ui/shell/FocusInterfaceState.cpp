#include "ui/shell/FocusInterfaceState.h"

template<typename Change> void FocusInterfaceState::changeAnnouncingEffect(Change change)
{
    const bool wasHidden = isEffectivelyHidden();
    change();
    if (isEffectivelyHidden() != wasHidden)
        emit isEffectivelyHiddenChanged();
}

void FocusInterfaceState::setPhase(SessionPhase phase)
{
    if (phase == m_phase)
        return;
    changeAnnouncingEffect([&] {
        m_phase = phase;
        emit phaseChanged();
        if (phase != SessionPhase::Focus && m_focusInterfaceIsHidden) {
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
    return m_focusInterfaceIsHidden && m_phase == SessionPhase::Focus;
}
