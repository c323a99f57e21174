#include "PrivateSessionBus.h"
#include "StandInNotificationServer.h"
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

// A Linux input key code, and the name wtype gives the key on sway.
struct Key
{
    uint code;
    const char *name;
};
constexpr Key escape { 1, "Escape" }, leftControl { 29, "ctrl" }, leftShift { 42, "Shift_L" },
    leftAlt { 56, "alt" }, leftSuper { 125, "logo" };

// Seconds of the restored round that remain: input must count them, and a wait as long without input
// must not.
constexpr int remainingSeconds = 3;

// A compositor or its client; what it prints outlives its end, which may still print.
struct Client : QProcess
{
    QString output;
    Client()
    {
        setProcessChannelMode(QProcess::MergedChannels);
        connect(this, &QProcess::readyRead, this, [this] { output += QString::fromUtf8(readAll()); });
    }
    ~Client()
    {
        terminate();
        waitForFinished(20000);
    }
    bool said(const QString &line) const { return output.split(u'\n').contains(line); }
};

// A compositor with its runtime folder, and the input devices a test may drive it with: mutter's remote
// desktop, KWin's fake input, a virtual keyboard on sway.
class HeadlessCompositor
{
public:
    HeadlessCompositor(const QString &name, const QString &busAddress)
        : m_name(name)
        , m_bus(QDBusConnection::connectToBus(busAddress, name + u" input"_qs))
    {
        m_environment.insert(u"XDG_RUNTIME_DIR"_qs, m_runtime.path());
        m_environment.insert(u"DBUS_SESSION_BUS_ADDRESS"_qs, busAddress);
        m_environment.remove(u"DISPLAY"_qs);
        m_environment.remove(u"WAYLAND_DISPLAY"_qs);
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

    const QString &log() const { return m_process.output; }

    void startClient(QProcess &client, const QString &program, const QStringList &arguments = {}) const
    {
        client.setProcessEnvironment(m_environment);
        client.start(program, arguments);
    }

    // Presses the keys in order and releases them in reverse.
    bool press(const QList<Key> &keys)
    {
        if (m_name == u"mutter") {
            for (const bool pressed : { true, false }) {
                for (const Key &key : keys) {
                    if (!remoteDesktopCall(u"NotifyKeyboardKeycode"_qs, { key.code, pressed }))
                        return false;
                }
            }
            return true;
        }
        // KWin's fake input takes the codes; wtype holds the modifiers around the last key.
        QStringList arguments;
        const QList<Key> held = keys.first(keys.size() - 1);
        if (m_name == u"kwin") {
            for (const Key &key : keys)
                arguments << QString::number(key.code);
        } else {
            for (const Key &key : held)
                arguments << u"-M"_qs << QString::fromLatin1(key.name);
            arguments << u"-k"_qs << QString::fromLatin1(keys.last().name);
            for (const Key &key : held)
                arguments << u"-m"_qs << QString::fromLatin1(key.name);
        }
        Client device;
        startClient(
            device, m_name == u"kwin" ? QStringLiteral(QUORVANE_KWIN_FAKE_INPUT) : u"wtype"_qs, arguments);
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
    Client m_process;
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
        // No input told while an idle inhibitor is held: mutter's monitor ignores it.
        QTest::addColumn<bool>("withholdsInput");
        QTest::newRow("mutter") << u"mutter"_qs << u"GNOME's idle monitor"_qs << false;
        QTest::newRow("KWin") << u"kwin"_qs << u"the compositor's idle notifications"_qs << true;
        QTest::newRow("sway") << u"sway"_qs << u"the compositor's org_kde_kwin_idle"_qs << true;
    }

    void roundAndBreakOnEachCompositor()
    {
        QFETCH(QString, compositor);
        QFETCH(QString, activitySource);
        QFETCH(bool, withholdsInput);
        PrivateSessionBus privateBus;
        QVERIFY(privateBus.start());
        QDBusConnection bus = QDBusConnection::connectToBus(privateBus.address(), compositor);
        StandInNotificationServer notifications(privateBus.address(), compositor);
        StandInStatusNotifierWatcher tray;
        QVERIFY(bus.registerObject(u"/StatusNotifierWatcher"_qs, &tray, QDBusConnection::ExportAllContents));
        QVERIFY(bus.registerService(u"org.kde.StatusNotifierWatcher"_qs));
        const auto trayItemStatus = [&](const QString &property = u"Status"_qs) {
            const QDBusMessage reply
                = bus.call(QDBusMessage::createMethodCall(tray.itemOwner(), u"/StatusNotifierItem"_qs,
                               u"org.freedesktop.DBus.Properties"_qs, u"Get"_qs)
                    << u"org.kde.StatusNotifierItem"_qs << property);
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
        HeadlessCompositor session(compositor, privateBus.address());
        QVERIFY2(session.start(), qPrintable(session.log()));
        const auto loggedRounds = [&] {
            return QString::fromUtf8(readFileBytes(data + u"focus-session-log.csv"_qs))
                .split(u'\n', Qt::SkipEmptyParts)
                .mid(1);
        };

        Client program;
        session.startClient(program, QStringLiteral(QUORVANE_EXECUTABLE));
        QTRY_VERIFY2_WITH_TIMEOUT(program.output.contains(u"Input activity: "_qs + activitySource),
            qPrintable(program.output), 30000);
        // Another window takes the focus once the program's has had it.
        QTRY_VERIFY2_WITH_TIMEOUT(
            program.output.contains(u"WindowActive)"_qs), qPrintable(program.output), 30000);
        Client otherWindow;
        session.startClient(otherWindow, QStringLiteral(QUORVANE_BREAK_WINDOW));
        QTRY_VERIFY2_WITH_TIMEOUT(otherWindow.said(u"active"_qs), qPrintable(otherWindow.output), 30000);
        QVERIFY2(program.output.contains(u"offers to send its shortcuts to the break window"_qs),
            "not known at the round's end");

        QTest::qWait((remainingSeconds + 1) * 1000);
        QVERIFY2(loggedRounds().isEmpty(), "counted without input");
        // While a window keeps the screen awake as a video does, KWin and sway tell no input: neither it nor
        // its absence counts, and the program says so.
        if (withholdsInput) {
            Client video;
            session.startClient(video, QStringLiteral(QUORVANE_BREAK_WINDOW), { u"inhibit"_qs });
            QTRY_VERIFY2_WITH_TIMEOUT(
                program.output.contains(u"withholds input"_qs), qPrintable(program.output), 30000);
            for (int press = 0; press < (remainingSeconds + 1) * 10; ++press) {
                QVERIFY(session.press({ leftShift }));
                QTest::qWait(100);
            }
            QVERIFY2(loggedRounds().isEmpty(), "counted while the input was withheld");
            video.terminate();
            QTRY_VERIFY2_WITH_TIMEOUT(
                program.output.contains(u"tells input again"_qs), qPrintable(program.output), 30000);
        }
        QElapsedTimer sinceInput;
        sinceInput.start();
        while (loggedRounds().isEmpty() && sinceInput.elapsed() < 20000) {
            QVERIFY(session.press({ leftShift }));
            QTest::qWait(100);
        }
        QVERIFY2(sinceInput.elapsed() >= remainingSeconds * 1000 - 200, "counted more than the input");
        const QStringList fields = loggedRounds().value(0).split(u',');
        QCOMPARE(fields.value(8), u"true"_qs);
        QCOMPARE(fields.value(6).toDouble(), 60.0);
        QTRY_COMPARE_WITH_TIMEOUT(notifications.shown,
            QStringList { u"Round Complete|default,Open Quorvane|org.quorvane.Quorvane"_qs }, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(trayItemStatus(), u"NeedsAttention"_qs, 10000);
        // A host draws the attention icon then; without one swaybar draws noise.
        QVERIFY(!trayItemStatus(u"AttentionIconName"_qs).isEmpty());
        // Without a token from the server the window asks for one of its own, as at the round's end.
        notifications.send(u"ActionInvoked 7 default"_qs);
        QTRY_COMPARE_WITH_TIMEOUT(
            program.output.count(u"with a token asked for its own surface"_qs), 2, 10000);
        // The compositor gives the focus back to the program's window, which takes back the used notice.
        otherWindow.terminate();
        QTRY_COMPARE_WITH_TIMEOUT(trayItemStatus(), u"Active"_qs, 30000);
        QTRY_COMPARE_WITH_TIMEOUT(notifications.closed, QList<uint> { 7 }, 10000);

        Client breakWindow;
        session.startClient(breakWindow, QStringLiteral(QUORVANE_BREAK_WINDOW), { u"break"_qs });
        for (const QString &line : { u"full screen"_qs, u"active"_qs })
            QTRY_VERIFY2_WITH_TIMEOUT(breakWindow.said(line), qPrintable(breakWindow.output), 30000);
        QTRY_VERIFY2_WITH_TIMEOUT(
            breakWindow.output.contains(u"(inhibitor active)"_qs), qPrintable(breakWindow.output), 30000);
        // After the window's hang, longer than the watchdog time, the request is made again.
        QTRY_COMPARE_WITH_TIMEOUT(breakWindow.output.count(u"Asked the compositor"_qs), 2, 20000);
        QElapsedTimer waited;
        waited.start();
        while (breakWindow.state() != QProcess::NotRunning && waited.elapsed() < 20000) {
            QVERIFY(session.press({ leftControl, leftAlt, leftSuper, escape }));
            breakWindow.waitForFinished(300);
        }
        QVERIFY2(breakWindow.said(u"chord"_qs), qPrintable(breakWindow.output));
    }
};

QTEST_GUILESS_MAIN(WaylandCompositorsTest)
#include "tst_wayland_compositors.moc"
