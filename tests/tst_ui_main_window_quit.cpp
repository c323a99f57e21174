#include "PrivateXServer.h"
#include "platform/MainWindowQuit.h"
#include "views/KeyboardLockGuard.h"

#include <QSignalSpy>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include <QTest>
#include <QWindow>
#include <memory>

// The ways out of the program from its main window, on an X server of the test's own so that no tray
// host of another program decides what closing does.
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
        QTRY_VERIFY_WITH_TIMEOUT(!QSystemTrayIcon::isSystemTrayAvailable(), 20000);
    }

    void closingTheWindow_data()
    {
        QTest::addColumn<bool>("trayHost");
        QTest::addColumn<bool>("quits");
        QTest::newRow("no tray host: nothing else would be left") << false << true;
        QTest::newRow("a tray host keeps the program") << true << false;
    }

    void closingTheWindow()
    {
        QFETCH(bool, trayHost);
        QFETCH(bool, quits);
        if (trayHost) {
            QVERIFY(startTrayHost());
            QTRY_VERIFY_WITH_TIMEOUT(QSystemTrayIcon::isSystemTrayAvailable(), 20000);
        }
        MainWindowQuit quit(*m_window);
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
        MainWindowQuit quit(*m_window);
        QSignalSpy requested(&quit, &MainWindowQuit::quitRequested);
        QTest::keyClick(m_window.get(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        QCOMPARE(requested.size(), quits ? 1 : 0);
        // The key never closes the window by itself: quitting is the program's business.
        QVERIFY(m_window->isVisible());
    }
};

QUORVANE_PRIVATE_X_TEST_MAIN(MainWindowQuitTest)
#include "tst_ui_main_window_quit.moc"
