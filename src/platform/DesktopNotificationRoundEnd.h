#pragma once

#include "core/RoundEndNotice.h"

#include <QDBusConnection>
#include <QObject>
#include <functional>

// The round's end as a desktop notification (org.freedesktop.Notifications). Its default action calls
// bringForward with the XDG activation token the notification server sent along, which lets a Wayland
// compositor give the window the focus it would refuse to a window that asks for itself; the token is
// empty where the server sends none.
class DesktopNotificationRoundEnd : public QObject, public RoundEndNotice
{
    Q_OBJECT

public:
    // Nothing is shown while windowIsActive says the user is looking at the window.
    DesktopNotificationRoundEnd(QDBusConnection bus, QString desktopEntry,
        std::function<bool()> windowIsActive,
        std::function<void(const QString &activationToken)> bringForward);

    void show(const QString &title, const QString &body, const QString &actionLabel) override;
    void withdraw() override;

signals:
    // A notice went out because the window was not active.
    void sent();

private slots:
    void handleActivationToken(uint id, const QString &token);
    void handleActionInvoked(uint id, const QString &action);
    void handleClosed(uint id, uint reason);

private:
    void close(uint id);

    QDBusConnection m_bus;
    QString m_desktopEntry;
    std::function<bool()> m_windowIsActive;
    std::function<void(const QString &)> m_bringForward;
    // The server's number of the notice shown; 0: none.
    uint m_shown = 0;
    // Withdrawn before the server told the notice's number: it is closed once the number comes.
    bool m_wanted = false;
    QString m_activationToken;
};
