#pragma once

#include "AppLanguage.h"

enum class WorkTrackingState { permissionRequired, waitingForActivity, tracking, idlePaused, manuallyPaused };

QString title(WorkTrackingState state, AppLanguage language);
