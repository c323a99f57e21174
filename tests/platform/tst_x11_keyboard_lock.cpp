#include "TestProgram.h"
#include "X11ProbeWindow.h"
#include "X11TestInput.h"
#include "platform/X11InputAccessTrust.h"
#include "platform/X11KeyboardGrab.h"
#include "session/KeyboardLocker.h"

#include <QElapsedTimer>
#include <QtTest>
#include <chrono>
#include <memory>
#include <thread>
#include <xcb/xcb.h>

using namespace std::chrono_literals;

namespace {

struct LockRig
{
    explicit LockRig(std::chrono::milliseconds watchdogTimeout = 3s)
        : locker(trust, std::make_unique<X11KeyboardGrab>(watchdogTimeout))
    {
        locker.onEmergencyUnlock = [this] { ++emergencyUnlocks; };
        locker.onConfirmKey = [this] { ++confirms; };
    }

    X11InputAccessTrust trust;
    KeyboardLocker locker;
    int emergencyUnlocks = 0;
    int confirms = 0;
};

} // namespace

class X11KeyboardLockTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void lockSwallowsKeysButNotClicks();
    void lockWhenLockedReturnsTrue();
    void unlockGivesKeysBack();
    void destroyingTheLockerGivesKeysBack();
    void emergencyChordUnlocksAndCallsBackOnce_data();
    void emergencyChordUnlocksAndCallsBackOnce();
    void keysOtherThanTheChordStaySwallowed_data();
    void keysOtherThanTheChordStaySwallowed();
    void grabHeldByAnotherClientFailsTheLock();
    void blockedMainThreadReleasesTheKeyboard();

private:
    void clickProbe();

    X11TestInput m_input;
    std::unique_ptr<ProbeWindow> m_probe;
};

void X11KeyboardLockTest::initTestCase()
{
    QVERIFY2(m_input.isUsable(), "needs an X server with XTEST");
    QVERIFY(X11InputAccessTrust().isTrusted());
}

void X11KeyboardLockTest::init()
{
    m_probe = std::make_unique<ProbeWindow>();
    QVERIFY(m_probe->isUsable());
    QVERIFY(m_probe->takeFocus());
    m_input.moveTo(probeX + probeSize / 2, probeY + probeSize / 2);
    m_input.sync();
    m_probe->forget();
}

void X11KeyboardLockTest::cleanup()
{
    m_input.releaseAll();
    m_probe.reset();
}

void X11KeyboardLockTest::clickProbe()
{
    m_input.moveTo(probeX + probeSize / 2, probeY + probeSize / 2);
    m_input.click(1);
    m_input.sync();
}

void X11KeyboardLockTest::lockSwallowsKeysButNotClicks()
{
    // Without the lock the probe gets keys.
    m_input.tap(keysym::a);
    clickProbe();
    QVERIFY(m_probe->waitForClick());
    QCOMPARE(m_probe->keycodes, QList<xcb_keycode_t> { m_input.keycode(keysym::a) });
    m_probe->forget();

    LockRig rig;
    QVERIFY(rig.locker.lock());
    QVERIFY(rig.locker.isLocked());
    m_input.tap(keysym::a);
    m_input.chord({ keysym::shiftL, keysym::b });
    clickProbe();
    QVERIFY(m_probe->waitForClick());
    QVERIFY(m_probe->keycodes.isEmpty());
    QVERIFY(m_probe->releasedKeycodes.isEmpty());
    QCOMPARE(m_probe->clicks, 1);
    QVERIFY(m_probe->keyboardIsHeldElsewhere());
}

void X11KeyboardLockTest::lockWhenLockedReturnsTrue()
{
    LockRig rig;
    QVERIFY(rig.locker.lock());
    QVERIFY(rig.locker.lock());
    QVERIFY(rig.locker.isLocked());

    rig.locker.unlock();
    QVERIFY(!m_probe->keyboardIsHeldElsewhere());
}

void X11KeyboardLockTest::unlockGivesKeysBack()
{
    LockRig rig;
    QVERIFY(rig.locker.lock());
    rig.locker.unlock();
    QVERIFY(!rig.locker.isLocked());
    rig.locker.unlock();
    QVERIFY(!rig.locker.isLocked());

    m_input.tap(keysym::a);
    clickProbe();
    QVERIFY(m_probe->waitForClick());
    QCOMPARE(m_probe->keycodes, QList<xcb_keycode_t> { m_input.keycode(keysym::a) });
    QCOMPARE(rig.emergencyUnlocks, 0);
}

void X11KeyboardLockTest::destroyingTheLockerGivesKeysBack()
{
    auto rig = std::make_unique<LockRig>();
    QVERIFY(rig->locker.lock());
    QVERIFY(m_probe->keyboardIsHeldElsewhere());

    rig.reset();
    QVERIFY(!m_probe->keyboardIsHeldElsewhere());
}

void X11KeyboardLockTest::emergencyChordUnlocksAndCallsBackOnce_data()
{
    QTest::addColumn<QList<xcb_keysym_t>>("chord");

    QTest::newRow("Control Alt Super Escape")
        << QList<xcb_keysym_t> { keysym::controlL, keysym::altL, keysym::superL, keysym::escape };
    QTest::newRow("with Shift held") << QList<xcb_keysym_t> { keysym::shiftL, keysym::controlL, keysym::altL,
        keysym::superL, keysym::escape };
    QTest::newRow("right-hand modifiers, other order")
        << QList<xcb_keysym_t> { keysym::superR, keysym::altR, keysym::controlR, keysym::escape };
}

void X11KeyboardLockTest::emergencyChordUnlocksAndCallsBackOnce()
{
    QFETCH(QList<xcb_keysym_t>, chord);
    for (const xcb_keysym_t key : chord)
        QVERIFY(m_input.keycode(key) != XCB_NO_SYMBOL);

    LockRig rig;
    QVERIFY(rig.locker.lock());
    for (const xcb_keysym_t key : chord)
        m_input.press(key);
    m_input.releaseAll();

    QTRY_COMPARE_WITH_TIMEOUT(rig.emergencyUnlocks, 1, 10000);
    QVERIFY(!rig.locker.isLocked());

    // The chord itself reached nobody; the keys after it reach the probe again.
    m_input.tap(keysym::a);
    clickProbe();
    QVERIFY(m_probe->waitForClick());
    QCOMPARE(m_probe->keycodes, QList<xcb_keycode_t> { m_input.keycode(keysym::a) });
    QCOMPARE(rig.emergencyUnlocks, 1);
}

// An incomplete chord unlocks nothing; the confirm keys, alone, are told.
void X11KeyboardLockTest::keysOtherThanTheChordStaySwallowed_data()
{
    QTest::addColumn<QList<xcb_keysym_t>>("chord");
    QTest::addColumn<int>("confirms");

    QTest::newRow("without Super") << QList<xcb_keysym_t> { keysym::controlL, keysym::altL, keysym::escape }
                                   << 0;
    QTest::newRow("without Alt") << QList<xcb_keysym_t> { keysym::controlL, keysym::superL, keysym::escape }
                                 << 0;
    QTest::newRow("without Control") << QList<xcb_keysym_t> { keysym::altL, keysym::superL, keysym::escape }
                                     << 0;
    QTest::newRow("Escape alone") << QList<xcb_keysym_t> { keysym::escape } << 0;
    QTest::newRow("another key with all three")
        << QList<xcb_keysym_t> { keysym::controlL, keysym::altL, keysym::superL, keysym::a } << 0;
    QTest::newRow("Return with Shift") << QList<xcb_keysym_t> { keysym::shiftL, keysym::returnKey } << 0;
    QTest::newRow("Space with Control") << QList<xcb_keysym_t> { keysym::controlL, keysym::space } << 0;
    QTest::newRow("Return") << QList<xcb_keysym_t> { keysym::returnKey } << 1;
    QTest::newRow("keypad Enter") << QList<xcb_keysym_t> { keysym::keypadEnter } << 1;
    QTest::newRow("Space") << QList<xcb_keysym_t> { keysym::space } << 1;
}

void X11KeyboardLockTest::keysOtherThanTheChordStaySwallowed()
{
    QFETCH(QList<xcb_keysym_t>, chord);
    QFETCH(int, confirms);

    LockRig rig;
    QVERIFY(rig.locker.lock());
    for (const xcb_keysym_t key : chord)
        m_input.press(key);
    m_input.releaseAll();
    clickProbe();
    QVERIFY(m_probe->waitForClick());
    // Gives a wrongly posted unlock the time to arrive.
    QTest::qWait(300);

    QVERIFY(m_probe->keycodes.isEmpty());
    QVERIFY(m_probe->releasedKeycodes.isEmpty());
    QCOMPARE(rig.emergencyUnlocks, 0);
    QTRY_COMPARE(rig.confirms, confirms);
    QVERIFY(rig.locker.isLocked());
    QVERIFY(m_probe->keyboardIsHeldElsewhere());
}

void X11KeyboardLockTest::grabHeldByAnotherClientFailsTheLock()
{
    QCOMPARE(m_probe->grabKeyboard(), XCB_GRAB_STATUS_SUCCESS);
    LockRig rig;
    QVERIFY(!rig.locker.lock());
    QVERIFY(!rig.locker.isLocked());

    // A grab given up while the locker still retries is taken over.
    std::thread releaser([this] {
        std::this_thread::sleep_for(200ms);
        m_probe->ungrabKeyboard();
    });
    const bool lockedAfterRelease = rig.locker.lock();
    releaser.join();
    QVERIFY(lockedAfterRelease);
    QVERIFY(rig.locker.isLocked());
}

void X11KeyboardLockTest::blockedMainThreadReleasesTheKeyboard()
{
    constexpr auto watchdogTimeout = 1500ms;
    LockRig rig(watchdogTimeout);
    QVERIFY(rig.locker.lock());

    // The main thread now runs no event loop, as if it hung.
    QElapsedTimer blocked;
    blocked.start();
    bool released = false;
    while (!released && blocked.elapsed() < 15000) {
        std::this_thread::sleep_for(50ms);
        released = m_probe->grabKeyboard() == XCB_GRAB_STATUS_SUCCESS;
    }
    const qint64 blockedMs = blocked.elapsed();
    QVERIFY(released);
    // The watchdog time plus a generous margin for a slow machine.
    QVERIFY2(blockedMs < 1500 + 3000, qPrintable(QString::number(blockedMs)));
    m_probe->ungrabKeyboard();

    // Once the main thread answers again, the keyboard is locked again.
    QVERIFY(rig.locker.isLocked());
    QTRY_VERIFY_WITH_TIMEOUT(m_probe->keyboardIsHeldElsewhere(), 10000);
    rig.locker.unlock();
    QVERIFY(!m_probe->keyboardIsHeldElsewhere());
}

QUORVANE_TEST_MAIN(X11KeyboardLockTest)
#include "tst_x11_keyboard_lock.moc"
