#include "ControllerHarness.h"
#include "TestProgram.h"
#include "storage/FocusSessionLogger.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

enum class Scenario { newRound, typing, idle, paused, pausedWhileIdle, resumed, withoutInputAccess };

// Brings a fresh controller into one tracking state the way a user would.
void play(ControllerHarness &harness, Scenario scenario)
{
    AppController &controller = *harness.controller;
    const qint64 idleTimeoutMilliseconds = 5 * 60 * 1000;
    switch (scenario) {
    case Scenario::newRound:
    case Scenario::withoutInputAccess:
        break;
    case Scenario::typing:
        controller.round()->handleInputActivity();
        break;
    case Scenario::idle:
        controller.round()->handleInputActivity();
        harness.tick(idleTimeoutMilliseconds + 1000);
        break;
    case Scenario::paused:
        controller.round()->handleInputActivity();
        harness.tick(1000);
        controller.round()->toggleManualPause();
        break;
    case Scenario::pausedWhileIdle:
        controller.round()->handleInputActivity();
        harness.tick(idleTimeoutMilliseconds + 1000);
        controller.round()->toggleManualPause();
        break;
    case Scenario::resumed:
        controller.round()->toggleManualPause();
        controller.round()->toggleManualPause();
        break;
    }
}

QString snapshotNotes(const ControllerHarness &harness)
{
    return QJsonDocument::fromJson(readFileBytes(harness.file(QStringLiteral("active-focus-session.json"))))
        .object()
        .value(QStringLiteral("notes"))
        .toString();
}

} // namespace

class FocusConsoleTest : public QObject
{
    Q_OBJECT

private slots:
    void controlsFollowTheTrackingState_data()
    {
        QTest::addColumn<WorkTrackingState>("state");
        QTest::addColumn<AppLanguage>("language");
        QTest::addColumn<QString>("statusTitle");
        QTest::addColumn<QString>("statusSymbol");
        QTest::addColumn<bool>("showsPermissionButton");
        QTest::addColumn<QString>("pauseTitle");
        QTest::addColumn<QString>("pauseSymbol");
        QTest::addColumn<bool>("pauseIsPrimary");

        const auto zh = AppLanguage::chinese;
        const auto en = AppLanguage::english;
        QTest::newRow("permission, zh") << WorkTrackingState::permissionRequired << zh << "等待 X11 输入权限"
                                        << "keyboard.badge.ellipsis" << true << "暂停计时"
                                        << "pause.fill" << false;
        QTest::newRow("permission, en")
            << WorkTrackingState::permissionRequired << en << "X11 Input Access Required"
            << "keyboard.badge.ellipsis" << true << "Pause"
            << "pause.fill" << false;
        QTest::newRow("waiting, zh") << WorkTrackingState::waitingForActivity << zh << "等待你开始工作"
                                     << "keyboard.and.cursorarrow" << false << "暂停计时"
                                     << "pause.fill" << false;
        QTest::newRow("waiting, en") << WorkTrackingState::waitingForActivity << en << "Waiting for Activity"
                                     << "keyboard.and.cursorarrow" << false << "Pause"
                                     << "pause.fill" << false;
        QTest::newRow("tracking, zh") << WorkTrackingState::tracking << zh << "专注计时中"
                                      << "waveform.path.ecg" << false << "暂停计时"
                                      << "pause.fill" << false;
        QTest::newRow("tracking, en") << WorkTrackingState::tracking << en << "Focus in Progress"
                                      << "waveform.path.ecg" << false << "Pause"
                                      << "pause.fill" << false;
        // An idle pause still offers the secondary pause button, not the resume button.
        QTest::newRow("idle, zh") << WorkTrackingState::idlePaused << zh << "工作已中断 · 计时暂停"
                                  << "pause.circle" << false << "暂停计时"
                                  << "pause.fill" << false;
        QTest::newRow("idle, en") << WorkTrackingState::idlePaused << en << "Inactive · Timer Paused"
                                  << "pause.circle" << false << "Pause"
                                  << "pause.fill" << false;
        QTest::newRow("paused, zh") << WorkTrackingState::manuallyPaused << zh << "计时已暂停"
                                    << "pause.circle.fill" << false << "继续计时"
                                    << "play.fill" << true;
        QTest::newRow("paused, en") << WorkTrackingState::manuallyPaused << en << "Timer Paused"
                                    << "pause.circle.fill" << false << "Resume"
                                    << "play.fill" << true;
    }

    void controlsFollowTheTrackingState()
    {
        QFETCH(WorkTrackingState, state);
        QFETCH(AppLanguage, language);
        QFETCH(QString, statusTitle);
        QFETCH(QString, statusSymbol);
        QFETCH(bool, showsPermissionButton);
        QFETCH(QString, pauseTitle);
        QFETCH(QString, pauseSymbol);
        QFETCH(bool, pauseIsPrimary);

        const auto console = FocusConsolePresentation::make(state, language);
        QCOMPARE(console.statusTitle, statusTitle);
        QCOMPARE(console.statusSymbol, statusSymbol);
        QCOMPARE(console.showsPermissionButton, showsPermissionButton);
        QCOMPARE(console.pauseTitle, pauseTitle);
        QCOMPARE(console.pauseSymbol, pauseSymbol);
        QCOMPARE(console.pauseIsPrimary, pauseIsPrimary);
    }

    // Counting elapsed time lasts for this round only.
    void withheldInputCanCountElapsedTime()
    {
        ControllerHarness harness;
        Round &round = *harness.start().round();
        harness.global->withheld = true;
        harness.tick();
        QVERIFY(harness.controller->console()->focusConsole().offersElapsedTime);
        round.countElapsedTimeThisRound();
        const qint64 before = round.secondsRemaining();
        harness.tick(10 * 60 * 1000);
        QCOMPARE(round.secondsRemaining(), before - 10 * 60);
        QVERIFY(!harness.controller->console()->focusConsole().offersElapsedTime);
        round.finishFocusNow();
        harness.reach(SessionPhase::Focus);
        harness.tick();
        QCOMPARE(round.trackingState(), WorkTrackingState::waitingForActivity);
    }

    void fixedLabelsFollowTheLanguage_data()
    {
        QTest::addColumn<AppLanguage>("language");
        QTest::addColumn<QStringList>("console");
        QTest::addColumn<QStringList>("roundComplete");

        QTest::newRow("zh") << AppLanguage::chinese
                            << QStringList { u"授予活动监测权限"_s, u"提前休息"_s, u"本轮不计为已完成番茄"_s,
                                   u"本轮笔记"_s, u"添加本轮笔记…"_s }
                            << QStringList { u"这一轮完成了"_s, u"本轮笔记"_s, u"点击记录这一轮正在做什么…"_s,
                                   u"进入休息并锁定键盘"_s, u"只拦截键盘输入，不会暂停或终止任何后台任务"_s };
        QTest::newRow("en")
            << AppLanguage::english
            << QStringList { u"Grant Activity Access"_s, u"Break Early"_s,
                   u"This round will not count as a completed focus round"_s, u"Session Notes"_s,
                   u"Add a note…"_s }
            << QStringList { u"Round Complete"_s, u"Session Notes"_s, u"Click to capture this session…"_s,
                   u"Start Break and Lock Keyboard"_s,
                   u"Only keyboard input is blocked; no background task is paused or stopped"_s };
    }

    void fixedLabelsFollowTheLanguage()
    {
        QFETCH(AppLanguage, language);
        QFETCH(QStringList, console);
        QFETCH(QStringList, roundComplete);

        for (const auto state : { WorkTrackingState::permissionRequired,
                 WorkTrackingState::waitingForActivity, WorkTrackingState::tracking,
                 WorkTrackingState::idlePaused, WorkTrackingState::manuallyPaused }) {
            const auto shown = FocusConsolePresentation::make(state, language);
            QCOMPARE((QStringList { shown.permissionTitle, shown.finishTitle, shown.finishHelp,
                         shown.notesLabel, shown.notesPlaceholder }),
                console);
            QCOMPARE(shown.permissionSymbol, QStringLiteral("keyboard.badge.ellipsis"));
            QCOMPARE(shown.finishSymbol, QStringLiteral("figure.walk"));
        }
        const auto complete = RoundCompletePresentation::make(language, KeyboardHold::session);
        QCOMPARE((QStringList { complete.title, complete.notesHeading, complete.notesPlaceholder,
                     complete.breakTitle, complete.hint }),
            roundComplete);
        QCOMPARE(complete.breakSymbol, QStringLiteral("lock.fill"));
        QCOMPARE(complete.hintSymbol, QStringLiteral("shield.lefthalf.filled"));
    }

    void controllerPublishesTheConsoleOfItsState_data()
    {
        QTest::addColumn<Scenario>("scenario");
        QTest::addColumn<WorkTrackingState>("state");

        QTest::newRow("new round") << Scenario::newRound << WorkTrackingState::waitingForActivity;
        QTest::newRow("typing") << Scenario::typing << WorkTrackingState::tracking;
        QTest::newRow("idle") << Scenario::idle << WorkTrackingState::idlePaused;
        QTest::newRow("paused") << Scenario::paused << WorkTrackingState::manuallyPaused;
        QTest::newRow("pause pressed while idle")
            << Scenario::pausedWhileIdle << WorkTrackingState::manuallyPaused;
        QTest::newRow("resumed") << Scenario::resumed << WorkTrackingState::tracking;
        QTest::newRow("without input access")
            << Scenario::withoutInputAccess << WorkTrackingState::permissionRequired;
    }

    void controllerPublishesTheConsoleOfItsState()
    {
        QFETCH(Scenario, scenario);
        QFETCH(WorkTrackingState, state);

        ControllerHarness harness;
        harness.trusted = scenario != Scenario::withoutInputAccess;
        AppController &controller = harness.start();
        QSignalSpy changed(controller.console(), &Console::focusConsoleChanged);
        play(harness, scenario);
        QCOMPARE(controller.round()->trackingState(), state);
        QCOMPARE(controller.console()->focusConsole(),
            FocusConsolePresentation::make(state, AppLanguage::chinese));
        QCOMPARE(controller.console()->property("focusConsole").value<FocusConsolePresentation>(),
            controller.console()->focusConsole());
        QCOMPARE(changed.isEmpty(),
            state == WorkTrackingState::waitingForActivity || state == WorkTrackingState::permissionRequired);
    }

    void aLanguageChangeRelabelsBothScreens()
    {
        ControllerHarness harness;
        AppController &controller = harness.start();
        QSignalSpy consoleChanged(controller.console(), &Console::focusConsoleChanged);
        QSignalSpy completeChanged(controller.console(), &Console::roundCompleteChanged);
        AppPreferences edited = controller.preferences();
        edited.language = AppLanguage::english;
        QVERIFY(controller.savePreferences(edited));
        QCOMPARE(consoleChanged.count(), 1);
        QCOMPARE(completeChanged.count(), 1);
        QCOMPARE(controller.console()->focusConsole().statusTitle, QStringLiteral("Waiting for Activity"));
        QCOMPARE(controller.console()->roundComplete(),
            RoundCompletePresentation::make(AppLanguage::english, KeyboardHold::session));

        // A save that changes nothing the screens show announces nothing to them.
        edited.sessionMinutes = 40;
        QVERIFY(controller.savePreferences(edited));
        QCOMPARE(consoleChanged.count(), 1);
        QCOMPARE(completeChanged.count(), 1);
    }

    void theConsoleDocksInTheStoredCorner_data()
    {
        QTest::addColumn<FocusConsoleDock>("stored");
        QTest::addColumn<QString>("dock");
        QTest::newRow("leading") << FocusConsoleDock::leading << "leading";
        QTest::newRow("trailing") << FocusConsoleDock::trailing << "trailing";
    }

    void theConsoleDocksInTheStoredCorner()
    {
        QFETCH(FocusConsoleDock, stored);
        QFETCH(QString, dock);

        ControllerHarness harness;
        AppPreferences preferences;
        preferences.focusConsoleDock = stored;
        AppController &controller = harness.startWithStored(preferences);
        QCOMPARE(controller.console()->property("focusConsoleDock").toString(), dock);
    }

    // Notes typed less than the save delay before quitting used to be lost with the editor.
    void quittingSavesNotesStillWaitingForTheirDelayedSave_data()
    {
        QTest::addColumn<bool>("roundEnded");
        QTest::newRow("during the round") << false;
        QTest::newRow("on the round-complete screen") << true;
    }

    void quittingSavesNotesStillWaitingForTheirDelayedSave()
    {
        QFETCH(bool, roundEnded);

        ControllerHarness harness;
        AppController &controller = harness.start();
        if (roundEnded)
            controller.round()->finishFocusNow();
        controller.journal()->notesEditorAppeared();
        controller.journal()->setNotesEditorFocused(true);
        controller.journal()->editNotesDraft(QStringLiteral("typed just before quitting"));
        QVERIFY(controller.journal()->hasPendingNotesSave());
        QVERIFY(controller.journal()->currentSessionNotes().isEmpty());

        controller.shutdown();
        QVERIFY(!controller.journal()->hasPendingNotesSave());
        QCOMPARE(controller.journal()->currentSessionNotes(), QStringLiteral("typed just before quitting"));
        if (roundEnded) {
            const auto rows
                = FocusSessionLogger(harness.file(QStringLiteral("focus-session-log.csv"))).timelineEntries();
            QCOMPARE(rows.size(), 1);
            QCOMPARE(rows.constFirst().notes, QStringLiteral("typed just before quitting"));
        } else {
            QCOMPARE(snapshotNotes(harness), QStringLiteral("typed just before quitting"));
        }
    }

    void theEditorSavesWhenItLosesFocusOrLeaves_data()
    {
        QTest::addColumn<bool>("leaves");
        QTest::newRow("focus lost") << false;
        QTest::newRow("editor gone") << true;
    }

    void theEditorSavesWhenItLosesFocusOrLeaves()
    {
        QFETCH(bool, leaves);

        ControllerHarness harness;
        AppController &controller = harness.start();
        controller.journal()->notesEditorAppeared();
        controller.journal()->setNotesEditorFocused(true);
        controller.journal()->editNotesDraft(QStringLiteral("outline the chapter"));
        if (leaves)
            controller.journal()->notesEditorDisappeared();
        else
            controller.journal()->setNotesEditorFocused(false);
        QVERIFY(!controller.journal()->hasPendingNotesSave());
        QCOMPARE(controller.journal()->currentSessionNotes(), QStringLiteral("outline the chapter"));
        QCOMPARE(snapshotNotes(harness), QStringLiteral("outline the chapter"));
    }

    void theEditorTakesInNotesChangedElsewhereUnlessFocused()
    {
        ControllerHarness harness;
        AppController &controller = harness.start();
        controller.round()->finishFocusNow();
        controller.journal()->notesEditorAppeared();
        QSignalSpy draftChanged(controller.journal(), &Journal::notesDraftChanged);

        controller.journal()->setNotesEditorFocused(true);
        controller.journal()->updateCurrentSessionNotes(QStringLiteral("from the journal"));
        QVERIFY(controller.journal()->notesDraft().isEmpty());
        QVERIFY(draftChanged.isEmpty());

        controller.journal()->setNotesEditorFocused(false);
        controller.journal()->updateCurrentSessionNotes(QStringLiteral("from the journal again"));
        QCOMPARE(controller.journal()->notesDraft(), QStringLiteral("from the journal again"));
        QCOMPARE(draftChanged.count(), 1);
    }

    void eachEditorStartsFromTheNotesOfItsRound()
    {
        ControllerHarness harness;
        AppController &controller = harness.start();
        controller.journal()->notesEditorAppeared();
        controller.journal()->setNotesEditorFocused(true);
        controller.journal()->editNotesDraft(QStringLiteral("first round"));
        // The round ends while the console's save is pending; the complete screen's editor carries it.
        controller.round()->finishFocusNow();
        controller.journal()->notesEditorAppeared();
        controller.journal()->notesEditorDisappeared();
        QCOMPARE(controller.journal()->notesDraft(), QStringLiteral("first round"));
        const auto rows
            = FocusSessionLogger(harness.file(QStringLiteral("focus-session-log.csv"))).timelineEntries();
        QCOMPARE(rows.size(), 1);
        QCOMPARE(rows.constFirst().notes, QStringLiteral("first round"));

        controller.breakWheel()->enterLockedBreak();
        controller.journal()->notesEditorDisappeared();
        harness.grab->pressEmergencyChord();
        QCoreApplication::processEvents();
        QCOMPARE(controller.round()->phase(), SessionPhase::SessionComplete);
        controller.journal()->notesEditorAppeared();
        QCOMPARE(controller.journal()->notesDraft(), QStringLiteral("first round"));
    }
};

QUORVANE_TEST_GUILESS_MAIN(FocusConsoleTest)
#include "tst_focus_console.moc"
