#include "platform/FileDialogContext.h"

#include <QDir>
#include <QGuiApplication>
#include <QWindow>

namespace FileDialogContext {

QWindow *ownerWindow()
{
    if (QWindow *modal = QGuiApplication::modalWindow())
        return modal;
    return QGuiApplication::focusWindow();
}

QString startDirectory(QStandardPaths::StandardLocation location)
{
    const QString folder = QStandardPaths::writableLocation(location);
    return !folder.isEmpty() && QDir(folder).exists() ? folder : QDir::homePath();
}

} // namespace FileDialogContext
