#pragma once

#include "core/RawValueEnum.h"

#include <QObject>

// In a namespace of its own, so that the views compare the phase with the enumeration's keys
// (SessionPhase.Focus) rather than with texts; QML reads only keys that begin with a capital.
namespace SessionPhases {
Q_NAMESPACE
enum class SessionPhase { Focus, SessionComplete, Wheel, Activity };
Q_ENUM_NS(SessionPhase)
} // namespace SessionPhases

using SessionPhases::SessionPhase;

template<> struct RawValues<SessionPhase>
{
    static constexpr std::array texts { "focus", "sessionComplete", "wheel", "activity" };
};
