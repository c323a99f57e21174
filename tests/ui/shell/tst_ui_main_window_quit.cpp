#include "PrivateXServer.h"
#include "platform/MainWindowQuit.h"
#include "platform/TrayHostPresence.h"
#include "platform/XcbHandles.h"
#include "ui/shell/KeyboardLockGuard.h"

#include <QSignalSpy>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include <QTest>
#include <QWindow>
#include <memory>

// The ways out of the program from its main window, on an X server of the test's own so that no tray
// host of another program decides what closing does.
namespace {

bool trayHostShowsIcon()
{
    return TrayHostPresence::showsIcon(TrayHostPresence::current());
}

// A window of the test's own takes the tray selection, Qt looks it up, and the window ends before Qt's
// event loop runs again: the same as a tray host that crashes just as Qt finds it. Qt goes on calling
// the tray available.
bool leaveQtWithADeadTrayHost()
{
    XcbConnection connection(xcb_connect(nullptr, nullptr));
    xcb_connection_t *x = connection.get();
    if (xcb_connection_has_error(x))
        return false;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const xcb_atom_t selection = internAtom(x, TrayHostPresence::xembedSelection(0).constData());
    const xcb_window_t host = xcb_generate_id(x);
    xcb_create_window(x, XCB_COPY_FROM_PARENT, host, root, 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
        XCB_COPY_FROM_PARENT, 0, nullptr);
    xcb_set_selection_owner(x, host, selection, XCB_CURRENT_TIME);
    const XcbReply<xcb_get_selection_owner_reply_t> owner(
        xcb_get_selection_owner_reply(x, xcb_get_selection_owner(x, selection), nullptr));
    if (!owner || owner->owner != host || !QSystemTrayIcon::isSystemTrayAvailable())
        return false;
    xcb_destroy_window(x, host);
    // The round trip makes sure the server has ended the window before anything else happens.
    const XcbReply<xcb_get_input_focus_reply_t> focus(
        xcb_get_input_focus_reply(x, xcb_get_input_focus(x), nullptr));
    return focus != nullptr;
}

} // namespace

class MainWindowQuitTest : public QObject
{
    Q_OBJECT

private:
    QProcess m_trayHost;
    std::unique_ptr<QWindow> m_window;

    bool startTrayHost()
    {
        m_trayHost.start(QStandardPaths::findExecutable(QStringLiteral("trayer")), {});
        return m_trayHost.waitForStarted();
    }

    void stopTrayHost()
    {
        if (m_trayHost.state() == QProcess::NotRunning)
            return;
        m_trayHost.terminate();
        if (!m_trayHost.waitForFinished(10000))
            m_trayHost.kill();
        m_trayHost.waitForFinished(10000);
    }

private slots:
    void initTestCase()
    {
        if (QGuiApplication::platformName() != u"xcb")
            QSKIP("needs an X server");
        QVERIFY2(
            !QStandardPaths::findExecutable(QStringLiteral("trayer")).isEmpty(), "trayer is not installed");
    }

    void init()
    {
        m_window = std::make_unique<QWindow>();
        m_window->resize(320, 240);
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        m_window->requestActivate();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    void cleanup()
    {
        m_window.reset();
        stopTrayHost();
        // Qt's own answer may stay "available" for good once a host has ended unheard; the hosts
        // themselves tell.
        QTRY_VERIFY_WITH_TIMEOUT(!trayHostShowsIcon(), 30000);
    }

    void closingTheWindow_data()
    {
        QTest::addColumn<QString>("trayHost");
        QTest::addColumn<bool>("quits");
        QTest::newRow("no tray host: nothing else would be left") << QStringLiteral("none") << true;
        QTest::newRow("a tray host keeps the program") << QStringLiteral("trayer") << false;
        QTest::newRow("a tray host that ended as Qt found it leaves nothing")
            << QStringLiteral("ended unheard") << true;
    }

    void closingTheWindow()
    {
        QFETCH(QString, trayHost);
        QFETCH(bool, quits);
        if (trayHost == u"trayer") {
            QVERIFY(startTrayHost());
            QTRY_VERIFY_WITH_TIMEOUT(trayHostShowsIcon(), 30000);
        } else if (trayHost == u"ended unheard") {
            QVERIFY(leaveQtWithADeadTrayHost());
        }
        MainWindowQuit quit(*m_window, trayHostShowsIcon);
        QSignalSpy requested(&quit, &MainWindowQuit::quitRequested);
        QVERIFY(m_window->close());
        QCOMPARE(requested.size(), quits ? 1 : 0);
    }

    void theQuitKey_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<bool>("locked");
        QTest::addColumn<bool>("quits");
        QTest::newRow("Ctrl+Q") << int(Qt::Key_Q) << int(Qt::ControlModifier) << false << true;
        QTest::newRow("Q alone") << int(Qt::Key_Q) << int(Qt::NoModifier) << false << false;
        QTest::newRow("Ctrl+W") << int(Qt::Key_W) << int(Qt::ControlModifier) << false << false;
        QTest::newRow("Ctrl+Shift+Q")
            << int(Qt::Key_Q) << int(Qt::ControlModifier | Qt::ShiftModifier) << false << false;
        QTest::newRow("Ctrl+Q while the keyboard is locked")
            << int(Qt::Key_Q) << int(Qt::ControlModifier) << true << false;
    }

    void theQuitKey()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QFETCH(bool, locked);
        QFETCH(bool, quits);
        KeyboardLockGuard guard;
        guard.setLocked(locked);
        MainWindowQuit quit(*m_window, trayHostShowsIcon);
        QSignalSpy requested(&quit, &MainWindowQuit::quitRequested);
        QTest::keyClick(m_window.get(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(requested.size(), quits ? 1 : 0);
        // The key never closes the window by itself: quitting is the program's business.
        QVERIFY(m_window->isVisible());
    }
};

QUORVANE_PRIVATE_X_TEST_MAIN(MainWindowQuitTest)
#include "tst_ui_main_window_quit.moc"
