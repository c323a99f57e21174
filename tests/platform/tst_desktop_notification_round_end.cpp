#include "PrivateSessionBus.h"
#include "platform/DesktopNotificationRoundEnd.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QTest>

namespace {

const QString notifications = QStringLiteral("org.freedesktop.Notifications");
const QString notificationsPath = QStringLiteral("/org/freedesktop/Notifications");

// A notification server of the test's own, on a connection of its own; it numbers every notice 7.
class StandInNotificationServer : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    // Each connection under a name of its own: a closed one lingers while a copy of it is alive.
    StandInNotificationServer(const QString &address, const QString &name)
        : bus(QDBusConnection::connectToBus(address, name + u" server"_qs))
    {
        bus.registerObject(notificationsPath, this, QDBusConnection::ExportAllSlots);
        bus.registerService(notifications);
    }
    ~StandInNotificationServer()
    {
        bus.unregisterService(notifications);
        QDBusConnection::disconnectFromBus(bus.name());
    }

    // "ActionInvoked 7 default": a signal, its notice's number and its text (a number for
    // NotificationClosed).
    void send(const QString &step)
    {
        const QStringList parts = step.split(u' ');
        QDBusMessage signal = QDBusMessage::createSignal(notificationsPath, notifications, parts[0]);
        const QVariant last = parts[0] == u"NotificationClosed"_qs ? QVariant(parts[2].toUInt()) : parts[2];
        bus.send(signal << parts[1].toUInt() << last);
    }

    QDBusConnection bus;
    QStringList shown;
    QList<uint> closed;

public slots:
    uint Notify(const QString &, uint, const QString &, const QString &summary, const QString &,
        const QStringList &actions, const QVariantMap &hints, int)
    {
        shown << summary + u'|' + actions.join(u',') + u'|' + hints.value(u"desktop-entry"_qs).toString();
        return 7;
    }
    void CloseNotification(uint id) { closed << id; }
};

} // namespace

class DesktopNotificationRoundEndTest : public QObject
{
    Q_OBJECT

private:
    PrivateSessionBus m_bus;
    bool m_flushed = false;

private slots:
    void initTestCase() { QVERIFY2(m_bus.start(), "dbus-daemon did not start"); }

    // Only the default action of the notice shown brings the window forward, with the token that came
    // with it; nothing is shown while the window has the focus.
    void defaultActionBringsTheWindowForward_data()
    {
        QTest::addColumn<bool>("windowActive");
        QTest::addColumn<QStringList>("sent");
        QTest::addColumn<QStringList>("broughtForward");
        const QString action = u"ActionInvoked 7 default"_qs;
        QTest::newRow("token, then action")
            << false << QStringList { u"ActivationToken 7 t-1"_qs, action } << QStringList { u"t-1"_qs };
        QTest::newRow("action without token") << false << QStringList { action } << QStringList { QString() };
        QTest::newRow("another notice")
            << false << QStringList { u"ActivationToken 8 t-2"_qs, u"ActionInvoked 8 default"_qs }
            << QStringList();
        QTest::newRow("closed, then action")
            << false << QStringList { u"NotificationClosed 7 2"_qs, action } << QStringList();
        QTest::newRow("window has the focus") << true << QStringList { action } << QStringList();
    }

    void defaultActionBringsTheWindowForward()
    {
        QFETCH(bool, windowActive);
        QFETCH(QStringList, sent);
        QFETCH(QStringList, broughtForward);
        const QString name = QString::fromLatin1(QTest::currentDataTag());
        StandInNotificationServer server(m_bus.address(), name);
        QDBusConnection client = QDBusConnection::connectToBus(m_bus.address(), name);
        QStringList tokens;
        DesktopNotificationRoundEnd notice(
            client, u"quorvane"_qs, [&] { return windowActive; },
            [&](const QString &token) { tokens << token; });
        // Flushed is sent last over the server's connection: once the client hears it, it has heard the
        // others. A call answered by the bus makes sure that the bus has the client's subscriptions.
        m_flushed = false;
        client.connect(notifications, notificationsPath, notifications, u"Flushed"_qs, this, SLOT(flushed()));
        QVERIFY(client.interface()->isServiceRegistered(notifications));

        notice.show(u"Round Complete"_qs, u"Time for a break"_qs, u"Open Quorvane"_qs);
        if (!windowActive)
            QTRY_COMPARE(server.shown, QStringList { u"Round Complete|default,Open Quorvane|quorvane"_qs });
        for (const QString &step : sent)
            server.send(step);
        server.bus.send(QDBusMessage::createSignal(notificationsPath, notifications, u"Flushed"_qs));
        QTRY_VERIFY(m_flushed);
        QCOMPARE(tokens, broughtForward);
        QCOMPARE(server.shown.isEmpty(), windowActive);
        QDBusConnection::disconnectFromBus(name);
    }

    // Entering the break takes the notice back, also before the server has told its number.
    void withdrawClosesTheNotice()
    {
        StandInNotificationServer server(m_bus.address(), u"withdraw"_qs);
        DesktopNotificationRoundEnd notice(
            QDBusConnection::connectToBus(m_bus.address(), u"withdraw"_qs), u"quorvane"_qs,
            [] { return false; }, [](const QString &) {});
        notice.show(u"Round Complete"_qs, QString(), QString());
        notice.withdraw();
        QTRY_COMPARE(server.closed, QList<uint> { 7 });
    }

public slots:
    void flushed() { m_flushed = true; }
};

QTEST_GUILESS_MAIN(DesktopNotificationRoundEndTest)
#include "tst_desktop_notification_round_end.moc"
