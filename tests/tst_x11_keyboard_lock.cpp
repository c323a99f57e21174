#include "X11TestInput.h"
#include "platform/X11InputAccessTrust.h"
#include "platform/X11KeyboardGrab.h"
#include "services/KeyboardLocker.h"

#include <QElapsedTimer>
#include <QtTest>
#include <chrono>
#include <memory>
#include <thread>
#include <xcb/xcb.h>

using namespace std::chrono_literals;

namespace {

constexpr int probeX = 200;
constexpr int probeY = 150;
constexpr int probeSize = 300;

// Another client's window that holds the input focus and records the keys and clicks that reach it.
class ProbeWindow
{
public:
    ProbeWindow()
        : m_connection(xcb_connect(nullptr, nullptr))
    {
        xcb_connection_t *connection = m_connection.get();
        if (xcb_connection_has_error(connection))
            return;
        const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
        m_root = screen->root;
        m_window = xcb_generate_id(connection);
        const uint32_t values[] = { screen->white_pixel, 1,
            XCB_EVENT_MASK_KEY_PRESS | XCB_EVENT_MASK_KEY_RELEASE | XCB_EVENT_MASK_BUTTON_PRESS
                | XCB_EVENT_MASK_STRUCTURE_NOTIFY };
        xcb_create_window(connection, XCB_COPY_FROM_PARENT, m_window, m_root, probeX, probeY, probeSize,
            probeSize, 0, XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
            XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT | XCB_CW_EVENT_MASK, values);
        xcb_map_window(connection, m_window);
        xcb_flush(connection);
    }

    bool isUsable() const { return !xcb_connection_has_error(m_connection.get()) && m_window != XCB_NONE; }

    // Waits until the window is on screen, then gives it the focus.
    bool takeFocus()
    {
        const bool mapped = QTest::qWaitFor(
            [this] {
                readEvents();
                return m_mapped;
            },
            10000);
        if (!mapped)
            return false;
        xcb_set_input_focus(m_connection.get(), XCB_INPUT_FOCUS_POINTER_ROOT, m_window, XCB_CURRENT_TIME);
        const XcbReply<xcb_get_input_focus_reply_t> focus(
            xcb_get_input_focus_reply(m_connection.get(), xcb_get_input_focus(m_connection.get()), nullptr));
        return focus && focus->focus == m_window;
    }

    void forget()
    {
        readEvents();
        keycodes.clear();
        releasedKeycodes.clear();
        clicks = 0;
    }

    void readEvents()
    {
        while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection.get())) {
            switch (event->response_type & 0x7f) {
            case XCB_KEY_PRESS:
                keycodes.append(reinterpret_cast<xcb_key_press_event_t *>(event)->detail);
                break;
            case XCB_KEY_RELEASE:
                releasedKeycodes.append(reinterpret_cast<xcb_key_release_event_t *>(event)->detail);
                break;
            case XCB_BUTTON_PRESS:
                ++clicks;
                break;
            case XCB_MAP_NOTIFY:
                m_mapped = true;
                break;
            default:
                break;
            }
            std::free(event);
        }
    }

    // Waits for a click, which comes after any key injected before it.
    bool waitForClick()
    {
        return QTest::qWaitFor(
            [this] {
                readEvents();
                return clicks > 0;
            },
            10000);
    }

    xcb_grab_status_t grabKeyboard()
    {
        const XcbReply<xcb_grab_keyboard_reply_t> reply(xcb_grab_keyboard_reply(m_connection.get(),
            xcb_grab_keyboard(
                m_connection.get(), 0, m_window, XCB_CURRENT_TIME, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC),
            nullptr));
        return reply ? static_cast<xcb_grab_status_t>(reply->status) : XCB_GRAB_STATUS_NOT_VIEWABLE;
    }

    void ungrabKeyboard()
    {
        xcb_ungrab_keyboard(m_connection.get(), XCB_CURRENT_TIME);
        const XcbReply<xcb_get_input_focus_reply_t> roundTrip(
            xcb_get_input_focus_reply(m_connection.get(), xcb_get_input_focus(m_connection.get()), nullptr));
    }

    // Whether another client holds the keyboard right now; takes and gives back the grab when not.
    bool keyboardIsHeldElsewhere()
    {
        if (grabKeyboard() != XCB_GRAB_STATUS_SUCCESS)
            return true;
        ungrabKeyboard();
        return false;
    }

    // Pressed keys, in order.
    QList<xcb_keycode_t> keycodes;
    QList<xcb_keycode_t> releasedKeycodes;
    int clicks = 0;

private:
    XcbConnection m_connection;
    xcb_window_t m_root = XCB_NONE;
    xcb_window_t m_window = XCB_NONE;
    bool m_mapped = false;
};

struct LockRig
{
    explicit LockRig(std::chrono::milliseconds watchdogTimeout = 3s)
        : locker(trust, std::make_unique<X11KeyboardGrab>(watchdogTimeout))
    {
        locker.onEmergencyUnlock = [this] { ++emergencyUnlocks; };
    }

    X11InputAccessTrust trust;
    KeyboardLocker locker;
    int emergencyUnlocks = 0;
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
    void incompleteChordStaysSwallowed_data();
    void incompleteChordStaysSwallowed();
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

void X11KeyboardLockTest::incompleteChordStaysSwallowed_data()
{
    QTest::addColumn<QList<xcb_keysym_t>>("chord");

    QTest::newRow("without Super") << QList<xcb_keysym_t> { keysym::controlL, keysym::altL, keysym::escape };
    QTest::newRow("without Alt") << QList<xcb_keysym_t> { keysym::controlL, keysym::superL, keysym::escape };
    QTest::newRow("without Control") << QList<xcb_keysym_t> { keysym::altL, keysym::superL, keysym::escape };
    QTest::newRow("Escape alone") << QList<xcb_keysym_t> { keysym::escape };
    QTest::newRow("another key with all three")
        << QList<xcb_keysym_t> { keysym::controlL, keysym::altL, keysym::superL, keysym::a };
}

void X11KeyboardLockTest::incompleteChordStaysSwallowed()
{
    QFETCH(QList<xcb_keysym_t>, chord);

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

QTEST_MAIN(X11KeyboardLockTest)
#include "tst_x11_keyboard_lock.moc"
