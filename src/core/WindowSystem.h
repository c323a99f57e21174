#pragma once

// The window system the program's windows live in. Under Wayland a window may neither activate itself
// nor stay above others, and the texts that tell the user what the program does follow that.
enum class WindowSystem { x11, wayland };
