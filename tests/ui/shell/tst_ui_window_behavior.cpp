#include "ControllerHarness.h"
#include "MainWindowUnderTest.h"
#include "TestProgram.h"
#include "X11TestInput.h"
#include "X11WindowStateWatch.h"

#include <QTest>

namespace {

// An item across the title band and below it that counts the presses reaching it.
class ClickProbe : public QQuickItem
{
public:
    ClickProbe() { setAcceptedMouseButtons(Qt::LeftButton); }
    int presses = 0;

protected:
    void mousePressEvent(QMouseEvent *) override { ++presses; }
};

constexpr int addState = 1;
constexpr int removeState = 0;
const QRect startFrame(100, 100, 900, 600);

} // namespace

// The main window towards the window manager, on a server without one: the state requests it sends,
// the double click in its title band and the corner that resizes it.
class UiWindowBehaviorTest : public QObject
{
    Q_OBJECT

private:
    ControllerHarness m_harness;
    MainWindowUnderTest m_main;
    X11WindowStateWatch m_watch;
    X11TestInput m_input;
    ClickProbe *m_probe = nullptr;
    xcb_window_t m_id = XCB_NONE;

    QList<StateRequest> requestsSince(qsizetype first) { return m_watch.requests(m_id).mid(first); }

    bool waitForRequest(qsizetype first, uint32_t action, xcb_atom_t atom)
    {
        return QTest::qWaitFor(
            [&] {
                const QList<StateRequest> requests = requestsSince(first);
                return std::any_of(requests.begin(), requests.end(),
                    [&](const StateRequest &r) { return r.action == action && r.first == atom; });
            },
            10000);
    }

    bool isFullScreen() const { return m_main.window->windowStates().testFlag(Qt::WindowFullScreen); }

    // Drags the resize corner by (dx, dy) in a few steps, then clicks the probe: once that click has
    // arrived, every event of the drag has been handled. The click lands below the title band, so that
    // it never pairs with the previous drag's click into a double click that toggles full screen.
    void dragHandle(QPoint by)
    {
        QQuickItem *handle = m_main.item("resizeHandle");
        QVERIFY(handle);
        const QPoint start
            = handle->mapToGlobal(QPointF(handle->width() / 2, handle->height() / 2)).toPoint();
        m_input.moveTo(start.x(), start.y());
        m_input.pressButton(1);
        m_input.moveInSteps(start, by);
        m_input.releaseButton(1);
        m_input.sync();
        const int presses = m_probe->presses;
        const QPoint probe = m_probe->mapToGlobal(QPointF(10, 100)).toPoint();
        m_input.moveTo(probe.x(), probe.y());
        m_input.click(1);
        QTRY_COMPARE_WITH_TIMEOUT(m_probe->presses, presses + 1, 10000);
    }

    void placeWindow()
    {
        if (isFullScreen())
            m_main.window->showNormal();
        QTRY_VERIFY_WITH_TIMEOUT(!isFullScreen(), 10000);
        m_main.window->setGeometry(startFrame);
        QTRY_COMPARE_WITH_TIMEOUT(m_main.window->geometry(), startFrame, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(m_main.item("rootView")->size(), QSizeF(startFrame.size()), 10000);
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_watch.isUsable());
        QVERIFY(m_input.isUsable());
        QVERIFY(m_main.makeKeptOnTop(m_harness));
        m_id = xcb_window_t(m_main.window->winId());
    }

    void keepOnTopIsInThePropertyBeforeTheFirstMap()
    {
        QVERIFY(!m_watch.isMapped(m_id));
        QVERIFY(m_watch.property(m_id).contains(m_watch.above));

        m_main.show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main.window));
        QVERIFY(m_watch.property(m_id).contains(m_watch.above));
        m_probe = new ClickProbe;
        m_probe->setParentItem(m_main.window->contentItem());
        m_probe->setZ(1e6);
        m_probe->setPosition(QPointF(200, 10));
        // Across the title band (the top 72 points) and below it.
        m_probe->setSize(QSizeF(400, 120));
    }

    void togglingKeepOnTopAsksTheWindowManager()
    {
        const qsizetype first = m_watch.requests(m_id).size();
        m_main.controller->toggleWindowOnTop();
        QVERIFY(waitForRequest(first, removeState, m_watch.above));
        const qsizetype second = m_watch.requests(m_id).size();
        m_main.controller->toggleWindowOnTop();
        QVERIFY(waitForRequest(second, addState, m_watch.above));
        QVERIFY(m_main.controller->preferences().keepWindowOnTop);
    }

    void bandDoubleClickStagesFullScreen()
    {
        placeWindow();
        const qsizetype first = m_watch.requests(m_id).size();
        const qint64 clickedAt = m_watch.nowMs();
        m_main.doubleClick(m_input, QPoint(300, 30));
        QTRY_COMPARE_WITH_TIMEOUT(m_probe->presses, 2, 10000);
        QVERIFY(waitForRequest(first, addState, m_watch.fullScreen));
        QTRY_VERIFY_WITH_TIMEOUT(isFullScreen(), 10000);
        // Both presses reach the item under them.
        QCOMPARE(m_probe->presses, 2);

        const QList<StateRequest> entering = requestsSince(first);
        QVERIFY(!entering.isEmpty());
        QCOMPARE(entering.first().action, uint32_t(removeState));
        QCOMPARE(entering.first().first, m_watch.above);
        for (const StateRequest &request : entering) {
            if (request.first == m_watch.fullScreen) {
                QVERIFY2(request.receivedAtMs - clickedAt >= 600, "full screen came before the pause");
                break;
            }
            QVERIFY2(
                !(request.action == addState && request.first == m_watch.above), "floated in the transition");
        }

        // Leaving: at once, and keep-on-top comes back when the transition ends.
        const qsizetype second = m_watch.requests(m_id).size();
        m_main.doubleClick(m_input, QPoint(300, 30));
        QVERIFY(waitForRequest(second, removeState, m_watch.fullScreen));
        QTRY_VERIFY_WITH_TIMEOUT(!isFullScreen(), 10000);
        QVERIFY(waitForRequest(second, addState, m_watch.above));
        QCOMPARE(m_main.controller->preferences().keepWindowOnTop, true);

        // Never a toggle, whose outcome would depend on what the window manager believes.
        for (const StateRequest &request : m_watch.requests(m_id))
            QVERIFY(request.action != 2);
    }

    void shownAgainFloatsAgain()
    {
        m_main.window->hide();
        QTRY_VERIFY_WITH_TIMEOUT(!m_watch.isMapped(m_id), 10000);
        const qsizetype first = m_watch.requests(m_id).size();
        m_main.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_main.window));
        QVERIFY(waitForRequest(first, addState, m_watch.above));
    }

    void handleResizesWithTheTopLeftFixed_data()
    {
        QTest::addColumn<QPoint>("drag");
        QTest::addColumn<QSize>("size");

        QTest::newRow("right and down") << QPoint(100, 50) << QSize(1000, 650);
        QTest::newRow("past the minimum") << QPoint(-500, -400) << QSize(760, 540);
    }

    void handleResizesWithTheTopLeftFixed()
    {
        QFETCH(QPoint, drag);
        QFETCH(QSize, size);

        placeWindow();
        dragHandle(drag);
        QTRY_COMPARE_WITH_TIMEOUT(m_main.window->geometry(), QRect(startFrame.topLeft(), size), 10000);
    }

    void handleDoesNothingInFullScreen()
    {
        placeWindow();
        m_main.window->showFullScreen();
        QTRY_VERIFY_WITH_TIMEOUT(isFullScreen(), 10000);
        const QRect before = m_main.window->geometry();
        dragHandle(QPoint(-100, -100));
        QCOMPARE(m_main.window->geometry(), before);
        QVERIFY(isFullScreen());
    }

    void hoveringTheHandleShowsTheDiagonalCursor()
    {
        placeWindow();
        QQuickItem *handle = m_main.item("resizeHandle");
        QVERIFY(handle);
        const QPoint corner = handle->mapToGlobal(QPointF(18, 18)).toPoint();
        m_input.moveTo(corner.x(), corner.y());
        QTRY_COMPARE_WITH_TIMEOUT(m_main.window->cursor().shape(), Qt::SizeFDiagCursor, 10000);
        const QPoint middle = m_main.window->mapToGlobal(QPoint(450, 300));
        m_input.moveTo(middle.x(), middle.y());
        QTRY_VERIFY_WITH_TIMEOUT(m_main.window->cursor().shape() != Qt::SizeFDiagCursor, 10000);
    }
};

QUORVANE_TEST_MAIN(UiWindowBehaviorTest)
#include "tst_ui_window_behavior.moc"
