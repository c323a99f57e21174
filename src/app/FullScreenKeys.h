#pragma once

#include <Qt>

// F11 toggles full screen, as in most Linux programs; Esc only leaves it, and only while nothing else
// wants Esc (an alert closes on it first). Either key with a modifier belongs to someone else: the
// break's emergency unlock is Ctrl+Alt+Super+Esc.
constexpr bool keyTogglesFullScreen(
    int key, Qt::KeyboardModifiers modifiers, bool isFullScreen, bool escapeIsTaken)
{
    if ((modifiers & ~Qt::KeyboardModifiers(Qt::KeypadModifier)) != Qt::NoModifier)
        return false;
    if (key == Qt::Key_F11)
        return true;
    return key == Qt::Key_Escape && isFullScreen && !escapeIsTaken;
}
