#include "FakeAccessibilityTrust.h"
#include "FakeKeyboardGrabBackend.h"
#include "TestProgram.h"
#include "session/KeyboardLocker.h"

#include <QtTest>
#include <memory>

namespace {

struct LockerRig
{
    LockerRig()
    {
        auto grab = std::make_unique<FakeKeyboardGrabBackend>();
        backend = grab.get();
        locker = std::make_unique<KeyboardLocker>(trust, std::move(grab));
        locker->onEmergencyUnlock = [this] {
            ++emergencyUnlocks;
            lockedDuringCallback = locker->isLocked();
        };
    }

    FakeAccessibilityTrust trust;
    FakeKeyboardGrabBackend *backend = nullptr;
    std::unique_ptr<KeyboardLocker> locker;
    int emergencyUnlocks = 0;
    bool lockedDuringCallback = true;
};

} // namespace

class KeyboardLockerTest : public QObject
{
    Q_OBJECT

private slots:
    void startsUnlocked();
    void lockGrabsTheKeyboard();
    void lockWhenLockedReturnsTrueAndGrabsOnce();
    void lockFails_data();
    void lockFails();
    void unlockIsIdempotent();
    void emergencyChordUnlocksThenCallsBackOnce();
    void emergencyChordWithoutCallbackStillUnlocks();
    void locksAgainAfterEmergencyUnlock();
};

void KeyboardLockerTest::startsUnlocked()
{
    LockerRig rig;
    QVERIFY(!rig.locker->isLocked());
    QVERIFY(!rig.backend->isGrabbed());
}

void KeyboardLockerTest::lockGrabsTheKeyboard()
{
    LockerRig rig;
    QVERIFY(rig.locker->lock());
    QVERIFY(rig.locker->isLocked());
    QVERIFY(rig.backend->isGrabbed());
    QVERIFY(!rig.trust.prompted);
}

void KeyboardLockerTest::lockWhenLockedReturnsTrueAndGrabsOnce()
{
    LockerRig rig;
    QVERIFY(rig.locker->lock());
    QVERIFY(rig.locker->lock());
    QCOMPARE(rig.backend->grabs, 1);
    QVERIFY(rig.locker->isLocked());
}

void KeyboardLockerTest::lockFails_data()
{
    QTest::addColumn<bool>("trusted");
    QTest::addColumn<bool>("canGrab");

    QTest::newRow("no trust") << false << true;
    QTest::newRow("grab refused") << true << false;
}

void KeyboardLockerTest::lockFails()
{
    QFETCH(bool, trusted);
    QFETCH(bool, canGrab);

    LockerRig rig;
    rig.trust.trusted = trusted;
    rig.backend->canGrab = canGrab;

    QVERIFY(!rig.locker->lock());
    QVERIFY(!rig.locker->isLocked());
    QVERIFY(!rig.backend->isGrabbed());
    QVERIFY(!rig.trust.prompted);
    if (!trusted)
        QCOMPARE(rig.backend->grabs, 0);
}

void KeyboardLockerTest::unlockIsIdempotent()
{
    LockerRig rig;
    rig.locker->unlock();
    QVERIFY(!rig.locker->isLocked());

    QVERIFY(rig.locker->lock());
    rig.locker->unlock();
    QVERIFY(!rig.locker->isLocked());
    QVERIFY(!rig.backend->isGrabbed());
    rig.locker->unlock();
    QVERIFY(!rig.locker->isLocked());
    QCOMPARE(rig.emergencyUnlocks, 0);
}

void KeyboardLockerTest::emergencyChordUnlocksThenCallsBackOnce()
{
    LockerRig rig;
    QVERIFY(rig.locker->lock());

    rig.backend->pressEmergencyChord();
    QCOMPARE(rig.emergencyUnlocks, 1);
    QVERIFY(!rig.lockedDuringCallback);
    QVERIFY(!rig.locker->isLocked());
    QVERIFY(!rig.backend->isGrabbed());

    // The grab is gone, so the chord cannot call back again.
    rig.backend->pressEmergencyChord();
    QCOMPARE(rig.emergencyUnlocks, 1);
}

void KeyboardLockerTest::emergencyChordWithoutCallbackStillUnlocks()
{
    LockerRig rig;
    rig.locker->onEmergencyUnlock = nullptr;
    QVERIFY(rig.locker->lock());

    rig.backend->pressEmergencyChord();
    QVERIFY(!rig.locker->isLocked());
    QVERIFY(!rig.backend->isGrabbed());
}

void KeyboardLockerTest::locksAgainAfterEmergencyUnlock()
{
    LockerRig rig;
    QVERIFY(rig.locker->lock());
    rig.backend->pressEmergencyChord();

    QVERIFY(rig.locker->lock());
    QVERIFY(rig.locker->isLocked());
    QCOMPARE(rig.backend->grabs, 2);
}

QUORVANE_TEST_GUILESS_MAIN(KeyboardLockerTest)
#include "tst_keyboard_locker.moc"
