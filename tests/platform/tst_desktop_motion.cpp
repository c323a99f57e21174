#include "PrivateSessionBus.h"
#include "TestSupport.h"
#include "platform/DesktopMotionPreference.h"

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusError>
#include <QDBusVariant>
#include <QTest>
#include <QThread>

namespace {

// A stand-in for the desktop portal's settings. It lives on a thread of its own, so that the blocking
// call of the code under test, made on the test's thread, can be answered.
class StandInPortalSettings : public QObject, protected QDBusContext
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.portal.Settings")

public:
    // What the portal holds for org.gnome.desktop.interface / enable-animations.
    QVariant animations;
    // Portals before version 2 offer only Read.
    bool offersReadOne = true;

public slots:
    QDBusVariant ReadOne(const QString &group, const QString &key)
    {
        if (!offersReadOne) {
            sendErrorReply(QDBusError::UnknownMethod, QStringLiteral("No such method"));
            return {};
        }
        return answer(group, key);
    }

    // The older form wraps the value in one variant more.
    QDBusVariant Read(const QString &group, const QString &key)
    {
        const QDBusVariant inner = answer(group, key);
        return QDBusVariant(QVariant::fromValue(inner));
    }

private:
    QDBusVariant answer(const QString &group, const QString &key)
    {
        if (group != QStringLiteral("org.gnome.desktop.interface")
            || key != QStringLiteral("enable-animations") || !animations.isValid()) {
            sendErrorReply(
                QStringLiteral("org.freedesktop.portal.Error.NotFound"), QStringLiteral("unknown"));
            return {};
        }
        return QDBusVariant(animations);
    }
};

} // namespace

class DesktopMotionTest : public QObject
{
    Q_OBJECT

private:
    PrivateSessionBus m_bus;

private slots:
    void initTestCase() { QVERIFY2(m_bus.start(), "dbus-daemon did not start"); }

    void desktopSettingDecidesTheMotion_data()
    {
        QTest::addColumn<bool>("portal");
        QTest::addColumn<QVariant>("animations");
        QTest::addColumn<bool>("offersReadOne");
        QTest::addColumn<QByteArray>("kdeglobals");
        QTest::addColumn<bool>("reduced");

        const QByteArray kdeStill("[KDE]\nAnimationDurationFactor=0\n");
        const QByteArray kdeSlow("[KDE]\nAnimationDurationFactor=0.5\n");
        QTest::newRow("portal: animations off") << true << QVariant(false) << true << QByteArray() << true;
        QTest::newRow("portal: animations on") << true << QVariant(true) << true << QByteArray() << false;
        QTest::newRow("portal answers before KDE") << true << QVariant(true) << true << kdeStill << false;
        QTest::newRow("older portal: animations off")
            << true << QVariant(false) << false << QByteArray() << true;
        QTest::newRow("portal without the key, KDE still") << true << QVariant() << true << kdeStill << true;
        QTest::newRow("portal answers no boolean, KDE still")
            << true << QVariant(QStringLiteral("off")) << true << kdeStill << true;
        QTest::newRow("no portal, KDE still") << false << QVariant() << true << kdeStill << true;
        QTest::newRow("no portal, KDE slow") << false << QVariant() << true << kdeSlow << false;
        QTest::newRow("no portal, KDE without a factor")
            << false << QVariant() << true << QByteArray("[General]\nColorScheme=Breeze\n") << false;
        QTest::newRow("nothing answers") << false << QVariant() << true << QByteArray() << false;
    }

    void desktopSettingDecidesTheMotion()
    {
        QFETCH(bool, portal);
        QFETCH(QVariant, animations);
        QFETCH(bool, offersReadOne);
        QFETCH(QByteArray, kdeglobals);
        QFETCH(bool, reduced);

        TemporaryDataHome home;
        QStringList kdeFiles;
        if (!kdeglobals.isNull()) {
            kdeFiles.append(home.filePath(QStringLiteral("config/kdeglobals")));
            QVERIFY(writeFileBytes(kdeFiles.constFirst(), kdeglobals));
        }

        const QString testName = QString::fromLatin1(QTest::currentDataTag());
        QThread portalThread;
        auto *settings = new StandInPortalSettings;
        settings->animations = animations;
        settings->offersReadOne = offersReadOne;
        settings->moveToThread(&portalThread);
        connect(&portalThread, &QThread::finished, settings, &QObject::deleteLater);
        portalThread.start();
        QDBusConnection server
            = QDBusConnection::connectToBus(m_bus.address(), QStringLiteral("portal ") + testName);
        QVERIFY(server.isConnected());
        if (portal) {
            QVERIFY(server.registerObject(QStringLiteral("/org/freedesktop/portal/desktop"), settings,
                QDBusConnection::ExportAllSlots));
            QVERIFY(server.registerService(QStringLiteral("org.freedesktop.portal.Desktop")));
        }
        QDBusConnection client
            = QDBusConnection::connectToBus(m_bus.address(), QStringLiteral("client ") + testName);
        QVERIFY(client.isConnected());

        std::optional<bool> result;
        DesktopMotionPreference::askWhetherReduced(
            client, kdeFiles, this, [&result](bool reduced) { result = reduced; });
        QTRY_VERIFY(result.has_value());

        server.unregisterService(QStringLiteral("org.freedesktop.portal.Desktop"));
        server.unregisterObject(QStringLiteral("/org/freedesktop/portal/desktop"));
        portalThread.quit();
        portalThread.wait();
        QDBusConnection::disconnectFromBus(QStringLiteral("client ") + testName);
        QDBusConnection::disconnectFromBus(QStringLiteral("portal ") + testName);
        QCOMPARE(*result, reduced);
    }

    void withoutASessionBusMotionStaysOn()
    {
        const QDBusConnection nowhere = QDBusConnection::connectToBus(
            QStringLiteral("unix:path=/nonexistent/bus"), QStringLiteral("none"));
        QVERIFY(!nowhere.isConnected());
        std::optional<bool> result;
        DesktopMotionPreference::askWhetherReduced(
            nowhere, {}, this, [&result](bool reduced) { result = reduced; });
        QCOMPARE(result, std::optional<bool>(false));
    }
};

QTEST_GUILESS_MAIN(DesktopMotionTest)
#include "tst_desktop_motion.moc"
