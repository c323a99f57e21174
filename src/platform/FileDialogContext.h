#pragma once

#include <QStandardPaths>
#include <QString>

class QWindow;

// What every open-file dialog of the program shares, whoever draws it.
namespace FileDialogContext {

// The window a dialog belongs to: the newest modal window (a sheet), else the focused one. Without an
// owner the window manager may stack the dialog behind a sheet that is kept above its main window.
QWindow *ownerWindow();

// The user's folder of that kind (pictures, music, videos) when there is one, else the home folder.
QString startDirectory(QStandardPaths::StandardLocation location);

} // namespace FileDialogContext
