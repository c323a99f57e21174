#include "ControllerHarness.h"
#include "FakeOneShotTimer.h"
#include "LocalHttpServer.h"
#include "ReadOnlyFolder.h"
#include "SettingsFixtures.h"
#include "TestProgram.h"
#include "network/UpdateController.h"
#include "platform/AutostartEntry.h"
#include "ui/settings/MinuteStepper.h"
#include "ui/settings/SettingsSession.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <limits>

using namespace SettingsFixtures;
using namespace std::chrono_literals;

namespace {

// Stores the automatic-check setting as an earlier run would have left it.
void storeAutomaticChecks(bool enabled)
{
    UpdateController settingsOnly(QString(), {});
    settingsOnly.setAutomaticallyChecksForUpdates(enabled);
}

enum class Stepper { sessionMinutes, idleMinutes };
enum class CheckCase { invalidWeights, validWeights, refusedByController, readOnlyFolder };

} // namespace

class SettingsPanesTest : public QObject
{
    Q_OBJECT

private:
    FakeOneShotTimer *m_delay = nullptr;

    // A controller whose delayed update check runs on the test's own time line.
    AppController &start(ControllerHarness &harness, const AppPreferences &stored, const QString &feed = {})
    {
        [&] { QVERIFY(AppStorageService::savePreferences(stored, harness.root()).ok()); }();
        return harness.start([&](AppControllerSeams &seams) {
            auto delay = std::make_unique<FakeOneShotTimer>();
            m_delay = delay.get();
            seams.updateCheckDelay = std::move(delay);
            seams.updateFeedAddress = feed;
        });
    }

private slots:
    void initTestCase()
    {
        QCoreApplication::setOrganizationName(QStringLiteral("QuorvaneTests"));
        QCoreApplication::setApplicationName(QStringLiteral("SettingsPanesTest"));
    }

    void init() { storeAutomaticChecks(false); }

    void minuteSteppers_data()
    {
        QTest::addColumn<Stepper>("stepper");
        QTest::addColumn<qint64>("minutes");
        QTest::addColumn<AppLanguage>("language");
        QTest::addColumn<QString>("label");
        QTest::addColumn<bool>("canIncrease");
        QTest::addColumn<bool>("canDecrease");
        QTest::addColumn<qint64>("afterIncrease");
        QTest::addColumn<qint64>("afterDecrease");

        const auto row = [](const char *name, Stepper stepper, qint64 minutes, const char *chinese,
                             const char *english, bool up, bool down, qint64 afterUp, qint64 afterDown) {
            QTest::addRow("%s, zh", name) << stepper << minutes << AppLanguage::chinese
                                          << QString::fromUtf8(chinese) << up << down << afterUp << afterDown;
            QTest::addRow("%s, en", name) << stepper << minutes << AppLanguage::english
                                          << QString::fromUtf8(english) << up << down << afterUp << afterDown;
        };
        const Stepper round = Stepper::sessionMinutes;
        const Stepper idle = Stepper::idleMinutes;
        row("round 0", round, 0, "0 分钟", "0 minutes", true, false, 1, 1);
        row("round 1", round, 1, "1 分钟", "1 minute", true, false, 2, 1);
        row("round 25", round, 25, "25 分钟", "25 minutes", true, true, 26, 24);
        row("round 30", round, 30, "30 分钟", "30 minutes", true, true, 31, 29);
        row("round 180", round, 180, "180 分钟", "180 minutes", false, true, 180, 179);
        row("round 500", round, 500, "500 分钟", "500 minutes", false, true, 180, 180);
        row("idle 0", idle, 0, "0 分钟", "0 minutes", true, false, 1, 1);
        row("idle 1", idle, 1, "1 分钟", "1 minute", true, false, 2, 1);
        row("idle 25", idle, 25, "25 分钟", "25 minutes", true, true, 26, 24);
        row("idle 30", idle, 30, "30 分钟", "30 minutes", false, true, 30, 29);
        row("idle 180", idle, 180, "180 分钟", "180 minutes", false, true, 30, 30);
        row("idle 500", idle, 500, "500 分钟", "500 minutes", false, true, 30, 30);
        // A press stores clamp(value ± 1), even where the view disables the button. Hand-edited extremes
        // must not overflow on the way back into the range.
        constexpr qint64 largest = std::numeric_limits<qint64>::max();
        constexpr qint64 smallest = std::numeric_limits<qint64>::min();
        row("round largest", round, largest, "9223372036854775807 分钟", "9223372036854775807 minutes", false,
            true, 180, 180);
        row("round smallest", round, smallest, "-9223372036854775808 分钟", "-9223372036854775808 minutes",
            true, false, 1, 1);
    }

    void minuteSteppers()
    {
        QFETCH(Stepper, stepper);
        QFETCH(qint64, minutes);
        QFETCH(AppLanguage, language);
        QFETCH(QString, label);
        QFETCH(bool, canIncrease);
        QFETCH(bool, canDecrease);
        QFETCH(qint64, afterIncrease);
        QFETCH(qint64, afterDecrease);
        ControllerHarness harness;
        AppController &controller = start(harness, AppPreferences());
        const AppPreferences saved = controller.preferences();
        SettingsSession &session = open(controller);
        const bool round = stepper == Stepper::sessionMinutes;
        qint64 AppPreferences::*field
            = round ? &AppPreferences::sessionMinutes : &AppPreferences::keyboardIdleMinutes;
        AppPreferences shown = session.draft();
        shown.*field = minutes;
        shown.language = language;
        session.setDraft(shown);

        QCOMPARE(round ? session.sessionMinutesLabel() : session.idleMinutesLabel(), label);
        QCOMPARE(round ? session.canIncreaseSessionMinutes() : session.canIncreaseIdleMinutes(), canIncrease);
        QCOMPARE(round ? session.canDecreaseSessionMinutes() : session.canDecreaseIdleMinutes(), canDecrease);
        // Showing alone changes nothing.
        QCOMPARE(session.draft(), shown);

        const auto step = [&](int direction) {
            round ? session.stepSessionMinutes(direction) : session.stepIdleMinutes(direction);
        };
        step(+1);
        QCOMPARE(session.draft().*field, afterIncrease);
        session.setDraft(shown);
        step(-1);
        QCOMPARE(session.draft().*field, afterDecrease);
        // The other stepper's field is untouched.
        AppPreferences others = session.draft();
        others.*field = minutes;
        QCOMPARE(others, shown);
        QCOMPARE(controller.preferences(), saved);
    }

    void paneTextsFollowTheDraftLanguage_data()
    {
        QTest::addColumn<AppLanguage>("saved");
        QTest::addColumn<QString>("picked");
        QTest::addColumn<AppLanguage>("shown");
        QTest::newRow("english over chinese") << AppLanguage::chinese << "english" << AppLanguage::english;
        QTest::newRow("chinese over english") << AppLanguage::english << "chinese" << AppLanguage::chinese;
        QTest::newRow("unknown name keeps chinese")
            << AppLanguage::chinese << "french" << AppLanguage::chinese;
        QTest::newRow("unknown name keeps english") << AppLanguage::english << "" << AppLanguage::english;
    }

    void paneTextsFollowTheDraftLanguage()
    {
        QFETCH(AppLanguage, saved);
        QFETCH(QString, picked);
        QFETCH(AppLanguage, shown);
        ControllerHarness harness;
        AppPreferences stored;
        stored.language = saved;
        AppController &controller = start(harness, stored);
        SettingsSession &session = open(controller);
        QSignalSpy relabelled(&session, &SettingsSession::languageChanged);

        session.setLanguageName(picked);

        QCOMPARE(relabelled.count(), saved == shown ? 0 : 1);
        QCOMPARE(session.draft().language, shown);
        QCOMPARE(controller.language(), saved);
        const SettingsPaneTexts texts = session.paneTexts();
        const bool english = shown == AppLanguage::english;
        QCOMPARE(texts.productName, english ? QStringLiteral("Quorvane") : QStringLiteral("柯帆"));
        QCOMPARE(texts.otherName,
            english ? QStringLiteral("Chinese name: 柯帆") : QStringLiteral("英文名：Quorvane"));
        QCOMPARE(texts.sessionMinutesTitle,
            english ? QStringLiteral("Active Work per Round") : QStringLiteral("每轮有效工作时长"));
        QCOMPARE(texts.focusLogTitle,
            english ? QStringLiteral("Completed Focus Rounds CSV") : QStringLiteral("已完成番茄 CSV"));
        QCOMPARE(texts.emergencyUnlock,
            english ? QStringLiteral("Emergency unlock: Ctrl + Alt + Super + Esc")
                    : QStringLiteral("应急解锁：Ctrl + Alt + Super + Esc"));
        QCOMPARE(texts.channelLine,
            english ? QStringLiteral("Stable channel · Linux build")
                    : QStringLiteral("正式更新通道 · Linux 版本"));
        QCOMPARE(session.sessionMinutesLabel(),
            english ? QStringLiteral("25 minutes") : QStringLiteral("25 分钟"));
        // The data folder where it is, not where it usually is.
        QVERIFY(texts.dataFolderNote.contains(
            QFileInfo(harness.file(QStringLiteral("preferences.json"))).path() + u'/'));
        // Every key of these panes has an English entry: no Han character is left in English.
        if (english) {
            const QMetaObject &meta = SettingsPaneTexts::staticMetaObject;
            for (int i = meta.propertyOffset(); i < meta.propertyCount(); ++i) {
                const QString text = meta.property(i).readOnGadget(&texts).toString();
                const QString withoutName = QString(text).remove(QStringLiteral("柯帆"));
                QVERIFY2(!withoutName.contains(QRegularExpression(QStringLiteral("\\p{Han}"))),
                    meta.property(i).name());
            }
        }
    }

    // A pane's switch sets the one setting its key names in the file, and only in the working copy.
    void switchSetsItsOwnSetting_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<bool>("switches");

        for (const char *key : { "keepWindowOnTop", "trackActivity", "autoPalette",
                 "backgroundOverlayEnabled", "rotateBackgroundEachRound", "videoAudioTakesPriority" })
            QTest::newRow(key) << QString::fromLatin1(key) << true;
        QTest::newRow("a setting that is no switch") << QStringLiteral("sessionMinutes") << false;
    }

    void switchSetsItsOwnSetting()
    {
        QFETCH(QString, key);
        QFETCH(bool, switches);
        ControllerHarness harness;
        AppController &controller = harness.start();
        const AppPreferences stored = controller.preferences();
        SettingsSession &session = open(controller);
        QJsonObject expected = session.draft().toJson();
        const bool on = !expected.value(key).toBool();
        if (switches)
            expected.insert(key, on);

        session.setSwitch(key, on);

        QCOMPARE(session.draft().toJson(), expected);
        QCOMPARE(session.switches().contains(key), switches);
        QCOMPARE(controller.preferences(), stored);
    }

    void windowLevelStatus_data()
    {
        QTest::addColumn<bool>("onTop");
        QTest::addColumn<AppLanguage>("language");
        QTest::addColumn<QString>("status");
        QTest::addColumn<QString>("symbol");
        QTest::newRow("on, zh") << true << AppLanguage::chinese << "已使用悬浮窗口层级"
                                << "pin.fill";
        QTest::newRow("on, en") << true << AppLanguage::english << "Using the floating window level"
                                << "pin.fill";
        QTest::newRow("off, zh") << false << AppLanguage::chinese << "默认使用普通窗口层级"
                                 << "pin.slash";
        QTest::newRow("off, en") << false << AppLanguage::english
                                 << "Using the normal window level by default"
                                 << "pin.slash";
    }

    void windowLevelStatus()
    {
        QFETCH(bool, onTop);
        QFETCH(AppLanguage, language);
        QFETCH(QString, status);
        QFETCH(QString, symbol);
        ControllerHarness harness;
        AppPreferences stored;
        stored.keepWindowOnTop = !onTop;
        AppController &controller = start(harness, stored);
        SettingsSession &session = open(controller);
        session.setLanguageName(rawValue(language));

        session.setSwitch(QStringLiteral("keepWindowOnTop"), onTop);

        QCOMPARE(session.switches().value(QStringLiteral("keepWindowOnTop")), onTop);
        QCOMPARE(session.windowLevelStatus(), status);
        QCOMPARE(session.windowLevelSymbol(), symbol);
        QCOMPARE(controller.preferences().keepWindowOnTop, !onTop);
    }

    // The switch shows whether the entry on disk starts this program; Save writes what it shows, Cancel
    // nothing, and what it writes the desktop reads.
    void startAtLoginSwitch_data()
    {
        QTest::addColumn<QByteArray>("entryBefore");
        QTest::addColumn<bool>("readOnly");
        QTest::addColumn<bool>("turnOn");
        QTest::addColumn<bool>("saves");
        QTest::addColumn<bool>("shownBefore");
        QTest::addColumn<QString>("detailHas");
        QTest::addColumn<bool>("startsAfter");
        const QByteArray ours = AutostartEntry::contents(QCoreApplication::applicationFilePath());
        const QByteArray other = AutostartEntry::contents(QStringLiteral("/opt/old build/quorvane"));
        QTest::newRow("on writes the entry") << QByteArray() << false << true << true << false << "" << true;
        QTest::newRow("off removes it") << ours << false << false << true << true << "" << false;
        QTest::newRow("switched off by the desktop, on again")
            << ours + "Hidden=true\n"
            << false << true << true << false << "" << true;
        QTest::newRow("unwritable folder: an alert, still off")
            << QByteArray() << true << true << true << false << "" << false;
        QTest::newRow("another copy's entry: off and named, on replaces it")
            << other << false << true << true << false << "/opt/old build/quorvane" << true;
        QTest::newRow("Cancel writes nothing")
            << QByteArray() << false << true << false << false << "" << false;
        QTest::newRow("Cancel keeps the entry") << ours << false << false << false << true << "" << true;
    }

    void startAtLoginSwitch()
    {
        QFETCH(QByteArray, entryBefore);
        QFETCH(bool, readOnly);
        QFETCH(bool, turnOn);
        QFETCH(bool, saves);
        QFETCH(bool, shownBefore);
        QFETCH(QString, detailHas);
        QFETCH(bool, startsAfter);
        ControllerHarness harness;
        AppController &controller = start(harness, AppPreferences());
        const QString entry = AutostartEntry::path();
        const QString program = QCoreApplication::applicationFilePath();
        QVERIFY(QDir().mkpath(QFileInfo(entry).path()));
        if (!entryBefore.isEmpty())
            QVERIFY(writeFileBytes(entry, entryBefore));
        SettingsSession &session = open(controller);
        QCOMPARE(session.startsAtLogin(), shownBefore);
        QVERIFY(session.startAtLoginDetail().contains(detailHas));
        session.setStartsAtLogin(turnOn);
        {
            std::optional<ReadOnlyFolder> locked;
            if (readOnly)
                locked.emplace(QFileInfo(entry).path(), harness.home.path());
            saves ? session.save() : session.cancel();
        }

        QCOMPARE(AutostartEntry::isEnabled(program), startsAfter);
        QCOMPARE(controller.sheets()->showingAlert(), readOnly);
        if (startsAfter) {
            // Gone with its program, the entry is skipped rather than run and "not found" at every login.
            QVERIFY(readFileBytes(entry).contains("\nTryExec=" + program.toUtf8() + "\n"));
            QCOMPARE(QProcess::execute(QStringLiteral("desktop-file-validate"), { entry }), 0);
        }
    }

    void recordsShowAndRevealTheLogs_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<bool>("opens");
        QTest::newRow("activity log") << "daily-activity-log.csv" << true;
        QTest::newRow("focus log") << "focus-session-log.csv" << true;
        QTest::newRow("nothing on the desktop opens it: said") << "focus-session-log.csv" << false;
    }

    void recordsShowAndRevealTheLogs()
    {
        QFETCH(QString, fileName);
        QFETCH(bool, opens);
        ControllerHarness harness;
        AppController &controller = start(harness, AppPreferences());
        harness.workspace->opens = opens;
        const bool activity = fileName.startsWith(u"daily");
        const QString path
            = activity ? controller.window()->activityLogPath() : controller.window()->focusLogPath();
        open(controller);

        activity ? controller.window()->openActivityLogInFileManager()
                 : controller.window()->openFocusLogInFileManager();

        QVERIFY(QFileInfo(path).isAbsolute());
        QCOMPARE(path, harness.file(fileName));
        QCOMPARE(harness.workspace->revealedFiles, QStringList { path });
        QVERIFY(controller.sheets()->isOpen(Sheets::Sheet::Settings));
        QCOMPARE(controller.sheets()->showingAlert(), !opens);
        QCOMPARE(controller.sheets()->alertMessage().contains(QFileInfo(path).path()), !opens);
    }

    void beginUpdateCheck_data()
    {
        QTest::addColumn<CheckCase>("checkCase");
        QTest::addColumn<bool>("closes");
        QTest::addColumn<bool>("checks");
        QTest::addColumn<QString>("alertTitle");
        QTest::newRow("invalid weights") << CheckCase::invalidWeights << false << false << "";
        QTest::newRow("valid weights") << CheckCase::validWeights << true << true << "";
        QTest::newRow("refused by the controller")
            << CheckCase::refusedByController << false << false << "至少需要两个有效权重";
        QTest::newRow("read-only folder") << CheckCase::readOnlyFolder << true << true << "设置保存失败";
    }

    void beginUpdateCheck()
    {
        QFETCH(CheckCase, checkCase);
        QFETCH(bool, closes);
        QFETCH(bool, checks);
        QFETCH(QString, alertTitle);
        LocalHttpServer server;
        server.hold();
        ControllerHarness harness;
        AppPreferences stored;
        // By hand: nine items, and only the two beyond the seventh weigh anything.
        if (checkCase == CheckCase::refusedByController)
            stored.items = itemsWithWeights({ 0, 0, 0, 0, 0, 0, 0, 2, 3 });
        AppController &controller
            = start(harness, stored, server.baseUrl().toString() + QStringLiteral("/appcast.xml"));
        UpdateController &updates = controller.updateController();
        QTRY_VERIFY(updates.canCheckForUpdates());
        const QString preferencesFile = harness.file(QStringLiteral("preferences.json"));
        const QByteArray bytes = readFileBytes(preferencesFile);
        SettingsSession &session = open(controller);
        AppPreferences draft = session.draft();
        draft.sessionMinutes = 40;
        session.setDraft(draft);
        if (checkCase == CheckCase::invalidWeights)
            session.setWeightInput(draft.items[0].id, QStringLiteral("abc"));

        if (checkCase == CheckCase::readOnlyFolder) {
            ReadOnlyFolder readOnly(QFileInfo(preferencesFile).absolutePath(), harness.home.path());
            session.beginUpdateCheck();
        } else {
            session.beginUpdateCheck();
        }

        QCOMPARE(session.showingWeightError(), checkCase == CheckCase::invalidWeights);
        QCOMPARE(controller.sheets()->isOpen(Sheets::Sheet::Settings), !closes);
        QCOMPARE(controller.sheets()->showingAlert(), !alertTitle.isEmpty());
        QCOMPARE(controller.sheets()->alertTitle(), alertTitle);
        QCOMPARE(m_delay->isPending(), checks);
        if (closes) {
            QCOMPARE(controller.preferences().sessionMinutes, qint64(40));
        } else {
            QCOMPARE(session.draft().sessionMinutes, qint64(40));
            QCOMPARE(session.draft().items, draft.items);
            QCOMPARE(controller.preferences().sessionMinutes, qint64(25));
            QCOMPARE(readFileBytes(preferencesFile), bytes);
        }
        if (checkCase == CheckCase::validWeights)
            QVERIFY(readFileBytes(preferencesFile) != bytes);

        // The check waits for the sheet to be gone, and outlives its session, which goes with the view.
        if (closes)
            delete &session;
        m_delay->advance(349ms);
        QVERIFY(!updates.isChecking());
        m_delay->advance(1ms);
        QCOMPARE(updates.isChecking(), checks);
    }

    void automaticChecksOffSurvivesCancel()
    {
        storeAutomaticChecks(true);
        ControllerHarness harness;
        AppController &controller = start(harness, AppPreferences());
        const QByteArray bytes = readFileBytes(harness.file(QStringLiteral("preferences.json")));
        SettingsSession &session = open(controller);
        QVERIFY(controller.updateController().automaticallyChecksForUpdates());

        controller.updateController().setAutomaticallyChecksForUpdates(false);
        session.cancel();
        settle();

        QVERIFY(!controller.sheets()->isOpen(Sheets::Sheet::Settings));
        QVERIFY(!controller.updateController().automaticallyChecksForUpdates());
        QVERIFY(!UpdateController(QString(), {}).automaticallyChecksForUpdates());
        QCOMPARE(readFileBytes(harness.file(QStringLiteral("preferences.json"))), bytes);
    }

    void updateControlsFollowTheFeed_data()
    {
        QTest::addColumn<QString>("feedPath");
        QTest::addColumn<bool>("usable");
        QTest::newRow("no feed") << "" << false;
        QTest::newRow("loopback feed") << "/appcast.xml" << true;
    }

    void updateControlsFollowTheFeed()
    {
        QFETCH(QString, feedPath);
        QFETCH(bool, usable);
        LocalHttpServer server;
        ControllerHarness harness;
        const QString feed = feedPath.isEmpty() ? QString() : server.baseUrl().toString() + feedPath;
        AppController &controller = start(harness, AppPreferences(), feed);
        UpdateController &updates = controller.updateController();
        QSignalSpy enabled(&updates, &UpdateController::canCheckForUpdatesChanged);
        open(controller);

        QCOMPARE(updates.hasUpdateFeed(), usable);
        QVERIFY(!updates.canCheckForUpdates());
        // The button enables while the sheet is open, once the controller is ready.
        if (usable) {
            QTRY_VERIFY(updates.canCheckForUpdates());
            QCOMPARE(enabled.count(), 1);
        } else {
            QCoreApplication::processEvents();
            QVERIFY(!updates.canCheckForUpdates());
            QCOMPARE(enabled.count(), 0);
        }
        QVERIFY(controller.sheets()->isOpen(Sheets::Sheet::Settings));
    }
};

QUORVANE_TEST_MAIN(SettingsPanesTest)
#include "tst_settings_panes.moc"
