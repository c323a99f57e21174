#pragma once

#include "CountingBeep.h"
#include "FakeAccessibilityTrust.h"
#include "FakeClock.h"
#include "FakeFilePicker.h"
#include "FakeInputActivityBackend.h"
#include "FakeKeyboardGrabBackend.h"
#include "FakeOneShotTimer.h"
#include "TestSupport.h"
#include "app/AppController.h"
#include "storage/AppStorageService.h"

#include <QDir>
#include <QTest>
#include <functional>

// A silent player: the controller's tests care about what it is asked to play, not about sound.
class SilentTrackPlayer : public TrackPlayer
{
public:
    void load(const QString &) override { }
    void play() override { }
    void pause() override { }
    void stop() override { }
    double positionSeconds() const override { return 0; }
    double durationSeconds() const override { return 0; }
    void seek(double) override { }
    void setVolume(float) override { }
};

// Hands out the queued rolls in turn, then 0.
class QueuedRandomSource : public RandomSource
{
public:
    double unitRoll() override { return rolls.isEmpty() ? 0.0 : rolls.takeFirst(); }
    QList<double> rolls;
};

class RecordingWorkspace : public Workspace
{
public:
    bool openUrl(const QUrl &url) override
    {
        openedUrls.append(url);
        return opens;
    }
    void revealFile(const QString &path, std::function<void(const QString &)> unshown) override
    {
        revealedFiles.append(path);
        if (!opens)
            unshown(QFileInfo(path).path());
    }
    // Whether the desktop has an opener; without one, nothing shows a file or folder.
    bool opens = true;
    QList<QUrl> openedUrls;
    QStringList revealedFiles;
};

class RecordingWindow : public WindowControl
{
public:
    void bringForward() override { ++broughtForward; }
    void enterFullScreen() override { ++fullScreens; }
    int broughtForward = 0;
    int fullScreens = 0;
};

// Answers the quit question as told and keeps what it was asked.
class AnsweringQuitQuestion : public QuitQuestion
{
public:
    bool confirm(const QString &, const QString &message, const QString &, const QString &) override
    {
        messages.append(message);
        return quit;
    }
    bool quit = false;
    QStringList messages;
};

// One controller over fakes of every operating-system seam and a fresh data folder. The fakes stay
// reachable through the raw pointers; the controller owns them.
class ControllerHarness
{
public:
    ControllerHarness() { QDir().mkpath(root()); }

    QString root() const { return home.filePath(QStringLiteral("data")); }
    QString file(const QString &name) const
    {
        return QDir(root()).filePath(QStringLiteral("Quorvane/") + name);
    }

    // `adjust` may put real seams in place of fakes; the replaced fakes' pointers must not be used then.
    AppController &start(const std::function<void(AppControllerSeams &)> &adjust = {})
    {
        AppControllerSeams seams;
        seams.applicationSupportRoot = root();
        auto ownedClock = std::make_unique<FakeClock>(startTime);
        clock = ownedClock.get();
        seams.clock = std::move(ownedClock);
        auto ownedWheel = std::make_unique<QueuedRandomSource>();
        wheel = ownedWheel.get();
        seams.wheelRandom = std::move(ownedWheel);
        seams.shuffleRandom = std::make_unique<QueuedRandomSource>();
        auto ownedTrust = std::make_unique<FakeAccessibilityTrust>();
        trust = ownedTrust.get();
        trust->trusted = trusted;
        seams.trust = std::move(ownedTrust);
        auto ownedGlobal = std::make_unique<FakeInputActivityBackend>();
        global = ownedGlobal.get();
        global->canInstall = trusted;
        seams.globalActivity = std::move(ownedGlobal);
        auto ownedLocal = std::make_unique<FakeInputActivityBackend>();
        local = ownedLocal.get();
        seams.localActivity = std::move(ownedLocal);
        auto ownedGrab = std::make_unique<FakeKeyboardGrabBackend>();
        grab = ownedGrab.get();
        grab->heldAs = keyboardHold;
        seams.keyboardGrab = std::move(ownedGrab);
        seams.trackPlayers = [] { return std::make_unique<SilentTrackPlayer>(); };
        auto ownedBeep = std::make_unique<CountingBeep>();
        beep = ownedBeep.get();
        seams.beep = std::move(ownedBeep);
        auto ownedWorkspace = std::make_unique<RecordingWorkspace>();
        workspace = ownedWorkspace.get();
        seams.workspace = std::move(ownedWorkspace);
        auto ownedWindow = std::make_unique<RecordingWindow>();
        window = ownedWindow.get();
        seams.window = std::move(ownedWindow);
        auto ownedPicker = std::make_unique<FakeFilePicker>();
        picker = ownedPicker.get();
        seams.filePicker = std::move(ownedPicker);
        auto ownedDockTimer = std::make_unique<FakeOneShotTimer>();
        dockTimer = ownedDockTimer.get();
        seams.consoleDockTimer = std::move(ownedDockTimer);
        auto ownedVolumeTimer = std::make_unique<FakeOneShotTimer>();
        volumeTimer = ownedVolumeTimer.get();
        seams.volumeSaveDelay = std::move(ownedVolumeTimer);
        auto ownedQuitQuestion = std::make_unique<AnsweringQuitQuestion>();
        quitQuestion = ownedQuitQuestion.get();
        seams.quitQuestion = std::move(ownedQuitQuestion);
        if (adjust)
            adjust(seams);
        controller = std::make_unique<AppController>(std::move(seams));
        return *controller;
    }

    // Starts a controller over `preferences`, stored first as an earlier run would have left them.
    AppController &startWithStored(const AppPreferences &preferences)
    {
        [&] { QVERIFY(AppStorageService::savePreferences(preferences, root()).ok()); }();
        return start();
    }

    // Starts a controller over `preferences` whose round is already complete and whose break wheel is
    // showing.
    void startInBreak(const AppPreferences &preferences = AppPreferences())
    {
        AppController &started = startWithStored(preferences);
        started.round()->finishFocusNow();
        started.breakWheel()->enterLockedBreak();
        QCOMPARE(started.round()->phase(), SessionPhase::Wheel);
    }

    // Takes the round on, as a user would, through its end, the wheel and the activity until it stands at
    // `phase`.
    void reach(SessionPhase phase)
    {
        for (int step = 0; step < 4 && controller->round()->phase() != phase; ++step) {
            const SessionPhase from = controller->round()->phase();
            from == SessionPhase::Focus          ? controller->round()->finishFocusNow()
                : from == SessionPhase::Activity ? controller->breakWheel()->confirmActivityCompleted()
                : from == SessionPhase::Wheel    ? controller->breakWheel()->spinWheel(0)
                                                 : controller->breakWheel()->enterLockedBreak();
            QTRY_VERIFY_WITH_TIMEOUT(controller->round()->phase() != from, 30000);
        }
        QCOMPARE(controller->round()->phase(), phase);
    }

    // Moves the clock on and runs one tick.
    void tick(qint64 milliseconds = 250)
    {
        clock->advanceMs(milliseconds);
        controller->updateRemainingTime();
    }

    TemporaryDataHome home;
    QDateTime startTime = QDateTime(QDate(2024, 3, 1), QTime(9, 0), Qt::LocalTime);
    bool trusted = true;
    KeyboardHold keyboardHold = KeyboardHold::session;
    std::unique_ptr<AppController> controller;
    FakeClock *clock = nullptr;
    QueuedRandomSource *wheel = nullptr;
    FakeAccessibilityTrust *trust = nullptr;
    FakeInputActivityBackend *global = nullptr;
    FakeInputActivityBackend *local = nullptr;
    FakeKeyboardGrabBackend *grab = nullptr;
    CountingBeep *beep = nullptr;
    RecordingWorkspace *workspace = nullptr;
    RecordingWindow *window = nullptr;
    FakeFilePicker *picker = nullptr;
    FakeOneShotTimer *dockTimer = nullptr;
    FakeOneShotTimer *volumeTimer = nullptr;
    AnsweringQuitQuestion *quitQuestion = nullptr;
};
