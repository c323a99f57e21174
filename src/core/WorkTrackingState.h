#pragma once

#include "core/AppLanguage.h"
#include "core/RawValueEnum.h"

enum class WorkTrackingState { permissionRequired, waitingForActivity, tracking, idlePaused, manuallyPaused };

template<> struct RawValues<WorkTrackingState>
{
    static constexpr std::array texts { "permissionRequired", "waitingForActivity", "tracking", "idlePaused",
        "manuallyPaused" };
};

QString title(WorkTrackingState state, AppLanguage language);
