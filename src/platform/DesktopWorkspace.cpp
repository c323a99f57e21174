#include "platform/DesktopWorkspace.h"

#include "core/CloseOnExec.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

namespace {

// Long enough for a file manager started by bus activation, short enough to fall back while the user waits.
constexpr int fileManagerTimeoutMilliseconds = 8000;

} // namespace

DesktopWorkspace::DesktopWorkspace(QDBusConnection bus, QObject *parent)
    : QObject(parent)
    , m_bus(std::move(bus))
{ }

bool DesktopWorkspace::openUrl(const QUrl &url)
{
    closeEveryDescriptorOnExec();
    return QDesktopServices::openUrl(url);
}

void DesktopWorkspace::revealFile(const QString &path, std::function<void(const QString &folder)> unshown)
{
    const QFileInfo file(path);
    // Without xdg-open (xdg-utils) the desktop has no opener for the folder either.
    auto openFolder = [this, folder = file.absolutePath(), unshown = std::move(unshown)] {
        if (!openUrl(QUrl::fromLocalFile(folder)) && unshown)
            unshown(folder);
    };
    if (!m_bus.isConnected()) {
        openFolder();
        return;
    }

    QDBusMessage message = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.FileManager1"),
        QStringLiteral("/org/freedesktop/FileManager1"), QStringLiteral("org.freedesktop.FileManager1"),
        QStringLiteral("ShowItems"));
    message << QStringList { QUrl::fromLocalFile(file.absoluteFilePath()).toString(QUrl::FullyEncoded) }
            << QString();
    auto *watcher
        = new QDBusPendingCallWatcher(m_bus.asyncCall(message, fileManagerTimeoutMilliseconds), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
        [openFolder = std::move(openFolder)](QDBusPendingCallWatcher *call) {
            call->deleteLater();
            if (call->isError())
                openFolder();
        });
}
