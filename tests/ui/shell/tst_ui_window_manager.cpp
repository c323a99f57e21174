#include "ControllerHarness.h"
#include "MainWindowUnderTest.h"
#include "MainWindowViews.h"
#include "ManagedDisplay.h"
#include "X11TestInput.h"
#include "X11WindowStateWatch.h"
#include "app/WindowFrameKeeper.h"
#include "platform/MainWindowControl.h"

#include <QJsonDocument>
#include <QJsonObject>

using namespace Qt::StringLiterals;

// The main window under a real window manager: the states it ends up with, not only the requests.
class UiWindowManagerTest : public QObject
{
    Q_OBJECT

private:
    ControllerHarness m_harness;
    MainWindowUnderTest m_main;
    X11WindowStateWatch m_watch;
    X11TestInput m_input;
    MainWindowControl *m_control = nullptr;
    xcb_window_t m_id = XCB_NONE;

    bool hasState(xcb_atom_t atom) { return m_watch.property(m_id).contains(atom); }

    // As the window manager has it and as Qt has read it.
    bool isMaximized()
    {
        return m_main.window->windowStates() == Qt::WindowMaximized && !hasState(m_watch.fullScreen)
            && hasState(m_watch.atom("_NET_WM_STATE_MAXIMIZED_VERT"));
    }
    bool isFullScreen()
    {
        return m_main.window->windowState() == Qt::WindowFullScreen && hasState(m_watch.fullScreen);
    }
    // The whole frame, title bar included, on the screen's free area.
    bool frameIsOnScreen(const QWindow &window)
    {
        return window.frameMargins().top() > 0
            && window.screen()->availableGeometry().contains(window.frameGeometry());
    }

    // Closed to the tray: unmapped, read so by the toolkit (until then the window still counts as exposed
    // and a wait for the next exposure returns at once), and withdrawn by the window manager (until then
    // the states it held stay in the property, and erasing them later empties it under the test's eyes).
    bool hideToTray()
    {
        m_main.window->hide();
        return QTest::qWaitFor(
                   [this] { return !m_watch.isMapped(m_id) && !m_main.window->isExposed(); }, 10000)
            && m_watch.syncWithManager();
    }

    // Closed to the tray, then opened as the next launch opens it: at its default size, its keeper made
    // anew over the data folder before it shows.
    std::unique_ptr<WindowFrameKeeper> relaunch()
    {
        if (!hideToTray())
            return {};
        m_main.window->setWindowStates(Qt::WindowNoState);
        m_main.window->resize(1240, 880);
        auto keeper = std::make_unique<WindowFrameKeeper>(*m_main.window, m_harness.root());
        // As the program's window shows: QWindow::show() would make it normal.
        m_main.window->setVisible(true);
        return QTest::qWaitForWindowExposed(m_main.window) ? std::move(keeper) : nullptr;
    }

    // Clicks the named control through the X server once it shows.
    void clickThrough(const char *name)
    {
        QQuickItem *control = nullptr;
        QTRY_VERIFY((control = m_main.item(name)) && control->isVisible() && control->isEnabled());
        const QPoint global = m_main.window->mapToGlobal(centreOf(control));
        m_input.moveTo(global.x(), global.y());
        m_input.click(1);
        m_input.sync();
    }

    // The largest step between neighbouring pixels along a strip at the top of the console's glass,
    // above its content: under the blur the scene changes smoothly; seen sharp, the forest has edges.
    int glassSharpness()
    {
        QQuickItem *glass = m_main.item("consoleGlass");
        const QRect strip = glass->mapRectToScene(QRectF(20, 4, glass->width() / 3, 10)).toRect();
        // A new capture reaches the glass's picture in the frame after it is taken.
        m_main.window->grabWindow();
        const QImage shown = m_main.window->grabWindow().copy(strip);
        int largest = 0;
        for (int y = 0; y < shown.height(); ++y) {
            for (int x = 1; x < shown.width(); ++x)
                largest
                    = std::max(largest, std::abs(qGreen(shown.pixel(x, y)) - qGreen(shown.pixel(x - 1, y))));
        }
        return largest;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_watch.isUsable());
        QVERIFY(m_input.isUsable());
        // The real window seam, so that a break goes full screen as in the program.
        AppPreferences preferences;
        preferences.keepWindowOnTop = true;
        QVERIFY(AppStorageService::savePreferences(preferences, m_harness.root()).ok());
        auto control = std::make_unique<MainWindowControl>();
        m_control = control.get();
        m_main.controller
            = &m_harness.start([&](AppControllerSeams &seams) { seams.window = std::move(control); });
        QVERIFY(m_main.make(*m_main.controller));
        m_control->setWindow(m_main.window);
        m_id = xcb_window_t(m_main.window->winId());
        m_main.show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main.window));
    }

    void bandDoubleClickGoesFullScreenWithoutFloating()
    {
        QTRY_VERIFY_WITH_TIMEOUT(hasState(m_watch.above), 10000);
        m_main.doubleClick(m_input, QPoint(300, 30));
        QTRY_VERIFY_WITH_TIMEOUT(hasState(m_watch.fullScreen), 10000);
        QVERIFY(!hasState(m_watch.above));
        QTRY_VERIFY_WITH_TIMEOUT(m_main.window->windowStates().testFlag(Qt::WindowFullScreen), 10000);
        // The band is where the window is now.
        QTRY_COMPARE_WITH_TIMEOUT(m_main.window->geometry(), m_main.window->screen()->geometry(), 10000);
        // The preference itself is never lowered for the transition.
        QVERIFY(m_main.controller->preferences().keepWindowOnTop);
    }

    void leavingFullScreenFloatsAgain()
    {
        m_main.doubleClick(m_input, QPoint(300, 30));
        QTRY_VERIFY_WITH_TIMEOUT(!hasState(m_watch.fullScreen), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(hasState(m_watch.above), 10000);
    }

    void closedAndBroughtForwardFloatsAgain()
    {
        QVERIFY(hideToTray());
        // Brought forward the way the tray does it.
        m_control->bringForward();
        QVERIFY(QTest::qWaitForWindowExposed(m_main.window));
        QTRY_VERIFY_WITH_TIMEOUT(hasState(m_watch.above), 10000);
        // And it stays once the window manager has handled everything sent to it.
        QVERIFY(m_watch.syncWithManager());
        QVERIFY(hasState(m_watch.above));
    }

    void handleResizesThroughTheWindowManager()
    {
        m_main.window->resize(900, 600);
        QTRY_COMPARE_WITH_TIMEOUT(m_main.window->size(), QSize(900, 600), 10000);
        QQuickItem *handle = m_main.item("resizeHandle");
        QVERIFY(handle);
        QTRY_COMPARE_WITH_TIMEOUT(handle->mapToScene(QPointF(36, 36)), QPointF(900, 600), 10000);
        const QPoint topLeft = m_main.window->position();

        const QPoint start = handle->mapToGlobal(QPointF(18, 18)).toPoint();
        m_input.moveTo(start.x(), start.y());
        const qsizetype handedOver = m_watch.moveResizeRequests(m_id);
        m_input.pressButton(1);
        // The drag goes on only once the window manager has taken the pointer.
        QTRY_COMPARE_WITH_TIMEOUT(m_watch.moveResizeRequests(m_id), handedOver + 1, 10000);
        QVERIFY(m_watch.syncWithManager());
        m_input.moveInSteps(start, QPoint(100, 50));
        m_input.releaseButton(1);
        m_input.sync();
        QTRY_COMPARE_WITH_TIMEOUT(m_main.window->size(), QSize(1000, 650), 10000);
        QCOMPARE(m_main.window->position(), topLeft);
    }

    void sheetOpensWhollyOnScreenAndCannotBeMaximised_data()
    {
        QTest::addColumn<QPoint>("topLeft");

        QTest::newRow("top left") << QPoint(10, 40);
        QTest::newRow("top right") << QPoint(1150, 40);
        QTest::newRow("bottom left") << QPoint(10, 530);
        QTest::newRow("bottom right") << QPoint(1150, 530);
    }

    void sheetOpensWhollyOnScreenAndCannotBeMaximised()
    {
        QFETCH(QPoint, topLeft);

        m_main.window->setGeometry(QRect(topLeft, m_main.window->minimumSize()));
        QTRY_COMPARE_WITH_TIMEOUT(m_main.window->geometry().size(), m_main.window->minimumSize(), 10000);
        m_main.controller->sheets()->open(Sheets::Sheet::Settings);
        auto *sheet = m_main.window->findChild<QQuickWindow *>(QStringLiteral("settingsSheet"));
        QVERIFY(sheet);
        QVERIFY(QTest::qWaitForWindowExposed(sheet));
        QVERIFY(m_watch.syncWithManager());
        const QRect available = m_main.window->screen()->availableGeometry();
        QTRY_VERIFY_WITH_TIMEOUT(available.contains(sheet->frameGeometry()), 10000);

        const QList<xcb_atom_t> actions
            = m_watch.atoms(xcb_window_t(sheet->winId()), m_watch.atom("_NET_WM_ALLOWED_ACTIONS"));
        QVERIFY(actions.contains(m_watch.atom("_NET_WM_ACTION_CLOSE")));
        for (const char *refused :
            { "_NET_WM_ACTION_MAXIMIZE_HORZ", "_NET_WM_ACTION_MAXIMIZE_VERT", "_NET_WM_ACTION_RESIZE" })
            QVERIFY2(!actions.contains(m_watch.atom(refused)), refused);
        m_main.controller->sheets()->close(Sheets::Sheet::Settings);
        // Gone from the screen too, so that no later click lands on it.
        QTRY_VERIFY_WITH_TIMEOUT(!m_watch.isMapped(xcb_window_t(sheet->winId())), 10000);
        QVERIFY(m_watch.syncWithManager());
    }

    // A whole break, clicked through as a user does: the window goes full screen for it and stays so,
    // and the new round's console still shows the scene blurred behind its glass.
    void theConsoleKeepsItsGlassThroughABreak()
    {
        QTRY_VERIFY_WITH_TIMEOUT(MainWindowViews::backgroundHasLoaded(*m_main.window), 30000);
        QVERIFY(glassSharpness() < 4);
        clickThrough("finishNowButton");
        QTRY_COMPARE(m_main.controller->round()->phase(), SessionPhase::SessionComplete);
        clickThrough("startBreakButton");
        QTRY_COMPARE_WITH_TIMEOUT(m_main.controller->round()->phase(), SessionPhase::Activity, 30000);
        QTRY_VERIFY_WITH_TIMEOUT(hasState(m_watch.fullScreen), 10000);
        clickThrough("completionButton");
        QTRY_COMPARE(m_main.controller->round()->phase(), SessionPhase::Focus);
        QVERIFY(m_watch.syncWithManager());
        QTRY_VERIFY_WITH_TIMEOUT(MainWindowViews::backgroundHasLoaded(*m_main.window), 30000);
        QTRY_VERIFY(glassSharpness() < 4);
    }

    void keysLeaveAndEnterFullScreenAroundABreak()
    {
        AppController &controller = *m_main.controller;
        controller.round()->finishFocusNow();
        controller.breakWheel()->enterLockedBreak();
        QVERIFY(controller.breakWheel()->keyboardIsLocked());
        m_control->enterFullScreen();
        QTRY_VERIFY_WITH_TIMEOUT(hasState(m_watch.fullScreen), 10000);

        // The locked break drops both keys.
        QTest::keyClick(m_main.window, Qt::Key_Escape);
        QTest::keyClick(m_main.window, Qt::Key_F11);
        QVERIFY(m_watch.syncWithManager());
        QVERIFY(hasState(m_watch.fullScreen));

        // Out of the break through the emergency chord: Esc is the alert's while it shows.
        m_harness.grab->pressEmergencyChord();
        QTRY_VERIFY_WITH_TIMEOUT(controller.sheets()->showingAlert(), 10000);
        QTest::keyClick(m_main.window, Qt::Key_Escape);
        QVERIFY(m_watch.syncWithManager());
        QVERIFY(hasState(m_watch.fullScreen));
        controller.sheets()->setShowingAlert(false);
        QTest::keyClick(m_main.window, Qt::Key_Escape);
        QTRY_VERIFY_WITH_TIMEOUT(!hasState(m_watch.fullScreen), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(hasState(m_watch.above), 10000);

        QTest::keyClick(m_main.window, Qt::Key_F11);
        QTRY_VERIFY_WITH_TIMEOUT(hasState(m_watch.fullScreen), 10000);
        QVERIFY(!hasState(m_watch.above));
        QTest::keyClick(m_main.window, Qt::Key_F11);
        QTRY_VERIFY_WITH_TIMEOUT(!hasState(m_watch.fullScreen), 10000);
        QTRY_VERIFY_WITH_TIMEOUT(hasState(m_watch.above), 10000);
    }

    void frameComesBackAtTheNextLaunch()
    {
        auto keeper = std::make_unique<WindowFrameKeeper>(*m_main.window, m_harness.root());
        const QRect placed(QPoint(300, 200), QSize(900, 600));
        m_main.window->setGeometry(placed);
        QTRY_COMPARE_WITH_TIMEOUT(m_main.window->geometry(), placed, 10000);
        // Opened by the next launch where the window manager would put it.
        QVERIFY(hideToTray());
        m_main.window->setGeometry(QRect(0, 0, 1240, 880));
        keeper = std::make_unique<WindowFrameKeeper>(*m_main.window, m_harness.root());
        m_main.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main.window));
        QTRY_COMPARE_WITH_TIMEOUT(m_main.window->geometry(), placed, 10000);
        QVERIFY(m_watch.syncWithManager());
    }

    // Run on each laptop screen too: a first launch, then a frame saved on a larger screen, which stays
    // saved.
    void launchPutsTheWholeFrameOnScreen()
    {
        const WindowFrame frame { m_main.window->screen()->name(), { 0, 0 }, { 1920, 1080 } };
        for (const bool saved : { false, true }) {
            QFile::remove(m_harness.file(u"window-frame.json"_s));
            if (saved)
                AppStorageService::saveWindowFrame(frame, m_harness.root());
            const auto keeper = relaunch();
            QTRY_VERIFY_WITH_TIMEOUT(keeper && frameIsOnScreen(*m_main.window), 10000);
            keeper->save();
            QCOMPARE(AppStorageService::loadWindowFrame(m_harness.root()) == frame, saved);
        }
    }

    void maximisedStaysThroughFullScreenABreakTheTrayAndTheNextLaunch()
    {
        auto keeper = relaunch();
        QVERIFY(keeper);
        m_main.window->showMaximized();
        QTRY_VERIFY_WITH_TIMEOUT(isMaximized(), 10000);
        QTest::keyClick(m_main.window, Qt::Key_F11);
        QTRY_VERIFY_WITH_TIMEOUT(isFullScreen(), 10000);
        QTest::keyClick(m_main.window, Qt::Key_F11);
        QTRY_VERIFY_WITH_TIMEOUT(isMaximized(), 10000);
        AppController &controller = *m_main.controller;
        controller.round()->finishFocusNow();
        controller.breakWheel()->enterLockedBreak();
        QTRY_VERIFY_WITH_TIMEOUT(isFullScreen(), 10000);
        m_harness.grab->pressEmergencyChord();
        QTRY_VERIFY_WITH_TIMEOUT(controller.sheets()->showingAlert(), 10000);
        controller.sheets()->setShowingAlert(false);
        QTest::keyClick(m_main.window, Qt::Key_Escape);
        QTRY_VERIFY_WITH_TIMEOUT(isMaximized(), 10000);
        QVERIFY(hideToTray());
        m_control->bringForward();
        QTRY_VERIFY_WITH_TIMEOUT(isMaximized() && m_main.window->isExposed(), 10000);
        keeper = relaunch();
        QVERIFY(keeper);
        QTRY_VERIFY_WITH_TIMEOUT(isMaximized(), 10000);
        m_main.window->showNormal();
        QTRY_VERIFY_WITH_TIMEOUT(!isMaximized() && frameIsOnScreen(*m_main.window), 10000);
    }

    void sheetsOpenWhollyOnScreen()
    {
        for (const char *name : { "settings", "statistics", "notes", "developerCorner" }) {
            QQuickWindow *sheet = sheetWindow(*m_main.window, QLatin1String(name));
            m_main.controller->sheets()->open(sheetNamed(QLatin1String(name)));
            QVERIFY(QTest::qWaitForWindowExposed(sheet));
            QTRY_VERIFY2_WITH_TIMEOUT(frameIsOnScreen(*sheet), name, 10000);
            m_main.controller->sheets()->close(sheetNamed(QLatin1String(name)));
        }
    }

    // Quitting in the middle of a toggle stores keep-on-top as the user left it.
    void shutdownDuringTheTransitionKeepsKeepOnTop()
    {
        m_main.doubleClick(m_input, QPoint(300, 30));
        QTRY_VERIFY_WITH_TIMEOUT(hasState(m_watch.fullScreen), 10000);
        m_main.controller->shutdown();
        const QJsonObject stored
            = QJsonDocument::fromJson(readFileBytes(m_harness.file(QStringLiteral("preferences.json"))))
                  .object();
        QCOMPARE(stored.value(QStringLiteral("keepWindowOnTop")), QJsonValue(true));
    }

    // The program started twice by the desktop entry's actions over a frame left maximised: its sheet shows,
    // then from the header's button (placed as here), and out of full screen it is maximised, its frame kept.
    void theProgramComesBackMaximisedWithTheActionsSheet()
    {
        // xdotool's `commands` on the shown window titled `title`; without commands, that window if any.
        const auto xdotool = [](const QString &title, const QString &commands = {}) {
            QProcess xdotool;
            xdotool.startCommand(u"xdotool search --onlyvisible --name ^%1$ %2"_s.arg(title, commands));
            return xdotool.waitForFinished() ? xdotool.readAllStandardOutput().trimmed() : QByteArray();
        };
        const WindowFrame frame { m_main.window->screen()->name(), { 200, 150 }, { 900, 600 }, true };
        AppStorageService::saveWindowFrame(frame);
        QVERIFY(hideToTray());
        for (const auto &[action, title, button] :
            { std::tuple { "--show-statistics", u"每日节律"_s, "statisticsCommand" },
                { "--open-journal", u"工作日志"_s, "journalCommand" } }) {
            QProcess program;
            program.start(QStringLiteral(QUORVANE_EXECUTABLE), { QLatin1String(action) });
            {
                QTRY_VERIFY_WITH_TIMEOUT(!xdotool(title).isEmpty(), 30000);
                QTRY_VERIFY_WITH_TIMEOUT(
                    (xdotool(title, u"windowfocus --sync key Escape"_s), xdotool(title).isEmpty()), 30000);
            }
            for (const char *state : { "_NET_WM_STATE_FULLSCREEN", "_NET_WM_STATE_MAXIMIZED_VERT" }) {
                xdotool(u"柯帆"_s, u"windowfocus --sync key F11"_s);
                QTRY_VERIFY_WITH_TIMEOUT(
                    m_watch.property(xdotool(u"柯帆"_s).toUInt()).contains(m_watch.atom(state)), 30000);
            }
            QVERIFY((program.terminate(), program.waitForFinished(30000)));
            QCOMPARE(AppStorageService::loadWindowFrame(), frame);
        }
    }
};

// The laptop screens' runs set the screen's size.
int main(int argc, char *argv[])
{
    return runOnOwnDisplay<UiWindowManagerTest, ManagedDisplay>(
        argc, argv, qEnvironmentVariable("QUORVANE_TEST_SCREEN", u"1920x1080"_s));
}

#include "tst_ui_window_manager.moc"
