#pragma once

#include "core/AppLanguage.h"
#include "core/KeyboardGrabBackend.h"

#include <QString>

// The break's line about the keyboard, true to what the grab holds.
QString keyboardHoldText(KeyboardHold hold, AppLanguage language);
