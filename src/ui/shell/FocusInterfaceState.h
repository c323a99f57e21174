#pragma once

#include "core/SessionPhase.h"

#include <QObject>
#include <QString>

// The root view's one piece of state: whether the user has hidden the focus interface. It takes effect
// only in the focus phase, and a change to any other phase clears it, so a hidden interface never
// outlives its round.
class FocusInterfaceState : public QObject
{
    Q_OBJECT
    Q_PROPERTY(SessionPhases::SessionPhase phase READ phase WRITE setPhase NOTIFY phaseChanged FINAL)
    Q_PROPERTY(bool focusInterfaceIsHidden READ focusInterfaceIsHidden WRITE setFocusInterfaceIsHidden NOTIFY
            focusInterfaceIsHiddenChanged FINAL)
    Q_PROPERTY(bool isEffectivelyHidden READ isEffectivelyHidden NOTIFY isEffectivelyHiddenChanged FINAL)

public:
    using QObject::QObject;

    SessionPhase phase() const { return m_phase; }
    void setPhase(SessionPhase phase);

    bool focusInterfaceIsHidden() const { return m_focusInterfaceIsHidden; }
    void setFocusInterfaceIsHidden(bool hidden);

    // Hidden for the views: the user hid the interface and the phase is focus.
    bool isEffectivelyHidden() const;

signals:
    void phaseChanged();
    void focusInterfaceIsHiddenChanged();
    void isEffectivelyHiddenChanged();

private:
    // Runs a change and announces the effective flag when the change moved it.
    template<typename Change> void changeAnnouncingEffect(Change change);

    SessionPhase m_phase = SessionPhase::Focus;
    bool m_focusInterfaceIsHidden = false;
};
