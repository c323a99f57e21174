#include "platform/MutterIdleMonitorBackend.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>

namespace {

const QString service = QStringLiteral("org.gnome.Mutter.IdleMonitor");
const QString path = QStringLiteral("/org/gnome/Mutter/IdleMonitor/Core");
const QString interface = QStringLiteral("org.gnome.Mutter.IdleMonitor");
// How long without input ends a span of activity: the shortest pause worth telling apart from typing.
constexpr quint64 idleAfterMs = 1000;

QDBusMessage call(const QDBusConnection &bus, const QString &method, const QVariantList &arguments = {})
{
    QDBusMessage message = QDBusMessage::createMethodCall(service, path, interface, method);
    message.setArguments(arguments);
    return bus.call(message);
}

} // namespace

MutterIdleMonitorBackend::MutterIdleMonitorBackend(QDBusConnection bus)
    : m_bus(std::move(bus))
{ }

MutterIdleMonitorBackend::~MutterIdleMonitorBackend()
{
    remove();
}

bool MutterIdleMonitorBackend::isOffered(const QDBusConnection &bus)
{
    return bus.isConnected() && call(bus, QStringLiteral("GetIdletime")).type() == QDBusMessage::ReplyMessage;
}

bool MutterIdleMonitorBackend::install(std::function<void()> onEvent)
{
    remove();
    // Connected before the watches exist, so that no firing goes unheard.
    if (!m_bus.connect(
            service, path, interface, QStringLiteral("WatchFired"), this, SLOT(handleWatchFired(uint))))
        return false;
    m_installed = true;
    m_idleWatch = addWatch(QStringLiteral("AddIdleWatch"), { QVariant::fromValue(idleAfterMs) });
    m_activeWatch = addWatch(QStringLiteral("AddUserActiveWatch"), {});
    if (m_idleWatch == 0 || m_activeWatch == 0) {
        remove();
        return false;
    }
    m_span.start(std::move(onEvent));
    return true;
}

void MutterIdleMonitorBackend::remove()
{
    if (!m_installed)
        return;
    m_installed = false;
    m_bus.disconnect(
        service, path, interface, QStringLiteral("WatchFired"), this, SLOT(handleWatchFired(uint)));
    removeWatch(m_idleWatch);
    removeWatch(m_activeWatch);
    m_span.stop();
}

void MutterIdleMonitorBackend::handleWatchFired(uint id)
{
    if (!m_installed || id == 0)
        return;
    if (id == m_idleWatch) {
        m_span.end();
        // A user-active watch fires once; the next input after this pause needs a new one.
        if (m_activeWatch == 0)
            m_activeWatch = addWatch(QStringLiteral("AddUserActiveWatch"), {});
    } else if (id == m_activeWatch) {
        m_activeWatch = 0;
        m_span.begin();
    }
}

uint MutterIdleMonitorBackend::addWatch(const QString &method, const QVariantList &arguments)
{
    const QDBusMessage reply = call(m_bus, method, arguments);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return 0;
    return reply.arguments().constFirst().toUInt();
}

void MutterIdleMonitorBackend::removeWatch(uint &id)
{
    if (id != 0)
        m_bus.call(
            QDBusMessage::createMethodCall(service, path, interface, QStringLiteral("RemoveWatch")) << id,
            QDBus::NoBlock);
    id = 0;
}
