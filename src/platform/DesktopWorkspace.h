#pragma once

#include "core/Workspace.h"

#include <QDBusConnection>
#include <QObject>

// The freedesktop workspace: addresses through QDesktopServices, files shown through the file manager's
// org.freedesktop.FileManager1 interface on the session bus.
class DesktopWorkspace : public QObject, public Workspace
{
    Q_OBJECT

public:
    explicit DesktopWorkspace(QDBusConnection bus = QDBusConnection::sessionBus(), QObject *parent = nullptr);

    bool openUrl(const QUrl &url) override;
    // Asks the file manager without waiting for it; when none answers, opens the containing folder.
    void revealFile(const QString &path, std::function<void(const QString &folder)> unshown) override;

private:
    QDBusConnection m_bus;
};
