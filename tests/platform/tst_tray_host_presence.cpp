#include "PrivateSessionBus.h"
#include "StandInStatusNotifierWatcher.h"
#include "platform/TrayHostPresence.h"

#include <QDBusConnection>
#include <QTest>
#include <QThread>

namespace {

// A watcher whose answer is no boolean.
class GarbledWatcher : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierWatcher")
    Q_PROPERTY(QString IsStatusNotifierHostRegistered READ hostRegistered)

public:
    QString hostRegistered() const { return QStringLiteral("true"); }
};

} // namespace

class TrayHostPresenceTest : public QObject
{
    Q_OBJECT

private:
    PrivateSessionBus m_bus;

private slots:
    void initTestCase() { QVERIFY2(m_bus.start(), "dbus-daemon did not start"); }

    void qtsYesIsCheckedOnX11_data()
    {
        QTest::addColumn<bool>("qtSeesTray");
        QTest::addColumn<bool>("x11");
        QTest::addColumn<bool>("xembedHost");
        QTest::addColumn<bool>("statusNotifierHost");
        QTest::addColumn<bool>("showsIcon");
        QTest::newRow("X11: an XEmbed tray") << true << true << true << false << true;
        QTest::newRow("X11: a StatusNotifier host") << true << true << false << true << true;
        QTest::newRow("X11: both") << true << true << true << true << true;
        QTest::newRow("X11: Qt remembers a host that has ended") << true << true << false << false << false;
        QTest::newRow("X11: Qt's no is final") << false << true << true << true << false;
        QTest::newRow("elsewhere: Qt's yes") << true << false << false << false << true;
        QTest::newRow("elsewhere: Qt's no") << false << false << false << false << false;
    }

    void qtsYesIsCheckedOnX11()
    {
        QFETCH(bool, qtSeesTray);
        QFETCH(bool, x11);
        QFETCH(bool, xembedHost);
        QFETCH(bool, statusNotifierHost);
        QFETCH(bool, showsIcon);
        QCOMPARE(TrayHostPresence::showsIcon({ qtSeesTray, x11, xembedHost, statusNotifierHost }), showsIcon);
    }

    void theSelectionNamesTheScreen_data()
    {
        QTest::addColumn<int>("screen");
        QTest::addColumn<QByteArray>("selection");
        QTest::newRow("first screen") << 0 << QByteArray("_NET_SYSTEM_TRAY_S0");
        QTest::newRow("a later screen") << 12 << QByteArray("_NET_SYSTEM_TRAY_S12");
    }

    void theSelectionNamesTheScreen()
    {
        QFETCH(int, screen);
        QFETCH(QByteArray, selection);
        QCOMPARE(TrayHostPresence::xembedSelection(screen), selection);
    }

    void theWatcherTellsOfAHost_data()
    {
        QTest::addColumn<QString>("watcher");
        QTest::addColumn<bool>("registered");
        QTest::newRow("a host is registered") << QStringLiteral("host") << true;
        QTest::newRow("a watcher without a host") << QStringLiteral("no host") << false;
        QTest::newRow("a watcher that answers no boolean") << QStringLiteral("garbled") << false;
        QTest::newRow("no watcher") << QStringLiteral("none") << false;
    }

    void theWatcherTellsOfAHost()
    {
        QFETCH(QString, watcher);
        QFETCH(bool, registered);

        const QString testName = QString::fromLatin1(QTest::currentDataTag());
        QThread watcherThread;
        QObject *object = nullptr;
        if (watcher == u"garbled") {
            object = new GarbledWatcher;
        } else if (watcher != u"none") {
            auto *standIn = new StandInStatusNotifierWatcher;
            standIn->host = watcher == u"host";
            object = standIn;
        }
        QDBusConnection server
            = QDBusConnection::connectToBus(m_bus.address(), QStringLiteral("watcher ") + testName);
        QVERIFY(server.isConnected());
        if (object) {
            object->moveToThread(&watcherThread);
            connect(&watcherThread, &QThread::finished, object, &QObject::deleteLater);
            watcherThread.start();
            QVERIFY(server.registerObject(
                QStringLiteral("/StatusNotifierWatcher"), object, QDBusConnection::ExportAllProperties));
            QVERIFY(server.registerService(QStringLiteral("org.kde.StatusNotifierWatcher")));
        }
        QDBusConnection client
            = QDBusConnection::connectToBus(m_bus.address(), QStringLiteral("client ") + testName);
        QVERIFY(client.isConnected());

        const bool result = TrayHostPresence::statusNotifierHostRegistered(client);

        server.unregisterService(QStringLiteral("org.kde.StatusNotifierWatcher"));
        server.unregisterObject(QStringLiteral("/StatusNotifierWatcher"));
        watcherThread.quit();
        watcherThread.wait();
        QDBusConnection::disconnectFromBus(QStringLiteral("client ") + testName);
        QDBusConnection::disconnectFromBus(QStringLiteral("watcher ") + testName);
        QCOMPARE(result, registered);
    }

    void withoutASessionBusNoHostIsSeen()
    {
        const QDBusConnection nowhere = QDBusConnection::connectToBus(
            QStringLiteral("unix:path=/nonexistent/bus"), QStringLiteral("none"));
        QVERIFY(!nowhere.isConnected());
        QCOMPARE(TrayHostPresence::statusNotifierHostRegistered(nowhere), false);
    }
};

QTEST_GUILESS_MAIN(TrayHostPresenceTest)
#include "tst_tray_host_presence.moc"
