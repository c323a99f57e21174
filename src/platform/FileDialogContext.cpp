#include "platform/FileDialogContext.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSettings>
#include <QWindow>

namespace {

// The remembered folders, in the user's configuration folder: a preference of the desktop's dialogs, not
// data of the program.
QSettings rememberedFolders()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Quorvane"),
        QStringLiteral("file-dialogs"));
}

QString keyOf(QStandardPaths::StandardLocation location)
{
    switch (location) {
    case QStandardPaths::PicturesLocation:
        return QStringLiteral("pictures");
    case QStandardPaths::MusicLocation:
        return QStringLiteral("music");
    case QStandardPaths::MoviesLocation:
        return QStringLiteral("videos");
    default:
        return QStringLiteral("location%1").arg(int(location));
    }
}

} // namespace

namespace FileDialogContext {

QWindow *ownerWindow()
{
    if (QWindow *modal = QGuiApplication::modalWindow())
        return modal;
    return QGuiApplication::focusWindow();
}

QString startDirectory(QStandardPaths::StandardLocation location)
{
    const QString remembered = rememberedFolders().value(keyOf(location)).toString();
    if (!remembered.isEmpty() && QDir(remembered).exists())
        return remembered;
    const QString folder = QStandardPaths::writableLocation(location);
    return !folder.isEmpty() && QDir(folder).exists() ? folder : QDir::homePath();
}

void rememberChoice(QStandardPaths::StandardLocation location, const QStringList &chosen)
{
    if (!chosen.isEmpty())
        rememberedFolders().setValue(keyOf(location), QFileInfo(chosen.constFirst()).absolutePath());
}

} // namespace FileDialogContext
