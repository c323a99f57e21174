#include "platform/DesktopWorkspace.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDesktopServices>
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
    return QDesktopServices::openUrl(url);
}

void DesktopWorkspace::revealFile(const QString &path)
{
    const QFileInfo file(path);
    const QUrl folder = QUrl::fromLocalFile(file.absolutePath());
    if (!m_bus.isConnected()) {
        openUrl(folder);
        return;
    }

    QDBusMessage message = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.FileManager1"),
        QStringLiteral("/org/freedesktop/FileManager1"), QStringLiteral("org.freedesktop.FileManager1"),
        QStringLiteral("ShowItems"));
    message << QStringList { QUrl::fromLocalFile(file.absoluteFilePath()).toString(QUrl::FullyEncoded) }
            << QString();
    auto *watcher
        = new QDBusPendingCallWatcher(m_bus.asyncCall(message, fileManagerTimeoutMilliseconds), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, folder](QDBusPendingCallWatcher *call) {
        call->deleteLater();
        if (call->isError())
            openUrl(folder);
    });
}
