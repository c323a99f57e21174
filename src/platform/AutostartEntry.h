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
// The program the entry starts at login, as its Exec line names it; empty when there is no entry or no
// program, or when someone has switched it off with Hidden=true (as session settings dialogs do).
QString startedProgram();
// Whether the entry starts the program at `program` at login. An entry another copy of the program wrote
// (a build in a source folder, a removed package) starts something else, and is not this program's.
bool isEnabled(const QString &program);
// Writes the entry for the program at `program`; an error carries the system's reason.
Status write(const QString &program);
// Removes the entry; no entry is no error.
Status remove();
// The entry's text for the program at `program`.
QByteArray contents(const QString &program);

} // namespace AutostartEntry
