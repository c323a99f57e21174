#pragma once

#include <QDBusConnection>
#include <QStringList>
#include <optional>

// Whether the user asked the desktop for less motion. The XDG desktop portal's settings are asked
// first (GNOME's "enable-animations"); when no portal answers, a KDE animation speed factor of 0 in
// kdeglobals counts; when neither says anything, motion stays on.
namespace DesktopMotionPreference {

// The portal's "enable-animations" on `bus`; none when no portal answers with a boolean.
std::optional<bool> portalAnimationsEnabled(const QDBusConnection &bus);

// Whether KDE's animations run, from the first of the kdeglobals files (most important first) that
// sets an animation speed factor; none when none does.
std::optional<bool> kdeAnimationsEnabled(const QStringList &kdeglobalsFiles);

// The user's kdeglobals files, most important first.
QStringList standardKdeglobalsFiles();

bool reducesMotion(const QDBusConnection &bus, const QStringList &kdeglobalsFiles);

} // namespace DesktopMotionPreference
