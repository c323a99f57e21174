#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

// The desktop's notification server on a bus connection of its own (named apart: a closed one lingers
// while a copy lives). It numbers every notice 7 and keeps each as "summary|actions|desktop entry".
class StandInNotificationServer : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    inline static const QString service = QStringLiteral("org.freedesktop.Notifications");
    inline static const QString path = QStringLiteral("/org/freedesktop/Notifications");

    StandInNotificationServer(const QString &address, const QString &name)
        : bus(QDBusConnection::connectToBus(address, name + QStringLiteral(" server")))
    {
        bus.registerObject(path, this, QDBusConnection::ExportAllSlots);
        bus.registerService(service);
    }
    ~StandInNotificationServer()
    {
        bus.unregisterService(service);
        QDBusConnection::disconnectFromBus(bus.name());
    }
    // "ActionInvoked 7 default": signal, notice number, text (a number for NotificationClosed).
    void send(const QString &step)
    {
        const QStringList p = step.split(u' ');
        const QVariant last = p[0] == u"NotificationClosed" ? QVariant(p[2].toUInt()) : QVariant(p[2]);
        bus.send(QDBusMessage::createSignal(path, service, p[0]) << p[1].toUInt() << last);
    }

    QDBusConnection bus;
    QStringList shown;
    QList<uint> closed;

public slots:
    uint Notify(const QString &, uint, const QString &, const QString &summary, const QString &,
        const QStringList &actions, const QVariantMap &hints, int)
    {
        shown << summary + u'|' + actions.join(u',') + u'|'
                + hints.value(QStringLiteral("desktop-entry")).toString();
        return 7;
    }
    void CloseNotification(uint id) { closed << id; }
};
