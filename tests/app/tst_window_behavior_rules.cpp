#include "FakeOneShotTimer.h"
#include "TestProgram.h"
#include "app/FullScreenKeys.h"
#include "app/FullScreenToggleSequencer.h"
#include "app/TitleBandDoubleClick.h"
#include "app/WindowLevelRule.h"
#include "app/WindowResizeGeometry.h"

#include <QMouseEvent>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

constexpr int doubleClickInterval = 400;

// The test keeps the timer so that it can move time on after the sequencer is gone.
class ForwardingTimer : public OneShotTimer
{
public:
    explicit ForwardingTimer(FakeOneShotTimer &target)
        : m_target(target)
    { }
    void start(std::chrono::milliseconds delay, std::function<void()> action) override
    {
        m_target.start(delay, std::move(action));
    }
    void cancel() override { m_target.cancel(); }
    bool isPending() const override { return m_target.isPending(); }

private:
    FakeOneShotTimer &m_target;
};

// A window as the window manager keeps it: a state change sets the level again, as the real window's
// state signal does, and the manager may drop the level on its own.
class FakeWindow : public StagedFullScreenWindow
{
public:
    bool isFullScreen() const override { return fullScreen; }
    void setFullScreen(bool value) override
    {
        touch();
        fullScreen = value;
        applyLevel();
    }
    void raiseAndActivate() override { touch(); }
    void applyLevel() override
    {
        touch();
        above = windowStaysAbove(keepOnTop, sequencer && sequencer->isChangingFullScreen(), fullScreen);
    }

    void touch()
    {
        if (gone)
            ++callsAfterDestruction;
    }

    const FullScreenToggleSequencer *sequencer = nullptr;
    bool keepOnTop = false;
    bool fullScreen = false;
    bool above = false;
    bool gone = false;
    int callsAfterDestruction = 0;
};

} // namespace

// The pure rules of the main window's behaviour: the title band and its double click, the level, the
// staged full-screen toggle and the geometry of a corner drag.
class WindowBehaviorRulesTest : public QObject
{
    Q_OBJECT

private slots:
    void titleBand_data()
    {
        QTest::addColumn<QSizeF>("window");
        QTest::addColumn<QPointF>("position");
        QTest::addColumn<bool>("inBand");

        const QSizeF large(1000, 800);
        QTest::newRow("inside") << large << QPointF(100, 10) << true;
        QTest::newRow("right end of the band") << large << QPointF(820, 10) << true;
        QTest::newRow("left end of the band") << large << QPointF(72, 72) << true;
        QTest::newRow("left of the band") << large << QPointF(50, 10) << false;
        QTest::newRow("in the right 180 points") << large << QPointF(830, 10) << false;
        QTest::newRow("below the band") << large << QPointF(100, 80) << false;
        QTest::newRow("just below the band") << large << QPointF(100, 72.5) << false;
        const QSizeF narrow(240, 800);
        QTest::newRow("narrow window at x 72") << narrow << QPointF(72, 10) << true;
        QTest::newRow("narrow window at x 71") << narrow << QPointF(71, 10) << false;
        QTest::newRow("narrow window at x 73") << narrow << QPointF(73, 10) << false;
        const QSizeF low(1000, 60);
        QTest::newRow("low window, bottom") << low << QPointF(100, 59) << true;
        QTest::newRow("low window, left margin") << low << QPointF(50, 59) << false;
    }

    void titleBand()
    {
        QFETCH(QSizeF, window);
        QFETCH(QPointF, position);
        QFETCH(bool, inBand);
        QCOMPARE(isInTitleBand(position, window), inBand);
    }

    // Each event: "<press|release|double|right> <x> <y> <milliseconds>".
    void doubleClick_data()
    {
        QTest::addColumn<QStringList>("events");
        QTest::addColumn<QList<int>>("toggles");

        QTest::newRow("two band presses within the interval toggle")
            << QStringList { u"press 100 10 0"_s, u"press 110 20 300"_s } << QList<int> { 1 };
        QTest::newRow("a third press right after does not") << QStringList { u"press 100 10 0"_s,
            u"press 100 10 100"_s, u"press 100 10 200"_s } << QList<int> { 1 };
        QTest::newRow("at exactly the interval")
            << QStringList { u"press 100 10 0"_s, u"press 100 10 400"_s } << QList<int> { 1 };
        QTest::newRow("beyond the interval")
            << QStringList { u"press 100 10 0"_s, u"press 100 10 401"_s } << QList<int> {};
        QTest::newRow("in, out, in") << QStringList { u"press 100 10 0"_s, u"press 100 300 100"_s,
            u"press 100 10 200"_s } << QList<int> { 2 };
        QTest::newRow("out, in: one band press is no pair")
            << QStringList { u"press 50 10 0"_s, u"press 100 10 100"_s } << QList<int> {};
        QTest::newRow("the toolkit's sequence of a triple click toggles once")
            << QStringList { u"press 100 10 0"_s, u"release 100 10 50"_s, u"press 100 10 150"_s,
                   u"double 100 10 150"_s, u"release 100 10 200"_s, u"press 100 10 300"_s }
            << QList<int> { 2 };
        QTest::newRow("other buttons do not count")
            << QStringList { u"press 100 10 0"_s, u"right 100 10 100"_s, u"press 100 10 200"_s }
            << QList<int> { 2 };
        QTest::newRow("a clock that went back starts a new pair") << QStringList { u"press 100 10 5000"_s,
            u"press 100 10 100"_s, u"press 100 10 200"_s } << QList<int> { 2 };
    }

    void doubleClick()
    {
        QFETCH(QStringList, events);
        QFETCH(QList<int>, toggles);

        TitleBandDoubleClick detector;
        QList<int> toggled;
        for (int index = 0; index < events.size(); ++index) {
            const QStringList parts = events[index].split(u' ');
            const QPointF position(parts[1].toDouble(), parts[2].toDouble());
            const quint64 time = parts[3].toULongLong();
            const QString &kind = parts[0];
            const QEvent::Type type = kind == u"release"_s ? QEvent::MouseButtonRelease
                : kind == u"double"_s                      ? QEvent::MouseButtonDblClick
                                                           : QEvent::MouseButtonPress;
            const Qt::MouseButton button = kind == u"right"_s ? Qt::RightButton : Qt::LeftButton;
            const Qt::MouseButtons held
                = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
            QMouseEvent event(type, position, position, button, held, Qt::NoModifier);
            event.setTimestamp(time);
            if (detector.handle(event, QSizeF(1000, 800), doubleClickInterval))
                toggled.append(index);
        }
        QCOMPARE(toggled, toggles);
    }

    void level_data()
    {
        QTest::addColumn<bool>("keepOnTop");
        QTest::addColumn<bool>("changing");
        QTest::addColumn<bool>("fullScreen");
        QTest::addColumn<bool>("above");

        QTest::newRow("keep on top") << true << false << false << true;
        QTest::newRow("keep on top, in transition") << true << true << false << false;
        QTest::newRow("keep on top, full screen") << true << false << true << false;
        QTest::newRow("keep on top, both") << true << true << true << false;
        QTest::newRow("off") << false << false << false << false;
        QTest::newRow("off, in transition") << false << true << false << false;
        QTest::newRow("off, full screen") << false << false << true << false;
    }

    void level()
    {
        QFETCH(bool, keepOnTop);
        QFETCH(bool, changing);
        QFETCH(bool, fullScreen);
        QFETCH(bool, above);
        QCOMPARE(windowStaysAbove(keepOnTop, changing, fullScreen), above);
    }

    void fullScreenKeys_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
        QTest::addColumn<bool>("fullScreen");
        QTest::addColumn<bool>("alert");
        QTest::addColumn<bool>("toggles");

        const Qt::KeyboardModifiers none;
        QTest::newRow("F11 enters") << int(Qt::Key_F11) << none << false << false << true;
        QTest::newRow("F11 leaves, alert or not") << int(Qt::Key_F11) << none << true << true << true;
        QTest::newRow("Esc leaves") << int(Qt::Key_Escape) << none << true << false << true;
        QTest::newRow("Esc never enters") << int(Qt::Key_Escape) << none << false << false << false;
        QTest::newRow("Esc closes the alert first") << int(Qt::Key_Escape) << none << true << true << false;
        QTest::newRow("the emergency chord")
            << int(Qt::Key_Escape) << (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier) << true
            << false << false;
    }

    void fullScreenKeys()
    {
        QFETCH(int, key);
        QFETCH(Qt::KeyboardModifiers, modifiers);
        QFETCH(bool, fullScreen);
        QFETCH(bool, alert);
        QFETCH(bool, toggles);
        QCOMPARE(keyTogglesFullScreen(key, modifiers, fullScreen, alert), toggles);
    }

    // Each step: "<milliseconds> <what>", in time order. What is an action ("toggle"; "break" enters
    // full screen from elsewhere; "stripped", the window manager drops the level; "destroy") or a check
    // ("full", "windowed", "above", "below").
    void stagedToggle_data()
    {
        QTest::addColumn<bool>("keepOnTop");
        QTest::addColumn<bool>("startFullScreen");
        QTest::addColumn<QStringList>("steps");

        QTest::newRow("entering with keep-on-top")
            << true << false
            << QStringList { u"0 above"_s, u"0 toggle"_s, u"0 below"_s, u"600 windowed"_s, u"650 full"_s,
                   u"650 below"_s, u"1750 below"_s, u"1800 below"_s, u"5000 full"_s, u"5000 below"_s };
        QTest::newRow("leaving with keep-on-top")
            << true << true
            << QStringList { u"0 below"_s, u"0 toggle"_s, u"0 windowed"_s, u"0 below"_s, u"1750 below"_s,
                   u"1800 above"_s, u"2000 stripped"_s, u"3150 below"_s, u"3200 above"_s,
                   u"5000 windowed"_s };
        QTest::newRow("entering without keep-on-top")
            << false << false
            << QStringList { u"0 toggle"_s, u"650 full"_s, u"1800 below"_s, u"3200 below"_s };
        QTest::newRow("leaving without keep-on-top")
            << false << true << QStringList { u"0 toggle"_s, u"0 windowed"_s, u"3200 below"_s };
        QTest::newRow("a break entering full screen meanwhile stays full screen")
            << true << false
            << QStringList { u"0 toggle"_s, u"300 break"_s, u"300 full"_s, u"650 full"_s, u"1800 full"_s,
                   u"1800 below"_s, u"5000 full"_s };
        QTest::newRow("a second double click leaves again and ends the transition")
            << true << false
            << QStringList { u"0 toggle"_s, u"650 full"_s, u"1000 toggle"_s, u"1000 windowed"_s,
                   u"1800 below"_s, u"2750 below"_s, u"2800 above"_s, u"6000 above"_s };
        QTest::newRow("destroyed at 1 s, nothing runs")
            << true << false << QStringList { u"0 toggle"_s, u"650 full"_s, u"1000 destroy"_s };
    }

    void stagedToggle()
    {
        QFETCH(bool, keepOnTop);
        QFETCH(bool, startFullScreen);
        QFETCH(QStringList, steps);

        FakeOneShotTimer timer;
        FakeWindow window;
        window.keepOnTop = keepOnTop;
        window.fullScreen = startFullScreen;
        auto sequencer
            = std::make_unique<FullScreenToggleSequencer>(window, std::make_unique<ForwardingTimer>(timer));
        window.sequencer = sequencer.get();
        window.applyLevel();

        int now = 0;
        for (const QString &step : steps) {
            const QStringList parts = step.split(u' ');
            const int at = parts[0].toInt();
            for (; now < at; now += 50)
                timer.advance(std::chrono::milliseconds(50));
            const QString &what = parts[1];
            if (what == u"toggle"_s) {
                sequencer->toggle();
            } else if (what == u"break"_s) {
                window.setFullScreen(true);
            } else if (what == u"stripped"_s) {
                window.above = false;
            } else if (what == u"destroy"_s) {
                sequencer.reset();
                window.sequencer = nullptr;
                window.gone = true;
            } else if (what == u"full"_s || what == u"windowed"_s) {
                QVERIFY2(window.fullScreen == (what == u"full"_s), qPrintable(step));
            } else {
                QVERIFY2(window.above == (what == u"above"_s), qPrintable(step));
            }
        }
        // Every stage is long due by now.
        for (int late = 0; late < 200; ++late)
            timer.advance(std::chrono::milliseconds(50));
        QCOMPARE(window.callsAfterDestruction, 0);
        if (sequencer)
            QVERIFY(!sequencer->isChangingFullScreen());
    }

    void resizeGeometry_data()
    {
        QTest::addColumn<QRect>("start");
        QTest::addColumn<QPoint>("drag");
        QTest::addColumn<QRect>("frame");

        QTest::newRow("right and down grows")
            << QRect(200, 150, 900, 600) << QPoint(100, 50) << QRect(200, 150, 1000, 650);
        QTest::newRow("left and up shrinks")
            << QRect(0, 0, 900, 600) << QPoint(-40, -30) << QRect(0, 0, 860, 570);
        QTest::newRow("far past the minimum stops there")
            << QRect(200, 150, 900, 600) << QPoint(-1000, -1000) << QRect(200, 150, 760, 540);
        QTest::newRow("only the width at its minimum")
            << QRect(10, 20, 800, 600) << QPoint(-100, 20) << QRect(10, 20, 760, 620);
        QTest::newRow("no movement") << QRect(10, 20, 800, 600) << QPoint(0, 0) << QRect(10, 20, 800, 600);
    }

    void resizeGeometry()
    {
        QFETCH(QRect, start);
        QFETCH(QPoint, drag);
        QFETCH(QRect, frame);
        QCOMPARE(resizedWindowFrame(start, drag, QSize(760, 540)), frame);
    }
};

QUORVANE_TEST_MAIN(WindowBehaviorRulesTest)
#include "tst_window_behavior_rules.moc"
