#include "ControllerHarness.h"
#include "TestProgram.h"
#include "core/Uuid.h"
#include "storage/CSVLogger.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTest>
#include <cmath>

namespace {

WheelItem item(const char *title, double weight, qint64 score)
{
    return { QUuid::createUuid(), QString::fromUtf8(title), weight, score, QStringLiteral("sparkles") };
}

QJsonObject readJson(const QString &path)
{
    return QJsonDocument::fromJson(readFileBytes(path)).object();
}

} // namespace

class FocusBreakCycleTest : public QObject
{
    Q_OBJECT

private slots:
    void loggedSecondsRoundHalvesAwayFromZero_data()
    {
        QTest::addColumn<qint64>("activeMilliseconds");
        QTest::addColumn<QString>("logged");
        QTest::newRow("12.5 s") << qint64(12500) << ",13,1500,false,";
        QTest::newRow("12.4 s") << qint64(12400) << ",12,1500,false,";
    }

    void loggedSecondsRoundHalvesAwayFromZero()
    {
        QFETCH(qint64, activeMilliseconds);
        QFETCH(QString, logged);

        ControllerHarness harness;
        AppController &controller = harness.start();
        controller.round()->handleInputActivity();
        harness.tick(activeMilliseconds);
        controller.round()->finishFocusNow();
        QCOMPARE(controller.round()->phase(), SessionPhase::SessionComplete);
        QVERIFY(QString::fromUtf8(readFileBytes(harness.file(QStringLiteral("focus-session-log.csv"))))
                    .contains(logged));
        QVERIFY(!QFile::exists(harness.file(QStringLiteral("active-focus-session.json"))));
        QCOMPARE(controller.statistics()->todayCompletedSessions(), 0);
        QCOMPARE(controller.journal()->notesRevision(), 1);
        QCOMPARE(harness.window->broughtForward, 1);
    }

    void inputHandedOverAtATickCountsFromThatTick_data()
    {
        QTest::addColumn<bool>("inputAtTick");
        QTest::addColumn<WorkTrackingState>("stateAfterTick");
        QTest::addColumn<double>("secondsASecondLater");

        QTest::newRow("input held back until the tick") << true << WorkTrackingState::tracking << 1.0;
        QTest::newRow("no input") << false << WorkTrackingState::waitingForActivity << 0.0;
    }

    void inputHandedOverAtATickCountsFromThatTick()
    {
        QFETCH(bool, inputAtTick);
        QFETCH(WorkTrackingState, stateAfterTick);
        QFETCH(double, secondsASecondLater);

        ControllerHarness harness;
        AppController &controller = harness.start();
        QCOMPARE(controller.round()->trackingState(), WorkTrackingState::waitingForActivity);
        harness.global->fireAtTick = inputAtTick;
        harness.tick(250);
        QCOMPARE(controller.round()->trackingState(), stateAfterTick);
        // The waiting time before that tick does not count.
        QCOMPARE(controller.round()->workTimer().accumulatedActiveTime, 0.0);

        harness.global->fireAtTick = false;
        harness.tick(1000);
        QCOMPARE(controller.round()->workTimer().accumulatedActiveTime, secondsASecondLater);
    }

    void pauseAtTheCompletingInstantClosesTheRound()
    {
        ControllerHarness harness;
        AppPreferences preferences;
        preferences.sessionMinutes = 1;
        AppController &controller = harness.startWithStored(preferences);
        controller.round()->handleInputActivity();
        harness.tick(59 * 1000);
        controller.round()->handleInputActivity();
        harness.clock->advanceMs(1000);
        controller.round()->toggleManualPause();
        QCOMPARE(controller.round()->phase(), SessionPhase::SessionComplete);
        QCOMPARE(controller.statistics()->todayCompletedSessions(), 1);
        QCOMPARE(controller.round()->formattedTime(), QStringLiteral("00:00"));
    }

    void pauseAndResume()
    {
        ControllerHarness harness;
        AppController &controller = harness.start();
        controller.round()->handleInputActivity();
        harness.tick(10 * 1000);
        controller.round()->toggleManualPause();
        QCOMPARE(controller.round()->trackingState(), WorkTrackingState::manuallyPaused);
        // Activity never ends a manual pause, and paused time does not count.
        controller.round()->handleInputActivity();
        harness.tick(30 * 1000);
        QCOMPARE(controller.round()->trackingState(), WorkTrackingState::manuallyPaused);
        QCOMPARE(controller.round()->workTimer().accumulatedActiveTime, 10.0);
        QVERIFY(readJson(harness.file(QStringLiteral("active-focus-session.json")))
                    .value(QStringLiteral("manuallyPaused"))
                    .toBool());

        controller.round()->toggleManualPause();
        QCOMPARE(controller.round()->trackingState(), WorkTrackingState::tracking);
        harness.tick(2000);
        QCOMPARE(controller.round()->workTimer().accumulatedActiveTime, 12.0);
    }

    void unforcedSnapshotsWaitFiveSeconds_data()
    {
        QTest::addColumn<qint64>("clockStepMilliseconds");
        QTest::addColumn<qint64>("afterMilliseconds");
        QTest::addColumn<bool>("written");
        QTest::newRow("4.9 s") << qint64(0) << qint64(4900) << false;
        QTest::newRow("5.0 s") << qint64(0) << qint64(5000) << true;
        // A last save that now lies in the future is due at once.
        QTest::newRow("clock set back an hour") << qint64(-3600 * 1000) << qint64(250) << true;
        QTest::newRow("clock set back 1 s") << qint64(-1000) << qint64(250) << true;
    }

    void unforcedSnapshotsWaitFiveSeconds()
    {
        QFETCH(qint64, clockStepMilliseconds);
        QFETCH(qint64, afterMilliseconds);
        QFETCH(bool, written);

        ControllerHarness harness;
        AppController &controller = harness.start();
        const QString snapshot = harness.file(QStringLiteral("active-focus-session.json"));
        QVERIFY(QFile::remove(snapshot));
        harness.clock->advanceMs(clockStepMilliseconds);
        controller.round()->handleInputActivity();
        harness.tick(afterMilliseconds);
        QCOMPARE(QFile::exists(snapshot), written);
    }

    void unforcedSnapshotsWriteOnlyAChangedRound_data()
    {
        QTest::addColumn<QString>("round");
        QTest::addColumn<bool>("written");
        QTest::newRow("waiting for activity") << QStringLiteral("waiting") << false;
        QTest::newRow("counting") << QStringLiteral("counting") << true;
        QTest::newRow("paused by hand") << QStringLiteral("paused") << false;
        QTest::newRow("idle after counting") << QStringLiteral("idle") << false;
    }

    void unforcedSnapshotsWriteOnlyAChangedRound()
    {
        QFETCH(QString, round);
        QFETCH(bool, written);

        ControllerHarness harness;
        AppPreferences preferences;
        preferences.keyboardIdleMinutes = 1;
        AppController &controller = harness.startWithStored(preferences);
        if (round != QLatin1String("waiting"))
            controller.round()->handleInputActivity();
        if (round == QLatin1String("paused"))
            controller.round()->toggleManualPause();
        if (round == QLatin1String("idle")) {
            // A minute and more without input: the round is idle and its last change saved.
            harness.tick(61 * 1000);
            harness.tick(5000);
            QCOMPARE(controller.round()->trackingState(), WorkTrackingState::idlePaused);
        }
        const QString snapshot = harness.file(QStringLiteral("active-focus-session.json"));
        QVERIFY(QFile::remove(snapshot));
        harness.tick(5000);
        QCOMPARE(QFile::exists(snapshot), written);
    }

    void roundAfterABreakShowsTheTrackingSwitchAtOnce_data()
    {
        QTest::addColumn<bool>("trackActivity");
        QTest::addColumn<WorkTrackingState>("shown");
        QTest::newRow("tracking on") << true << WorkTrackingState::waitingForActivity;
        QTest::newRow("tracking off") << false << WorkTrackingState::tracking;
    }

    void roundAfterABreakShowsTheTrackingSwitchAtOnce()
    {
        QFETCH(bool, trackActivity);
        QFETCH(WorkTrackingState, shown);

        ControllerHarness harness;
        AppPreferences preferences;
        preferences.trackActivity = trackActivity;
        harness.startInBreak(preferences);
        AppController &controller = *harness.controller;
        controller.breakWheel()->spinWheel(0);
        QTRY_COMPARE(controller.round()->phase(), SessionPhase::Activity);
        QSignalSpy changes(controller.round(), &Round::trackingStateChanged);
        controller.breakWheel()->confirmActivityCompleted();
        QCOMPARE(controller.round()->phase(), SessionPhase::Focus);
        QCOMPARE(controller.round()->trackingState(), shown);
        QVERIFY(controller.round()->isActivityTrackingOn() == trackActivity);
        // The tick keeps what the new round showed; nothing flashes in between.
        harness.tick();
        QCOMPARE(controller.round()->trackingState(), shown);
        QVERIFY(changes.count() <= 1);
    }

    // Where the session offers no source of activity, the switch looks again and then turns tracking off:
    // the round counts plain time and the header says why.
    void withoutAccessTheSwitchTurnsTrackingOff()
    {
        ControllerHarness harness;
        harness.trusted = false;
        AppController &controller = harness.start();
        QCOMPARE(controller.round()->trackingState(), WorkTrackingState::permissionRequired);

        controller.round()->toggleActivityTracking();
        QVERIFY(harness.trust->prompted);
        QVERIFY(!controller.preferences().trackActivity);
        QCOMPARE(controller.round()->trackingState(), WorkTrackingState::tracking);
        QVERIFY(controller.console()->header().tracking.detail.startsWith(
            u"已关闭 · 此会话不提供键盘与鼠标活动"_qs));
        harness.tick(3000);
        QCOMPARE(controller.round()->workTimer().accumulatedActiveTime, 3.0);

        // The permission button still explains what is missing.
        controller.round()->enableAutomaticTracking();
        QCOMPARE(controller.sheets()->alertTitle(), QStringLiteral("等待 X11 输入权限"));
    }

    // Where the window cannot come forward by itself, the round's end is told in the interface language,
    // and taken back when the break begins.
    void roundEndIsToldUntilTheBreak()
    {
        struct RecordingNotice : RoundEndNotice
        {
            void show(const QString &t, const QString &b, const QString &a) override { shown = { t, b, a }; }
            void withdraw() override { shown.clear(); }
            QStringList shown;
        } *notice = new RecordingNotice;
        ControllerHarness harness;
        AppPreferences preferences;
        preferences.language = AppLanguage::english;
        QVERIFY(AppStorageService::savePreferences(preferences, harness.root()).ok());
        AppController &controller
            = harness.start([&](AppControllerSeams &seams) { seams.roundEndNotice.reset(notice); });
        controller.round()->finishFocusNow();
        QCOMPARE(notice->shown,
            QStringList({ u"Round Complete"_qs, u"Time for a break: open Quorvane to start it."_qs,
                u"Open Quorvane"_qs }));
        controller.breakWheel()->enterLockedBreak();
        QVERIFY(notice->shown.isEmpty());
    }

    // A break held by the window alone needs no input access, and its lock line says what is held.
    void breakSaysWhatHoldsTheKeyboard_data()
    {
        QTest::addColumn<KeyboardHold>("hold");
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("button");
        QTest::newRow("session") << KeyboardHold::session << u"键盘已锁定 · 后台任务继续运行"_qs
                                 << u"进入休息并锁定键盘"_qs;
        QTest::newRow("window and shortcuts")
            << KeyboardHold::windowAndShortcuts << u"按键与快捷键只进入休息窗口 · 后台任务继续运行"_qs
            << u"进入休息并接管快捷键"_qs;
        QTest::newRow("window only") << KeyboardHold::windowOnly
                                     << u"键盘未锁定：此桌面允许其他窗口接收按键 · 后台任务继续运行"_qs
                                     << u"进入休息"_qs;
    }

    void breakSaysWhatHoldsTheKeyboard()
    {
        QFETCH(KeyboardHold, hold);
        QFETCH(QString, line);
        QFETCH(QString, button);
        ControllerHarness harness;
        harness.trusted = hold == KeyboardHold::session;
        harness.keyboardHold = hold;
        harness.startInBreak();
        QVERIFY(harness.controller->breakWheel()->keyboardIsLocked());
        QCOMPARE(harness.controller->breakWheel()->breakLockText(), line);
        QCOMPARE(harness.controller->console()->roundComplete().breakTitle, button);
        // Only X11's hold blocks keyboard input; the compositor may take back what it grants.
        QCOMPARE(harness.controller->console()->roundComplete().hint.contains(u"键盘"),
            hold == KeyboardHold::session);
        QCOMPARE(harness.controller->breakWheel()->holdsKeys(), hold != KeyboardHold::windowOnly);
        harness.grab->changeHold(KeyboardHold::windowOnly);
        QVERIFY(harness.controller->breakWheel()->breakLockText().startsWith(u"键盘未锁定"));
    }

    void switchingTrackingOffCountsPlainTimeAndIsSaved()
    {
        ControllerHarness harness;
        AppController &controller = harness.start();
        controller.round()->toggleActivityTracking();
        QVERIFY(!controller.preferences().trackActivity);
        QCOMPARE(controller.round()->trackingState(), WorkTrackingState::tracking);
        QVERIFY(!harness.global->isInstalled());
        QCOMPARE(
            readJson(harness.file(QStringLiteral("preferences.json"))).value(QStringLiteral("trackActivity")),
            QJsonValue(false));
        harness.tick(3000);
        QCOMPARE(controller.round()->workTimer().accumulatedActiveTime, 3.0);
    }

    void failedTrackingSaveRollsBack()
    {
        ControllerHarness harness;
        AppController &controller = harness.start();
        // A folder where the file should be makes every write fail, even for root.
        QVERIFY(QFile::remove(harness.file(QStringLiteral("preferences.json"))));
        QVERIFY(QDir().mkpath(harness.file(QStringLiteral("preferences.json"))));
        controller.round()->toggleActivityTracking();
        QVERIFY(controller.preferences().trackActivity);
        QVERIFY(harness.global->isInstalled());
        QCOMPARE(controller.sheets()->alertTitle(), QStringLiteral("无法保存监测设置"));
    }

    void spinsTurnOntoTheChosenSlice()
    {
        ControllerHarness harness;
        // A takes half the wheel (centre 90°); once A is the latest draw, B is centred at 45°.
        const QList<WheelItem> items { item("A", 4, 10), item("B", 1, 5), item("C", 3, 7) };
        AppPreferences preferences;
        preferences.items = items;
        harness.startInBreak(preferences);
        AppController &controller = *harness.controller;
        QCOMPARE(harness.window->fullScreens, 1);
        QVERIFY(controller.breakWheel()->keyboardIsLocked());

        harness.wheel->rolls = { 0.1, 0.1 };
        controller.breakWheel()->spinWheel(0);
        QCOMPARE(controller.breakWheel()->selectedItem()->item.title, QStringLiteral("A"));
        QCOMPARE(controller.breakWheel()->wheelRotation(), 1710.0);
        QVERIFY(controller.breakWheel()->isSpinning());
        // The history file records the draw at once; the wheel's weights wait for the confirmation.
        QCOMPARE(readFileBytes(harness.file(QStringLiteral("recent-history.json"))),
            "[\"" + Uuid::upperText(items[0].id).toLatin1() + "\"]");
        QVERIFY(controller.breakWheel()->recentHistory().isEmpty());

        controller.breakWheel()->spinWheel(0);
        QCOMPARE(controller.breakWheel()->wheelRotation(), 1710.0);
        QTRY_COMPARE(controller.round()->phase(), SessionPhase::Activity);

        controller.breakWheel()->confirmActivityCompleted();
        QCOMPARE(controller.round()->phase(), SessionPhase::Focus);
        QCOMPARE(controller.statistics()->todayHealthScore(), 10);
        QVERIFY(!controller.breakWheel()->keyboardIsLocked());
        QVERIFY(!harness.grab->isGrabbed());
        QCOMPARE(controller.breakWheel()->recentHistory(), QList<QUuid> { items[0].id });
        const QString log
            = QString::fromUtf8(readFileBytes(harness.file(QStringLiteral("daily-activity-log.csv"))));
        QVERIFY(log.contains(QStringLiteral(",1,第 1 轮课间,A,10,4.000,4.000,10,")));

        controller.round()->finishFocusNow();
        controller.breakWheel()->enterLockedBreak();
        controller.breakWheel()->spinWheel(0);
        QCOMPARE(controller.breakWheel()->selectedItem()->item.title, QStringLiteral("B"));
        QCOMPARE(controller.breakWheel()->wheelRotation(), 3555.0);
    }

    void emergencyUnlockDuringASpinVoidsTheSettle()
    {
        ControllerHarness harness;
        harness.startInBreak();
        AppController &controller = *harness.controller;
        controller.breakWheel()->spinWheel(0);
        harness.grab->pressEmergencyChord();
        QTRY_COMPARE(controller.round()->phase(), SessionPhase::SessionComplete);
        QVERIFY(controller.breakWheel()->emergencyUnlocked());
        QVERIFY(!controller.breakWheel()->keyboardIsLocked());
        QCOMPARE(controller.sheets()->alertTitle(), QStringLiteral("已应急解锁"));
        QVERIFY(!controller.breakWheel()->isSpinning());
        QVERIFY(!controller.breakWheel()->selectedItem());
    }

    void lateEmergencyUnlockAfterTheBreakIsIgnored()
    {
        ControllerHarness harness;
        harness.startInBreak();
        AppController &controller = *harness.controller;
        controller.breakWheel()->spinWheel(0);
        QTRY_COMPARE(controller.round()->phase(), SessionPhase::Activity);
        // The chord's callback is still queued when the confirmation opens the next round.
        harness.grab->pressEmergencyChord();
        controller.breakWheel()->confirmActivityCompleted();
        QCOMPARE(controller.round()->phase(), SessionPhase::Focus);
        QCoreApplication::processEvents();
        QCOMPARE(controller.round()->phase(), SessionPhase::Focus);
        QVERIFY(!controller.breakWheel()->emergencyUnlocked());
        QVERIFY(QFile::exists(harness.file(QStringLiteral("active-focus-session.json"))));
    }

    void failedActivityAppendStillEndsTheBreak()
    {
        ControllerHarness harness;
        harness.startInBreak();
        AppController &controller = *harness.controller;
        controller.breakWheel()->spinWheel(0);
        QTRY_COMPARE(controller.round()->phase(), SessionPhase::Activity);
        const qint64 revision = controller.journal()->notesRevision();
        QVERIFY(QFile::remove(harness.file(QStringLiteral("daily-activity-log.csv"))));
        controller.breakWheel()->confirmActivityCompleted();
        QCOMPARE(controller.sheets()->alertTitle(), QStringLiteral("CSV 写入失败"));
        QCOMPARE(controller.round()->phase(), SessionPhase::Focus);
        QVERIFY(!harness.grab->isGrabbed());
        QCOMPARE(controller.journal()->notesRevision(), revision);
        QCOMPARE(controller.breakWheel()->recentHistory().size(), 1);
        QVERIFY(!QFile::exists(harness.file(QStringLiteral("daily-activity-log.csv"))));
    }

    void failedFocusAppendStillClosesTheRound()
    {
        ControllerHarness harness;
        AppController &controller = harness.start();
        QVERIFY(QFile::remove(harness.file(QStringLiteral("focus-session-log.csv"))));
        controller.round()->finishFocusNow();
        QCOMPARE(controller.round()->phase(), SessionPhase::SessionComplete);
        QCOMPARE(controller.sheets()->alertTitle(), QStringLiteral("番茄记录写入失败"));
        QCOMPARE(controller.journal()->notesRevision(), 0);
        // The round's saved state goes only with its row written.
        QVERIFY(QFile::exists(harness.file(QStringLiteral("active-focus-session.json"))));
    }

    void refusedLockStaysOnTheCompleteScreen()
    {
        ControllerHarness harness;
        AppController &controller = harness.start();
        harness.grab->canGrab = false;
        controller.round()->finishFocusNow();
        controller.breakWheel()->enterLockedBreak();
        QCOMPARE(controller.round()->phase(), SessionPhase::SessionComplete);
        QCOMPARE(controller.sheets()->alertTitle(), QStringLiteral("无法锁定键盘"));
        QCOMPARE(harness.window->fullScreens, 0);
    }

    void historyKeepsTwentyNewestWithoutDuplicates()
    {
        ControllerHarness harness;
        AppPreferences preferences;
        preferences.items.clear();
        for (int i = 0; i < 25; ++i)
            preferences.items.append(item("x", 1, 1));
        harness.startInBreak(preferences);
        AppController &controller = *harness.controller;
        QUuid latest;
        for (int round = 0; round < 60; ++round) {
            // A fixed spread of rolls, so the draws wander over the whole wheel.
            harness.wheel->rolls = { std::fmod(round * 0.618034, 1.0) };
            controller.breakWheel()->spinWheel(0);
            latest = controller.breakWheel()->selectedItem()->id();
            QTRY_COMPARE(controller.round()->phase(), SessionPhase::Activity);
            controller.breakWheel()->confirmActivityCompleted();
            controller.round()->finishFocusNow();
            controller.breakWheel()->enterLockedBreak();
        }
        const QList<QUuid> history = controller.breakWheel()->recentHistory();
        QCOMPARE(history.size(), 20);
        QCOMPARE(QSet<QUuid>(history.cbegin(), history.cend()).size(), 20);
        QCOMPARE(history.first(), latest);
        const QJsonArray stored
            = QJsonDocument::fromJson(readFileBytes(harness.file(QStringLiteral("recent-history.json"))))
                  .array();
        QCOMPARE(stored.size(), 20);
        QCOMPARE(stored.first().toString(), Uuid::upperText(history.first()));
    }
};

QUORVANE_TEST_GUILESS_MAIN(FocusBreakCycleTest)
#include "tst_focus_break_cycle.moc"
