#pragma once

#include <QDBusConnection>
#include <QStringList>
#include <functional>
#include <optional>

class QObject;

// Whether the user asked the desktop for less motion. The XDG desktop portal's settings are asked
// first (GNOME's "enable-animations"); when no portal answers, a KDE animation speed factor of 0 in
// kdeglobals counts; when neither says anything, motion stays on.
namespace DesktopMotionPreference {

// Whether KDE's animations run, from the first of the kdeglobals files (most important first) that
// sets an animation speed factor; none when none does.
std::optional<bool> kdeAnimationsEnabled(const QStringList &kdeglobalsFiles);

// The user's kdeglobals files, most important first.
QStringList standardKdeglobalsFiles();

// Asks without waiting: at login the portal may still be starting, and nothing the program shows first
// needs the answer. `answer` is called once, on the thread of `context`, unless `context` is gone.
void askWhetherReduced(const QDBusConnection &bus, const QStringList &kdeglobalsFiles, QObject *context,
    std::function<void(bool reduced)> answer);

} // namespace DesktopMotionPreference
