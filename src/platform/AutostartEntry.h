#pragma once

#include "core/Result.h"

#include <QByteArray>
#include <QString>

// The XDG autostart entry that starts the program when the user logs in, in
// $XDG_CONFIG_HOME/autostart (~/.config/autostart): hidden in the tray where the desktop has one, so the
// day's counting starts without a window in the way.
namespace AutostartEntry {

// The entry's file, named after the application id.
QString path();
// Whether the desktop would run it at login: the file is there and no one has switched it off with
// Hidden=true (as session settings dialogs do).
bool isEnabled();
// Writes the entry for the program at `program`; an error carries the system's reason.
Status write(const QString &program);
// Removes the entry; no entry is no error.
Status remove();
// The entry's text for the program at `program`.
QByteArray contents(const QString &program);

} // namespace AutostartEntry
