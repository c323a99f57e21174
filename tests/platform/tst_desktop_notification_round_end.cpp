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
    // while the window has the focus.
    void defaultActionBringsTheWindowForward_data()
    {
        QTest::addColumn<bool>("windowActive");
        QTest::addColumn<QStringList>("sent");
        QTest::addColumn<QStringList>("broughtForward");
        const QString act = u"ActionInvoked 7 default"_qs;
        QTest::newRow("token, then action")
            << false << QStringList { u"ActivationToken 7 t-1"_qs, act } << QStringList { u"t-1"_qs };
        QTest::newRow("action without token") << false << QStringList { act } << QStringList { QString() };
        QTest::newRow("another notice")
            << false << QStringList { u"ActivationToken 8 t-2"_qs, u"ActionInvoked 8 default"_qs }
            << QStringList();
        QTest::newRow("closed, then action")
            << false << QStringList { u"NotificationClosed 7 2"_qs, act } << QStringList();
        QTest::newRow("window has the focus") << true << QStringList { act } << QStringList();
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
        QDBusConnection::disconnectFromBus(name);
    }

    // The window coming forward or the break starting takes the notice back: also before the server has
    // told its number, and also after its action was used, since it is resident.
    void withdrawClosesTheNotice_data()
    {
        QTest::addColumn<QStringList>("sent");
        QTest::newRow("before its number") << QStringList();
        QTest::newRow("after its action") << QStringList { u"ActionInvoked 7 default"_qs };
    }

    void withdrawClosesTheNotice()
    {
        QFETCH(QStringList, sent);
        const QString name = QString::fromLatin1(QTest::currentDataTag());
        StandInNotificationServer server(m_bus.address(), name);
        QDBusConnection client = QDBusConnection::connectToBus(m_bus.address(), name);
        DesktopNotificationRoundEnd notice(client, u"quorvane"_qs, [] { return false; }, [](const QString &) {});
        m_flushed = false;
        client.connect(server.service, server.path, server.service, u"Flushed"_qs, this, SLOT(flushed()));
        QVERIFY(client.interface()->isServiceRegistered(server.service));
        notice.show(u"Round Complete"_qs, QString(), QString());
        if (!sent.isEmpty())
            QTRY_COMPARE(server.shown.size(), 1);
        for (const QString &step : sent)
            server.send(step);
        server.bus.send(QDBusMessage::createSignal(server.path, server.service, u"Flushed"_qs));
        QTRY_VERIFY(m_flushed);
        notice.withdraw();
        QTRY_COMPARE(server.closed, QList<uint> { 7 });
        QDBusConnection::disconnectFromBus(name);
    }
};

QTEST_GUILESS_MAIN(DesktopNotificationRoundEndTest)
#include "tst_desktop_notification_round_end.moc"
