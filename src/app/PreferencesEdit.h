#pragma once

#include <functional>

struct AppPreferences;

// Applies a changed settings record to everything that follows the settings, without writing it: how a
// concern changes a setting of its own (the volume, the background shown) without knowing who keeps them.
using PreferencesEdit = std::function<void(const AppPreferences &)>;
