#pragma once

#include "core/RawValueEnum.h"

enum class SessionPhase { focus, sessionComplete, wheel, activity };

template<>
struct RawValues<SessionPhase>
{
    static constexpr std::array texts { "focus", "sessionComplete", "wheel", "activity" };
};
