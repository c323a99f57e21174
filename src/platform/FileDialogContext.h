#pragma once

#include <QStandardPaths>
#include <QString>
#include <QStringList>

class QWindow;

// What every open-file dialog of the program shares, whoever draws it.
namespace FileDialogContext {

// The window a dialog belongs to: the newest modal window (a sheet), else the focused one. Without an
// owner the window manager may stack the dialog behind a sheet that is kept above its main window.
QWindow *ownerWindow();

// Where a dialog for files of that kind (pictures, music, videos) opens: the folder the user last chose
// such files from, kept across runs while it exists, else the user's folder of that kind when there is
// one, else the home folder.
QString startDirectory(QStandardPaths::StandardLocation location);

// Keeps the folder of the first chosen file as the next start for that kind; nothing when none was chosen.
void rememberChoice(QStandardPaths::StandardLocation location, const QStringList &chosen);

} // namespace FileDialogContext
