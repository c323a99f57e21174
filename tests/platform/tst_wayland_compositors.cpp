#include "PrivateSessionBus.h"
#include "StandInStatusNotifierWatcher.h"
#include "TestSupport.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <pwd.h>
#include <unistd.h>

// Each compositor Debian ships, headless on a private bus: the program counts a round from input that
// reaches the compositor as a user's, tells the round's end through the desktop's notifications while
// another window has the focus, and a break window gets the screen, the focus and the desktop's
// shortcuts until the emergency chord.

namespace {

// Linux input key codes.
constexpr uint keyEscape = 1;
constexpr uint keyLeftControl = 29;
constexpr uint keyLeftShift = 42;
constexpr uint keyLeftAlt = 56;
constexpr uint keyLeftSuper = 125;

// Seconds of the restored round that remain: input must count them, and a wait as long without input
// must not.
constexpr int remainingSeconds = 3;

class StandInNotifications : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    QStringList summaries;

public slots:
    uint Notify(const QString &, uint, const QString &, const QString &summary, const QString &,
        const QStringList &, const QVariantMap &, int)
    {
        summaries << summary;
        return 1;
    }
    void CloseNotification(uint) { }
};

// A compositor with its runtime folder, and the input devices a test may drive it with: mutter's remote
// desktop, KWin's fake input, a virtual keyboard on sway.
class HeadlessCompositor
{
public:
    HeadlessCompositor(const QString &name, const QString &busAddress, QDBusConnection bus)
        : m_name(name)
        , m_bus(bus)
    {
        m_environment.insert(u"XDG_RUNTIME_DIR"_qs, m_runtime.path());
        m_environment.insert(u"DBUS_SESSION_BUS_ADDRESS"_qs, busAddress);
        m_environment.remove(u"DISPLAY"_qs);
        m_environment.remove(u"WAYLAND_DISPLAY"_qs);
        m_process.setProcessChannelMode(QProcess::MergedChannels);
    }

    ~HeadlessCompositor()
    {
        m_process.kill();
        m_process.waitForFinished(5000);
    }

    bool start()
    {
        QProcessEnvironment environment = m_environment;
        QString program = m_name;
        QStringList arguments;
        if (m_name == u"mutter") {
            arguments = { u"--headless"_qs, u"--wayland"_qs, u"--no-x11"_qs, u"--virtual-monitor"_qs,
                u"1280x800"_qs, u"--wayland-display=wayland-0"_qs };
        } else if (m_name == u"kwin") {
            // A copy without the file capability these machines refuse, still named as KWin's platform
            // plugin insists.
            program = m_runtime.filePath(u"kwin_wayland"_qs);
            QFile::copy(QStandardPaths::findExecutable(u"kwin_wayland"_qs), program);
            environment.insert(u"KWIN_WAYLAND_NO_PERMISSION_CHECKS"_qs, u"1"_qs);
            environment.insert(u"KWIN_COMPOSE"_qs, u"Q"_qs);
            arguments = { u"--virtual"_qs, u"--no-lockscreen"_qs, u"--width"_qs, u"1280"_qs, u"--height"_qs,
                u"800"_qs, u"--socket"_qs, u"wayland-0"_qs };
        } else {
            const QString config = m_runtime.filePath(u"sway.conf"_qs);
            writeFileBytes(config, "output HEADLESS-1 resolution 1280x800\n");
            environment.insert(u"WLR_BACKENDS"_qs, u"headless"_qs);
            environment.insert(u"WLR_LIBINPUT_NO_DEVICES"_qs, u"1"_qs);
            environment.insert(u"WLR_RENDERER"_qs, u"pixman"_qs);
            arguments = { u"-c"_qs, config };
            // sway refuses root; its clients, the test's, may be root.
            if (geteuid() == 0) {
                const passwd *nobody = getpwnam("nobody");
                if (!nobody
                    || chown(QFile::encodeName(m_runtime.path()).constData(), nobody->pw_uid, nobody->pw_gid)
                        != 0)
                    return false;
                arguments = QStringList {
                    u"--reuid=nobody"_qs, u"--regid=nogroup"_qs, u"--clear-groups"_qs, u"sway"_qs
                } + arguments;
                program = u"setpriv"_qs;
            }
        }
        m_process.setProcessEnvironment(environment);
        m_process.start(program, arguments);
        QElapsedTimer waited;
        waited.start();
        // The socket appears once the compositor listens; sway names its own.
        while (waited.elapsed() < 30000 && m_process.state() != QProcess::NotRunning) {
            const QStringList sockets = QDir(m_runtime.path()).entryList({ u"wayland-?"_qs }, QDir::System);
            if (!sockets.isEmpty()) {
                m_environment.insert(u"WAYLAND_DISPLAY"_qs, sockets.constFirst());
                m_environment.insert(u"QT_QPA_PLATFORM"_qs, u"wayland"_qs);
                // Qt's Wayland client then tells the states the compositor gives a window.
                m_environment.insert(u"QT_LOGGING_RULES"_qs, u"qt.qpa.wayland.debug=true"_qs);
                return true;
            }
            QTest::qWait(100);
        }
        return false;
    }

    QString log() { return QString::fromUtf8(m_process.readAll()); }

    void startClient(QProcess &client, const QString &program, const QStringList &arguments = {}) const
    {
        client.setProcessEnvironment(m_environment);
        client.setProcessChannelMode(QProcess::MergedChannels);
        client.start(program, arguments);
    }

    // Presses the keys in order and releases them in reverse.
    bool press(const QList<uint> &keys)
    {
        QProcess device;
        if (m_name == u"mutter") {
            for (const bool pressed : { true, false }) {
                for (const uint key : keys) {
                    if (!remoteDesktopCall(u"NotifyKeyboardKeycode"_qs, { key, pressed }))
                        return false;
                }
            }
            return true;
        }
        if (m_name == u"kwin") {
            QStringList codes { u"keys"_qs };
            for (const uint key : keys)
                codes << QString::number(key);
            startClient(device, QStringLiteral(QUORVANE_KWIN_FAKE_INPUT), codes);
        } else {
            const QMap<uint, QString> names { { keyEscape, u"Escape"_qs }, { keyLeftControl, u"ctrl"_qs },
                { keyLeftShift, u"Shift_L"_qs }, { keyLeftAlt, u"alt"_qs }, { keyLeftSuper, u"logo"_qs } };
            QStringList arguments;
            for (const uint key : keys.first(keys.size() - 1))
                arguments << u"-M"_qs << names[key];
            arguments << u"-k"_qs << names[keys.last()];
            for (const uint key : keys.first(keys.size() - 1))
                arguments << u"-m"_qs << names[key];
            startClient(device, u"wtype"_qs, arguments);
        }
        return device.waitForFinished(10000) && device.exitCode() == 0;
    }

private:
    bool remoteDesktopCall(const QString &method, const QVariantList &arguments)
    {
        const QString service = u"org.gnome.Mutter.RemoteDesktop"_qs;
        if (m_remoteSession.isEmpty()) {
            const QDBusMessage reply = m_bus.call(QDBusMessage::createMethodCall(
                service, u"/org/gnome/Mutter/RemoteDesktop"_qs, service, u"CreateSession"_qs));
            m_remoteSession = reply.arguments().value(0).value<QDBusObjectPath>().path();
            if (m_remoteSession.isEmpty() || !remoteDesktopCall(u"Start"_qs, {}))
                return false;
        }
        QDBusMessage message
            = QDBusMessage::createMethodCall(service, m_remoteSession, service + u".Session"_qs, method);
        message.setArguments(arguments);
        return m_bus.call(message).type() == QDBusMessage::ReplyMessage;
    }

    QString m_name;
    QDBusConnection m_bus;
    QTemporaryDir m_runtime;
    QProcessEnvironment m_environment = QProcessEnvironment::systemEnvironment();
    QProcess m_process;
    QString m_remoteSession;
};

} // namespace

class WaylandCompositorsTest : public QObject
{
    Q_OBJECT

private slots:
    void roundAndBreakOnEachCompositor_data()
    {
        QTest::addColumn<QString>("compositor");
        QTest::addColumn<QString>("activitySource");
        QTest::newRow("mutter") << u"mutter"_qs << u"GNOME's idle monitor"_qs;
        QTest::newRow("KWin") << u"kwin"_qs << u"the compositor's idle notifications"_qs;
        QTest::newRow("sway") << u"sway"_qs << u"the compositor's org_kde_kwin_idle"_qs;
    }

    void roundAndBreakOnEachCompositor()
    {
        QFETCH(QString, compositor);
        QFETCH(QString, activitySource);
        PrivateSessionBus privateBus;
        QVERIFY(privateBus.start());
        QDBusConnection bus = QDBusConnection::connectToBus(privateBus.address(), compositor);
        StandInNotifications notifications;
        QVERIFY(bus.registerObject(
            u"/org/freedesktop/Notifications"_qs, &notifications, QDBusConnection::ExportAllSlots));
        QVERIFY(bus.registerService(u"org.freedesktop.Notifications"_qs));
        StandInStatusNotifierWatcher tray;
        QVERIFY(bus.registerObject(u"/StatusNotifierWatcher"_qs, &tray, QDBusConnection::ExportAllContents));
        QVERIFY(bus.registerService(u"org.kde.StatusNotifierWatcher"_qs));
        const auto trayItemStatus = [&] {
            const QDBusMessage reply
                = bus.call(QDBusMessage::createMethodCall(tray.itemOwner(), u"/StatusNotifierItem"_qs,
                               u"org.freedesktop.DBus.Properties"_qs, u"Get"_qs)
                    << u"org.kde.StatusNotifierItem"_qs << u"Status"_qs);
            return reply.arguments().value(0).value<QDBusVariant>().variant().toString();
        };
        // A one-minute round restored with a few seconds left.
        TemporaryDataHome home;
        const QString data = home.filePath(u"data/Quorvane/"_qs);
        QVERIFY(
            writeFileBytes(data + u"preferences.json"_qs, R"({"sessionMinutes": 1, "language": "english"})"));
        QVERIFY(writeFileBytes(data + u"active-focus-session.json"_qs,
            QStringLiteral(R"({"targetSeconds": 60, "accumulatedActiveSeconds": %1, "savedAtEpoch": %2})")
                .arg(60 - remainingSeconds)
                .arg(QDateTime::currentSecsSinceEpoch())
                .toUtf8()));
        HeadlessCompositor session(compositor, privateBus.address(), bus);
        QVERIFY2(session.start(), qPrintable(session.log()));
        const auto loggedRounds = [&] {
            return QString::fromUtf8(readFileBytes(data + u"focus-session-log.csv"_qs))
                .split(u'\n', Qt::SkipEmptyParts)
                .mid(1);
        };

        // Each output outlives its process, whose end may still write to it.
        QString output;
        QString otherOutput;
        QString breakOutput;
        QProcess program;
        session.startClient(program, QStringLiteral(QUORVANE_EXECUTABLE));
        connect(
            &program, &QProcess::readyRead, this, [&] { output += QString::fromUtf8(program.readAll()); });
        QTRY_VERIFY2_WITH_TIMEOUT(
            output.contains(u"Input activity: "_qs + activitySource), qPrintable(output), 30000);
        // Another window takes the focus once the program's has had it.
        QTRY_VERIFY2_WITH_TIMEOUT(output.contains(u"WindowActive)"_qs), qPrintable(output), 30000);
        QProcess otherWindow;
        connect(&otherWindow, &QProcess::readyRead, this,
            [&] { otherOutput += QString::fromUtf8(otherWindow.readAll()); });
        session.startClient(otherWindow, QStringLiteral(QUORVANE_BREAK_WINDOW));
        QTRY_VERIFY2_WITH_TIMEOUT(
            otherOutput.split(u'\n').contains(u"active"_qs), qPrintable(otherOutput), 30000);

        QTest::qWait((remainingSeconds + 1) * 1000);
        QVERIFY2(loggedRounds().isEmpty(), "counted without input");
        QElapsedTimer sinceInput;
        sinceInput.start();
        while (loggedRounds().isEmpty() && sinceInput.elapsed() < 20000) {
            QVERIFY(session.press({ keyLeftShift }));
            QTest::qWait(100);
        }
        QVERIFY2(sinceInput.elapsed() >= remainingSeconds * 1000 - 200, "counted more than the input");
        const QStringList fields = loggedRounds().value(0).split(u',');
        QCOMPARE(fields.value(8), u"true"_qs);
        QCOMPARE(fields.value(6).toDouble(), 60.0);
        QTRY_COMPARE_WITH_TIMEOUT(notifications.summaries, QStringList { u"Round Complete"_qs }, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(trayItemStatus(), u"NeedsAttention"_qs, 10000);
        // The compositor gives the focus back to the program's window.
        otherWindow.terminate();
        QTRY_COMPARE_WITH_TIMEOUT(trayItemStatus(), u"Active"_qs, 30000);

        QProcess breakWindow;
        connect(&breakWindow, &QProcess::readyRead, this,
            [&] { breakOutput += QString::fromUtf8(breakWindow.readAll()); });
        session.startClient(breakWindow, QStringLiteral(QUORVANE_BREAK_WINDOW), { u"break"_qs });
        for (const QString &line : { u"full screen"_qs, u"active"_qs })
            QTRY_VERIFY2_WITH_TIMEOUT(
                breakOutput.split(u'\n').contains(line), qPrintable(breakOutput), 30000);
        QTRY_VERIFY2_WITH_TIMEOUT(
            breakOutput.contains(u"(inhibitor active)"_qs), qPrintable(breakOutput), 30000);
        // After the window's hang, longer than the watchdog time, the request is made again.
        QTRY_COMPARE_WITH_TIMEOUT(breakOutput.count(u"Asked the compositor"_qs), 2, 20000);
        QElapsedTimer waited;
        waited.start();
        while (breakWindow.state() != QProcess::NotRunning && waited.elapsed() < 20000) {
            QVERIFY(session.press({ keyLeftControl, keyLeftAlt, keyLeftSuper, keyEscape }));
            breakWindow.waitForFinished(300);
        }
        QVERIFY2(breakOutput.split(u'\n').contains(u"chord"_qs), qPrintable(breakOutput));
        for (QProcess *client : { &otherWindow, &program }) {
            client->terminate();
            client->waitForFinished(20000);
        }
    }
};

QTEST_GUILESS_MAIN(WaylandCompositorsTest)
#include "tst_wayland_compositors.moc"
