#pragma once

#include "core/AppLanguage.h"
#include "core/RawValueEnum.h"
#include "core/WindowSystem.h"

enum class WorkTrackingState { permissionRequired, waitingForActivity, tracking, idlePaused, manuallyPaused };

template<> struct RawValues<WorkTrackingState>
{
    static constexpr std::array texts { "permissionRequired", "waitingForActivity", "tracking", "idlePaused",
        "manuallyPaused" };
};

QString title(WorkTrackingState state, AppLanguage language);
// Without input access a Wayland session has no activity source at all, whatever X11 would need.
QString title(WorkTrackingState state, AppLanguage language, WindowSystem windowSystem);
