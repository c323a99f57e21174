#include "PrivateSessionBus.h"
#include "PrivateXServer.h"
#include "StandInStatusNotifierWatcher.h"
#include "TestSupport.h"
#include "X11CloseRequest.h"
#include "platform/XcbHandles.h"

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPoint>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTest>
#include <QThread>
#include <csignal>
#include <memory>

namespace {

// What the program printed, or nothing when it failed.
QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    const bool succeeded = process.waitForFinished(20000) && process.exitStatus() == QProcess::NormalExit
        && process.exitCode() == 0;
    return succeeded ? QString::fromUtf8(process.readAllStandardOutput()) : QString();
}

QString windowTree()
{
    // Qt's GLX makes a hidden 100 x 100 window for every OpenGL context it creates and destroys it at
    // once, and the program creates contexts while its window first shows. A walk that meets such a
    // window as it goes fails as a whole and lists nothing after it, so a failed walk is repeated rather
    // than read as "no window".
    for (int attempt = 0; attempt < 20; ++attempt) {
        const QString tree
            = run(QStringLiteral("xwininfo"), { QStringLiteral("-root"), QStringLiteral("-tree") });
        if (!tree.isEmpty())
            return tree;
    }
    return {};
}

// The program's top-level windows of at least `minimum` pixels square and at most `maximum`, named
// `title`.
QStringList windows(const QString &title, int minimum, int maximum)
{
    const QRegularExpression line(
        QStringLiteral(R"((0x[0-9a-f]+) "%1": \("quorvane" "Quorvane"\)\s+(\d+)x(\d+))")
            .arg(QRegularExpression::escape(title)));
    QStringList found;
    auto matches = line.globalMatch(windowTree());
    while (matches.hasNext()) {
        const auto match = matches.next();
        const int width = match.captured(2).toInt();
        const int height = match.captured(3).toInt();
        if (std::min(width, height) >= minimum && std::max(width, height) <= maximum)
            found.append(match.captured(1));
    }
    return found;
}

bool isViewable(const QString &window)
{
    return run(QStringLiteral("xwininfo"), { QStringLiteral("-id"), window })
        .contains(QStringLiteral("Map State: IsViewable"));
}

// The main window, if it is on screen.
QString shownMainWindow()
{
    for (const QString &window : windows(QStringLiteral("柯帆"), 200, 100000)) {
        if (isViewable(window))
            return window;
    }
    return {};
}

// The tray host embeds the icon as a small window of ours inside its panel.
bool trayIconIsDocked()
{
    return !windows(QStringLiteral("Quorvane"), 1, 64).isEmpty();
}

// The title bar's close request for the program's window, sent on a connection of the test's own.
bool askToClose(const QString &window)
{
    XcbConnection connection(xcb_connect(nullptr, nullptr));
    if (xcb_connection_has_error(connection.get()))
        return false;
    sendCloseRequest(connection.get(), xcb_window_t(window.toUInt(nullptr, 16)));
    // A round trip before the connection closes: a request still unread when it closes may be dropped.
    XcbReply<xcb_get_input_focus_reply_t> focus(
        xcb_get_input_focus_reply(connection.get(), xcb_get_input_focus(connection.get()), nullptr));
    return focus != nullptr;
}

// Sends the title bar's close request the moment the program's main window first maps, before the
// program has drawn, docked its icon or finished starting: the earliest close a user or a window
// manager can send. Set up before the program starts, so that no map goes unseen.
class FirstMapCloser
{
public:
    FirstMapCloser()
        : m_connection(xcb_connect(nullptr, nullptr))
    {
        if (xcb_connection_has_error(m_connection.get()))
            return;
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(m_connection.get())).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        const XcbReply<xcb_generic_error_t> error(xcb_request_check(m_connection.get(),
            xcb_change_window_attributes_checked(m_connection.get(), root, XCB_CW_EVENT_MASK, &mask)));
        m_watching = error == nullptr;
    }

    bool isWatching() const { return m_watching; }

    // The first top-level window of at least 200 pixels square is the main window: the tray icon and
    // the graphics probes are smaller, and the sheets stay unmapped.
    bool closeMainWindowAsItMaps(int timeoutMilliseconds)
    {
        QElapsedTimer elapsed;
        elapsed.start();
        while (elapsed.elapsed() < timeoutMilliseconds) {
            while (const XcbReply<xcb_generic_event_t> event { xcb_poll_for_event(m_connection.get()) }) {
                if ((event->response_type & ~0x80) != XCB_MAP_NOTIFY)
                    continue;
                const xcb_window_t window = reinterpret_cast<xcb_map_notify_event_t *>(event.get())->window;
                if (!isMainWindowSized(window))
                    continue;
                sendCloseRequest(m_connection.get(), window);
                const XcbReply<xcb_get_input_focus_reply_t> focus(xcb_get_input_focus_reply(
                    m_connection.get(), xcb_get_input_focus(m_connection.get()), nullptr));
                return focus != nullptr;
            }
            if (xcb_connection_has_error(m_connection.get()))
                return false;
            QThread::msleep(1);
        }
        return false;
    }

private:
    XcbConnection m_connection;
    bool m_watching = false;

    bool isMainWindowSized(xcb_window_t window)
    {
        const XcbReply<xcb_get_geometry_reply_t> geometry(xcb_get_geometry_reply(
            m_connection.get(), xcb_get_geometry(m_connection.get(), window), nullptr));
        return geometry && std::min(geometry->width, geometry->height) >= 200;
    }
};

// A panel that shows only StatusNotifierItems, on a session bus of the test's own: it comes when
// `appear()` registers its watcher, and calls the item that registers there.
class StandInPanel
{
public:
    bool start()
    {
        if (!m_bus.start())
            return false;
        m_connection = QDBusConnection::connectToBus(m_bus.address(), QStringLiteral("panel"));
        return m_connection.isConnected();
    }

    ~StandInPanel() { QDBusConnection::disconnectFromBus(QStringLiteral("panel")); }

    // The environment of a program on the panel's bus.
    QProcessEnvironment environment() const
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_bus.address());
        return environment;
    }

    bool appear()
    {
        return m_connection.registerObject(
                   QStringLiteral("/StatusNotifierWatcher"), &m_watcher, QDBusConnection::ExportAllContents)
            && m_connection.registerService(QStringLiteral("org.kde.StatusNotifierWatcher"));
    }

    bool hasItem() const { return !m_watcher.itemOwner().isEmpty(); }

    QDBusMessage call(
        const QString &path, const QString &interface, const QString &method, const QVariantList &arguments)
    {
        QDBusMessage message = QDBusMessage::createMethodCall(m_watcher.itemOwner(), path, interface, method);
        message.setArguments(arguments);
        return m_connection.call(message, QDBus::Block, 10000);
    }

    QVariant itemProperty(const QString &name)
    {
        return call(QStringLiteral("/StatusNotifierItem"), QStringLiteral("org.freedesktop.DBus.Properties"),
            QStringLiteral("Get"), { QStringLiteral("org.kde.StatusNotifierItem"), name })
            .arguments()
            .value(0)
            .value<QDBusVariant>()
            .variant();
    }

    // The item's menu entries, id and label in order.
    QList<std::pair<int, QString>> menu()
    {
        const QDBusMessage reply = call(QStringLiteral("/MenuBar"), QStringLiteral("com.canonical.dbusmenu"),
            QStringLiteral("GetLayout"), { 0, -1, QStringList() });
        const QDBusArgument layout = reply.arguments().value(1).value<QDBusArgument>();
        QList<std::pair<int, QString>> entries;
        int id = 0;
        QVariantMap properties;
        layout.beginStructure();
        layout >> id >> properties;
        layout.beginArray();
        while (!layout.atEnd()) {
            QDBusVariant child;
            layout >> child;
            const QDBusArgument entry = child.variant().value<QDBusArgument>();
            entry.beginStructure();
            entry >> id >> properties;
            entry.endStructure();
            entries.append({ id, properties.value(QStringLiteral("label")).toString() });
        }
        return entries;
    }

private:
    PrivateSessionBus m_bus;
    QDBusConnection m_connection { QString() };
    StandInStatusNotifierWatcher m_watcher;
};

// The startup-notification messages that reach the root window, read as a launcher reads them: in pieces
// of 20 bytes, each message ended by a zero byte.
struct StartupMessages
{
    XcbConnection connection { xcb_connect(nullptr, nullptr) };
    xcb_atom_t begin = internAtom(connection.get(), "_NET_STARTUP_INFO_BEGIN");
    xcb_atom_t more = internAtom(connection.get(), "_NET_STARTUP_INFO");
    QByteArray received;

    StartupMessages()
    {
        const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_change_window_attributes(connection.get(),
            xcb_setup_roots_iterator(xcb_get_setup(connection.get())).data->root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(connection.get());
    }

    QByteArray first()
    {
        while (XcbReply<xcb_generic_event_t> event { xcb_poll_for_event(connection.get()) }) {
            const auto *message = reinterpret_cast<const xcb_client_message_event_t *>(event.get());
            if ((event->response_type & 0x7f) == XCB_CLIENT_MESSAGE
                && (message->type == begin || message->type == more))
                received.append(reinterpret_cast<const char *>(message->data.data8), 20);
        }
        return received.contains('\0') ? received.left(received.indexOf('\0')) : QByteArray();
    }
};

// Where a window's top-left corner is on the screen.
QPoint screenPosition(const QString &window)
{
    const QString info = run(QStringLiteral("xwininfo"), { QStringLiteral("-id"), window });
    const QRegularExpression corner(
        QStringLiteral(R"(Absolute upper-left X:\s+(-?\d+)\s+Absolute upper-left Y:\s+(-?\d+))"));
    const auto match = corner.match(info);
    return match.hasMatch() ? QPoint(match.captured(1).toInt(), match.captured(2).toInt()) : QPoint(-1, -1);
}

} // namespace

// The real program on an X server of the test's own, with or without trayer as the tray host.
class ApplicationTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<PrivateXServer> m_server;
    std::unique_ptr<TemporaryDataHome> m_home;
    QProcess m_trayHost;
    QProcess m_program;

    QString dataFile(const QString &name) const
    {
        return m_home->filePath(QStringLiteral("data/Quorvane/") + name);
    }

    void startTrayHost()
    {
        m_trayHost.start(QStringLiteral("trayer"),
            { QStringLiteral("--edge"), QStringLiteral("top"), QStringLiteral("--align"),
                QStringLiteral("right"), QStringLiteral("--widthtype"), QStringLiteral("pixel"),
                QStringLiteral("--width"), QStringLiteral("120") });
        QVERIFY(m_trayHost.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(windowTree().contains(QStringLiteral("panel")), 20000);
    }

    static void launch(QProcess &program, const QStringList &arguments = {})
    {
        program.setProcessChannelMode(QProcess::ForwardedChannels);
        program.start(QStringLiteral(QUORVANE_EXECUTABLE), arguments);
        QVERIFY(program.waitForStarted());
    }

    // Started from a menu entry: the launcher waits for the started program to end its notice.
    static void launchFromMenu(QProcess &program, const QStringList &arguments = {})
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("DESKTOP_STARTUP_ID"), QStringLiteral("launcher-7-host_TIME1234"));
        program.setProcessEnvironment(environment);
        launch(program, arguments);
    }
    static inline const QByteArray startupRemoval = "remove: ID=\"launcher-7-host_TIME1234\"";

    // Starts the program and waits until its first round is saved and its window shows.
    void startProgram(QProcess &program)
    {
        launch(program);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(dataFile(QStringLiteral("active-focus-session.json"))), 30000);
        QTRY_VERIFY_WITH_TIMEOUT(!shownMainWindow().isEmpty(), 30000);
    }

    static void stop(QProcess &process)
    {
        if (process.state() == QProcess::NotRunning)
            return;
        ::kill(pid_t(process.processId()), SIGCONT);
        process.terminate();
        if (!process.waitForFinished(20000))
            process.kill();
        process.waitForFinished(20000);
    }

    // Ends the program with `end` and checks that it quit on its own, saving the running round.
    void checkQuitsSavingTheRound(const std::function<void()> &end)
    {
        // Saved times have whole-second precision in places; leave the start-up save behind.
        QTest::qWait(1200);
        const double requestedAt = QDateTime::currentMSecsSinceEpoch() / 1000.0;
        end();
        QVERIFY(m_program.waitForFinished(30000));
        QCOMPARE(m_program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(m_program.exitCode(), 0);
        const QJsonObject saved
            = QJsonDocument::fromJson(readFileBytes(dataFile(QStringLiteral("active-focus-session.json"))))
                  .object();
        QVERIFY(saved.value(QStringLiteral("savedAtEpoch")).toDouble() >= requestedAt - 0.01);
        QCOMPARE(saved.value(QStringLiteral("title")).toString(), QStringLiteral("第 1 轮专注"));
        // A first launch stores its defaults, so the default wheel items keep their identities.
        const QByteArray preferences = readFileBytes(dataFile(QStringLiteral("preferences.json")));
        QCOMPARE(QJsonDocument::fromJson(preferences).object().size(), 18);
    }

private slots:
    void init()
    {
        m_server = std::make_unique<PrivateXServer>();
        QVERIFY2(m_server->isRunning(), qPrintable(m_server->error()));
        m_home = std::make_unique<TemporaryDataHome>();
    }

    void cleanup()
    {
        stop(m_program);
        // A start from a menu leaves the launcher's notice in the environment of the next.
        m_program.setProcessEnvironment(QProcessEnvironment(QProcessEnvironment::InheritFromParent));
        stop(m_trayHost);
        m_home.reset();
        m_server.reset();
    }

    void terminationSavesTheRunningRound()
    {
        startTrayHost();
        startProgram(m_program);
        QTRY_VERIFY_WITH_TIMEOUT(trayIconIsDocked(), 30000);
        checkQuitsSavingTheRound([this] { ::kill(pid_t(m_program.processId()), SIGTERM); });
    }

    void closingTheWindowWithoutATrayHostQuits()
    {
        startProgram(m_program);
        const QString window = shownMainWindow();
        checkQuitsSavingTheRound([&] { QVERIFY(askToClose(window)); });
    }

    void closingTheWindowWithATrayHostHidesIt()
    {
        startTrayHost();
        startProgram(m_program);
        QTRY_VERIFY_WITH_TIMEOUT(trayIconIsDocked(), 30000);
        QVERIFY(askToClose(shownMainWindow()));
        QTRY_VERIFY_WITH_TIMEOUT(shownMainWindow().isEmpty(), 30000);
        QTest::qWait(1000);
        QCOMPARE(m_program.state(), QProcess::Running);
    }

    // Closed as its window first maps, or started hidden: a tray host keeps it with only the icon; without
    // one, the closed program quits and the hidden one shows its window.
    void startsWithoutTheWindow_data()
    {
        QTest::addColumn<bool>("hidden");
        QTest::addColumn<bool>("trayHost");
        QTest::newRow("closed as it first shows, with a tray host") << false << true;
        QTest::newRow("closed as it first shows, without a tray host") << false << false;
        QTest::newRow("started hidden, with a tray host") << true << true;
        QTest::newRow("started hidden, without a tray host") << true << false;
    }

    void startsWithoutTheWindow()
    {
        QFETCH(bool, hidden);
        QFETCH(bool, trayHost);
        if (trayHost)
            startTrayHost();
        FirstMapCloser closer;
        QVERIFY(closer.isWatching());
        StartupMessages ownStartupMessages;
        if (hidden)
            launchFromMenu(m_program, { QStringLiteral("--hidden") });
        else
            launch(m_program);
        QVERIFY(hidden || closer.closeMainWindowAsItMaps(60000));
        if (hidden && trayHost) {
            // With no window to map, the copy ends its launcher's notice itself once it has decided to
            // stay in the tray, on the connection a window would map on: one shown would be mapped by now.
            QTRY_COMPARE_WITH_TIMEOUT(ownStartupMessages.first(), startupRemoval, 30000);
            QVERIFY(shownMainWindow().isEmpty());
        }
        if (trayHost) {
            QTRY_VERIFY_WITH_TIMEOUT(shownMainWindow().isEmpty(), 30000);
            QTRY_VERIFY_WITH_TIMEOUT(trayIconIsDocked(), 30000);
            // The copy ends a later start's notice from its event loop, on the connection its window maps
            // on: once a start that asks for no view has had its notice ended, the copy has finished
            // starting, and a window it showed would be mapped by then.
            StartupMessages startupMessages;
            QProcess second;
            launchFromMenu(second, { QStringLiteral("--hidden") });
            QVERIFY(second.waitForFinished(30000));
            QTRY_COMPARE_WITH_TIMEOUT(startupMessages.first(), startupRemoval, 30000);
            QVERIFY(shownMainWindow().isEmpty());
            QCOMPARE(m_program.state(), QProcess::Running);
        } else if (hidden) {
            QTRY_VERIFY_WITH_TIMEOUT(!shownMainWindow().isEmpty(), 30000);
        } else {
            QVERIFY(m_program.waitForFinished(30000));
            QCOMPARE(m_program.exitStatus(), QProcess::NormalExit);
            QCOMPARE(m_program.exitCode(), 0);
        }
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(dataFile(QStringLiteral("active-focus-session.json"))), 30000);
    }

    void aTrayHostThatStartsLaterGetsTheIcon()
    {
        startProgram(m_program);
        QVERIFY(!trayIconIsDocked());
        startTrayHost();
        QTRY_VERIFY_WITH_TIMEOUT(trayIconIsDocked(), 30000);
        QCOMPARE(m_program.state(), QProcess::Running);
    }

    void aPanelThatComesLaterShowsTheItem_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::newRow("a left click") << QString();
        QTest::newRow("Show Quorvane") << QStringLiteral("显示柯帆");
        QTest::newRow("Daily Insights, which opens a sheet too") << QStringLiteral("每日统计");
    }

    // A panel that shows only StatusNotifierItems and starts after the program, as at many logins, under
    // a window manager, which places every window that maps without a place of its own.
    void aPanelThatComesLaterShowsTheItem()
    {
        QFETCH(QString, entry);
        QProcess manager;
        manager.start(QStringLiteral("openbox"), { QStringLiteral("--sm-disable") });
        QTRY_VERIFY_WITH_TIMEOUT(run(QStringLiteral("xprop"),
                                     { QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK") })
                                     .contains(QStringLiteral("window id")),
            30000);
        StandInPanel panel;
        QVERIFY(panel.start());
        // A program of its own: its environment must not pass on to the other cases. Its icon is installed,
        // so the panel finds it by name.
        QVERIFY(QDir().mkpath(m_home->filePath(QStringLiteral("share/icons/hicolor/symbolic/apps"))));
        QVERIFY(writeFileBytes(
            m_home->filePath(QStringLiteral("share/icons/hicolor/symbolic/apps/quorvane-timer-symbolic.svg")),
            "<svg xmlns=\"http://www.w3.org/2000/svg\"/>"));
        QProcessEnvironment environment = panel.environment();
        environment.insert(
            QStringLiteral("XDG_DATA_DIRS"), m_home->filePath(QStringLiteral("share:/usr/share")));
        QProcess program;
        program.setProcessEnvironment(environment);
        startProgram(program);
        QVERIFY(panel.appear());
        QTRY_VERIFY_WITH_TIMEOUT(panel.hasItem(), 30000);
        QCOMPARE(panel.itemProperty(QStringLiteral("IconName")).toString(),
            QStringLiteral("quorvane-timer-symbolic"));
        // No pictures beside the name: the panel reads them again at every change of the item.
        const auto pictures = panel.itemProperty(QStringLiteral("IconPixmap")).value<QDBusArgument>();
        pictures.beginArray();
        while (!pictures.atEnd()) {
            int width = 0, height = 0;
            QByteArray pixels;
            pictures.beginStructure();
            pictures >> width >> height >> pixels;
            pictures.endStructure();
            QCOMPARE(pixels.size(), 0);
        }
        const auto menu = panel.menu();
        QCOMPARE(menu.value(0).second, QStringLiteral("显示柯帆"));
        QCOMPARE(menu.value(menu.size() - 1).second, QStringLiteral("退出"));

        // The panel keeps the program while the window is closed, and brings the window back where it was.
        const QString window = shownMainWindow();
        run(QStringLiteral("xdotool"),
            { QStringLiteral("windowmove"), QString::number(window.toUInt(nullptr, 16)),
                QStringLiteral("700"), QStringLiteral("300") });
        QTRY_COMPARE_WITH_TIMEOUT(screenPosition(window), QPoint(700, 300), 30000);
        QVERIFY(askToClose(window));
        QTRY_VERIFY_WITH_TIMEOUT(shownMainWindow().isEmpty(), 30000);
        QCOMPARE(program.state(), QProcess::Running);
        if (entry.isEmpty()) {
            panel.call(QStringLiteral("/StatusNotifierItem"), QStringLiteral("org.kde.StatusNotifierItem"),
                QStringLiteral("Activate"), { 0, 0 });
        } else {
            for (const auto &[id, label] : menu) {
                if (label == entry)
                    panel.call(QStringLiteral("/MenuBar"), QStringLiteral("com.canonical.dbusmenu"),
                        QStringLiteral("Event"),
                        { id, QStringLiteral("clicked"), QVariant::fromValue(QDBusVariant(0)), 0u });
            }
        }
        QTRY_VERIFY_WITH_TIMEOUT(!shownMainWindow().isEmpty(), 30000);
        QTRY_COMPARE_WITH_TIMEOUT(screenPosition(shownMainWindow()), QPoint(700, 300), 10000);
        stop(program);
        stop(manager);
    }

    void ctrlQQuits()
    {
        startTrayHost();
        startProgram(m_program);
        const QString window = shownMainWindow();
        checkQuitsSavingTheRound([&] {
            run(QStringLiteral("xdotool"),
                { QStringLiteral("windowfocus"), QStringLiteral("--sync"), window, QStringLiteral("key"),
                    QStringLiteral("ctrl+q") });
        });
    }

    void aSecondStartShowsTheFirstAndChangesNothing()
    {
        startTrayHost();
        startProgram(m_program);
        QTRY_VERIFY_WITH_TIMEOUT(trayIconIsDocked(), 30000);
        QVERIFY(askToClose(shownMainWindow()));
        QTRY_VERIFY_WITH_TIMEOUT(shownMainWindow().isEmpty(), 30000);

        // Held still, the first copy writes nothing while the second runs: any change is the second's.
        QVERIFY(::kill(pid_t(m_program.processId()), SIGSTOP) == 0);
        const QMap<QString, QByteArray> before = fileBytesBelow(m_home->filePath(QStringLiteral("data")));
        QVERIFY(before.contains(dataFile(QStringLiteral("instance.lock"))));
        QProcess second;
        StartupMessages startupMessages;
        QElapsedTimer elapsed;
        elapsed.start();
        launchFromMenu(second);
        const bool finished = second.waitForFinished(30000);
        qInfo("The second start ended after %lld ms", elapsed.elapsed());
        QVERIFY(::kill(pid_t(m_program.processId()), SIGCONT) == 0);
        QVERIFY(finished);
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(fileBytesBelow(m_home->filePath(QStringLiteral("data"))), before);

        QTRY_VERIFY_WITH_TIMEOUT(!shownMainWindow().isEmpty(), 30000);
        QTRY_COMPARE_WITH_TIMEOUT(startupMessages.first(), startupRemoval, 30000);
        QCOMPARE(m_program.state(), QProcess::Running);
    }

    void aKilledCopyDoesNotStopTheNextStart()
    {
        startProgram(m_program);
        ::kill(pid_t(m_program.processId()), SIGKILL);
        QVERIFY(m_program.waitForFinished(30000));
        QTRY_VERIFY_WITH_TIMEOUT(shownMainWindow().isEmpty(), 30000);
        QVERIFY(QFile::exists(dataFile(QStringLiteral("instance.lock"))));

        startProgram(m_program);
        QTest::qWait(1000);
        QCOMPARE(m_program.state(), QProcess::Running);
    }
};

QTEST_GUILESS_MAIN(ApplicationTest)
#include "tst_x11_application.moc"
