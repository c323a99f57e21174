#include "ControllerHarness.h"
#include "TestProgram.h"
#include "X11ProbeWindow.h"
#include "X11TestInput.h"
#include "platform/X11InputAccessTrust.h"
#include "platform/X11KeyboardGrab.h"

#include <QTest>

// The controller with the real keyboard lock of an X server: the break takes every key away from other
// programs, and the emergency chord brings the user back to the round-complete screen.
class X11ControllerBreakTest : public QObject
{
    Q_OBJECT

private slots:
    void emergencyChordLeavesTheLockedBreak()
    {
        X11TestInput input;
        if (!input.isUsable())
            QSKIP("needs an X server with XTEST");
        ProbeWindow probe;
        QVERIFY(probe.isUsable());
        QVERIFY(probe.takeFocus());

        ControllerHarness harness;
        AppController &controller = harness.start([](AppControllerSeams &seams) {
            seams.trust = std::make_unique<X11InputAccessTrust>();
            seams.keyboardGrab = std::make_unique<X11KeyboardGrab>();
        });
        controller.round()->finishFocusNow();
        controller.breakWheel()->enterLockedBreak();
        QCOMPARE(controller.round()->phase(), SessionPhase::Wheel);
        QVERIFY(controller.breakWheel()->keyboardIsLocked());

        probe.forget();
        input.tap(keysym::a);
        input.moveTo(probeX + probeSize / 2, probeY + probeSize / 2);
        input.click(1);
        QVERIFY(probe.waitForClick());
        QVERIFY(probe.keycodes.isEmpty());

        input.chord({ keysym::controlL, keysym::altL, keysym::superL, keysym::escape });
        QTRY_COMPARE_WITH_TIMEOUT(controller.round()->phase(), SessionPhase::SessionComplete, 10000);
        QVERIFY(!controller.breakWheel()->keyboardIsLocked());
        QVERIFY(controller.breakWheel()->emergencyUnlocked());
        QCOMPARE(controller.sheets()->alertTitle(), QStringLiteral("已应急解锁"));

        probe.forget();
        input.tap(keysym::b);
        input.click(1);
        QVERIFY(probe.waitForClick());
        QCOMPARE(probe.keycodes, QList<xcb_keycode_t> { input.keycode(keysym::b) });
        controller.shutdown();
    }
};

QUORVANE_TEST_MAIN(X11ControllerBreakTest)
#include "tst_x11_controller_break.moc"
