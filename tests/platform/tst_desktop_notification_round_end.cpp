#include "PrivateSessionBus.h"
#include "StandInNotificationServer.h"
#include "platform/DesktopNotificationRoundEnd.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QTest>

class DesktopNotificationRoundEndTest : public QObject
{
    Q_OBJECT
    PrivateSessionBus m_bus;
    bool m_flushed = false;

public slots:
    void flushed() { m_flushed = true; }

private slots:
    void initTestCase() { QVERIFY2(m_bus.start(), "dbus-daemon did not start"); }

    // Only the shown notice's default action brings the window forward, with its token; nothing is shown
    // while the window has the focus. Resident, a notice stays after its action until it is withdrawn.
    void defaultActionBringsTheWindowForward_data()
    {
        QTest::addColumn<bool>("windowActive");
        QTest::addColumn<QStringList>("sent");
        QTest::addColumn<QStringList>("broughtForward");
        QTest::addColumn<bool>("withdrawCloses");
        const QString act = u"ActionInvoked 7 default"_qs;
        QTest::newRow("token, then action")
            << false << QStringList { u"ActivationToken 7 t-1"_qs, act } << QStringList { u"t-1"_qs } << true;
        QTest::newRow("action without token")
            << false << QStringList { act } << QStringList { QString() } << true;
        QTest::newRow("another notice")
            << false << QStringList { u"ActivationToken 8 t-2"_qs, u"ActionInvoked 8 default"_qs }
            << QStringList() << true;
        QTest::newRow("closed, then action")
            << false << QStringList { u"NotificationClosed 7 2"_qs, act } << QStringList() << false;
        QTest::newRow("window has the focus") << true << QStringList { act } << QStringList() << false;
    }

    void defaultActionBringsTheWindowForward()
    {
        QFETCH(bool, windowActive);
        QFETCH(QStringList, sent);
        QFETCH(QStringList, broughtForward);
        QFETCH(bool, withdrawCloses);
        const QString name = QString::fromLatin1(QTest::currentDataTag());
        StandInNotificationServer server(m_bus.address(), name);
        QDBusConnection client = QDBusConnection::connectToBus(m_bus.address(), name);
        QStringList tokens;
        DesktopNotificationRoundEnd notice(
            client, u"quorvane"_qs, [&] { return windowActive; }, [&](const QString &t) { tokens << t; });
        // Flushed, sent last by the server, marks that the client heard the rest; the answered call makes
        // sure the bus has the client's subscriptions.
        m_flushed = false;
        client.connect(server.service, server.path, server.service, u"Flushed"_qs, this, SLOT(flushed()));
        QVERIFY(client.interface()->isServiceRegistered(server.service));

        notice.show(u"Round Complete"_qs, u"Time for a break"_qs, u"Open Quorvane"_qs);
        if (!windowActive)
            QTRY_COMPARE(server.shown, QStringList { u"Round Complete|default,Open Quorvane|quorvane"_qs });
        for (const QString &step : sent)
            server.send(step);
        server.bus.send(QDBusMessage::createSignal(server.path, server.service, u"Flushed"_qs));
        QTRY_VERIFY(m_flushed);
        QCOMPARE(tokens, broughtForward);
        QCOMPARE(server.shown.isEmpty(), windowActive);
        notice.withdraw();
        notice.show(u"Next"_qs, QString(), QString());
        QTRY_COMPARE(server.shown.size(), windowActive ? 0 : 2);
        QCOMPARE(server.closed, withdrawCloses ? QList<uint> { 7 } : QList<uint>());
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
};

QTEST_GUILESS_MAIN(DesktopNotificationRoundEndTest)
#include "tst_desktop_notification_round_end.moc"
