#pragma once

#include <QPalette>

// The one colour scheme of the application: light text on dark surfaces, for every control and menu.
QPalette darkPalette();
