#include "platform/DesktopNotificationRoundEnd.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {

const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");
const QString interface = QStringLiteral("org.freedesktop.Notifications");
const QString defaultAction = QStringLiteral("default");

} // namespace

DesktopNotificationRoundEnd::DesktopNotificationRoundEnd(QDBusConnection bus, QString desktopEntry,
    std::function<bool()> windowIsActive, std::function<void(const QString &activationToken)> bringForward)
    : m_bus(std::move(bus))
    , m_desktopEntry(std::move(desktopEntry))
    , m_windowIsActive(std::move(windowIsActive))
    , m_bringForward(std::move(bringForward))
{
    m_bus.connect(service, path, interface, QStringLiteral("ActivationToken"), this,
        SLOT(handleActivationToken(uint, QString)));
    m_bus.connect(service, path, interface, QStringLiteral("ActionInvoked"), this,
        SLOT(handleActionInvoked(uint, QString)));
    m_bus.connect(
        service, path, interface, QStringLiteral("NotificationClosed"), this, SLOT(handleClosed(uint, uint)));
}

void DesktopNotificationRoundEnd::show(const QString &title, const QString &body, const QString &actionLabel)
{
    if (m_windowIsActive())
        return;
    QDBusMessage notify = QDBusMessage::createMethodCall(service, path, interface, QStringLiteral("Notify"));
    const QVariantMap hints { { QStringLiteral("desktop-entry"), m_desktopEntry },
        // Stays until the user acts: a round's end seen an hour late is still news.
        { QStringLiteral("resident"), true } };
    m_wanted = true;
    notify.setArguments({ m_desktopEntry, m_shown, m_desktopEntry, title, body,
        QStringList { defaultAction, actionLabel }, hints, 0 });
    // Not waited for: a server that hangs must not hold the timer.
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(notify), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *call) {
        call->deleteLater();
        const QDBusPendingReply<uint> reply = *call;
        if (reply.isError())
            qWarning().noquote() << "The desktop did not show the round's end:" << reply.error().message();
        else if (m_wanted)
            m_shown = reply.value();
        else
            close(reply.value());
    });
    emit sent();
}

void DesktopNotificationRoundEnd::withdraw()
{
    m_wanted = false;
    if (m_shown)
        close(std::exchange(m_shown, 0));
}

void DesktopNotificationRoundEnd::close(uint id)
{
    m_bus.asyncCall(
        QDBusMessage::createMethodCall(service, path, interface, QStringLiteral("CloseNotification")) << id);
}

void DesktopNotificationRoundEnd::handleActivationToken(uint id, const QString &token)
{
    if (id == m_shown)
        m_activationToken = token;
}

void DesktopNotificationRoundEnd::handleActionInvoked(uint id, const QString &action)
{
    if (id != m_shown || action != defaultAction)
        return;
    // The number is kept: a resident notice stays on screen after its action, until it is withdrawn.
    m_bringForward(std::exchange(m_activationToken, QString()));
}

void DesktopNotificationRoundEnd::handleClosed(uint id, uint)
{
    // Sent after ActionInvoked too; the token is kept for nothing else.
    if (id != m_shown)
        return;
    m_shown = 0;
    m_activationToken.clear();
}
