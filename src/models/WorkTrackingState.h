#pragma once

#include "AppLanguage.h"
#include "RawValueEnum.h"

enum class WorkTrackingState { permissionRequired, waitingForActivity, tracking, idlePaused, manuallyPaused };

template<> struct RawValues<WorkTrackingState>
{
    static constexpr std::array texts { "permissionRequired", "waitingForActivity", "tracking", "idlePaused",
        "manuallyPaused" };
};

QString title(WorkTrackingState state, AppLanguage language);
