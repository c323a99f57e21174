#include "ControllerHarness.h"
#include "TestProgram.h"
#include "session/WheelEntryVariant.h"
#include "storage/CSVLogger.h"
#include "storage/FocusSessionLogger.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTest>

namespace {

QByteArray snapshotJson(const QByteArray &target, const QByteArray &accumulated, const QByteArray &extra = {})
{
    return "{\"targetSeconds\":" + target + ",\"accumulatedActiveSeconds\":" + accumulated
        + ",\"savedAtEpoch\":1700000000" + extra + "}";
}

} // namespace

class AppControllerTest : public QObject
{
    Q_OBJECT

private slots:
    void snapshotIsRestoredOnlyWhenResumable_data()
    {
        QTest::addColumn<QByteArray>("snapshot");
        QTest::addColumn<bool>("restored");
        QTest::addColumn<QString>("time");

        QTest::newRow("accumulated equals target") << snapshotJson("1500", "1500") << false << "25:00";
        QTest::newRow("just below the target") << snapshotJson("1500", "1499.2") << true << "00:01";
        QTest::newRow("zero target") << snapshotJson("0", "0") << false << "25:00";
        QTest::newRow("negative accumulated") << snapshotJson("1500", "-1") << false << "25:00";
        QTest::newRow("infinite target") << snapshotJson("1e999", "10") << false << "25:00";
        QTest::newRow("not JSON") << QByteArray("{\"targetSeconds\":") << false << "25:00";
        QTest::newRow("accumulated missing")
            << QByteArray("{\"targetSeconds\":1500,\"savedAtEpoch\":1}") << false << "25:00";
    }

    void snapshotIsRestoredOnlyWhenResumable()
    {
        QFETCH(QByteArray, snapshot);
        QFETCH(bool, restored);
        QFETCH(QString, time);

        ControllerHarness harness;
        QVERIFY(writeFileBytes(harness.file(QStringLiteral("active-focus-session.json")), snapshot));
        AppController &controller = harness.start();
        QCOMPARE(controller.round()->formattedTime(), time);
        QCOMPARE(controller.round()->phase(), SessionPhase::Focus);
        QCOMPARE(controller.round()->workTimer().accumulatedActiveTime > 0,
            restored && snapshot.contains("1499.2"));
        // Either way the running round is saved at once.
        const auto saved = QJsonDocument::fromJson(
            readFileBytes(harness.file(QStringLiteral("active-focus-session.json"))));
        QVERIFY(saved.isObject());
        QCOMPARE(saved.object().value(QStringLiteral("sessionID")).toString(),
            controller.round()->currentSessionID());
    }

    void restoredSnapshotFillsMissingFields()
    {
        ControllerHarness harness;
        QVERIFY(writeFileBytes(harness.file(QStringLiteral("active-focus-session.json")),
            snapshotJson("1500", "600", ",\"title\":\"  \",\"manuallyPaused\":true")));
        AppController &controller = harness.start();
        QCOMPARE(controller.journal()->currentSessionTitle(), QStringLiteral("第 1 轮专注"));
        QCOMPARE(controller.round()->currentSessionID().size(), 36);
        QCOMPARE(controller.round()->currentSessionID(), controller.round()->currentSessionID().toLower());
        QCOMPARE(controller.round()->trackingState(), WorkTrackingState::manuallyPaused);
        QCOMPARE(controller.round()->formattedTime(), QStringLiteral("15:00"));

        const auto saved = QJsonDocument::fromJson(
            readFileBytes(harness.file(QStringLiteral("active-focus-session.json"))))
                               .object();
        // Without a stored start, the round began its accumulated time before now.
        QCOMPARE(saved.value(QStringLiteral("startedAtEpoch")).toDouble(),
            harness.startTime.toMSecsSinceEpoch() / 1000.0 - 600);
    }

    void absurdStoredStartFallsBackToTheAccumulatedTime()
    {
        ControllerHarness harness;
        QVERIFY(writeFileBytes(harness.file(QStringLiteral("active-focus-session.json")),
            snapshotJson("1e300", "600", ",\"startedAtEpoch\":1e300")));
        AppController &controller = harness.start();
        const auto saved = QJsonDocument::fromJson(
            readFileBytes(harness.file(QStringLiteral("active-focus-session.json"))))
                               .object();
        QCOMPARE(saved.value(QStringLiteral("startedAtEpoch")).toDouble(),
            harness.startTime.toMSecsSinceEpoch() / 1000.0 - 600);
        QVERIFY(controller.round()->secondsRemaining() > 0);
    }

    void startupWritesSettingsOnlyWhenTheyAreSafeToWrite_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<bool>("importedSong");
        QTest::addColumn<bool>("rewritten");

        QTest::newRow("first launch") << QByteArray() << false << true;
        QTest::newRow("missing beside imported media") << QByteArray() << true << false;
        QTest::newRow("damaged") << QByteArray("{\"language\":") << true << false;
        QTest::newRow("damaged, no media") << QByteArray("{\"language\":") << false << false;
        QTest::newRow("invalid value") << QByteArray("{\"language\":\"french\"}") << true << false;
        QTest::newRow("valid") << QByteArray("{}") << true << true;
    }

    void startupWritesSettingsOnlyWhenTheyAreSafeToWrite()
    {
        QFETCH(QByteArray, stored);
        QFETCH(bool, importedSong);
        QFETCH(bool, rewritten);

        ControllerHarness harness;
        const QString preferences = harness.file(QStringLiteral("preferences.json"));
        if (!stored.isNull())
            QVERIFY(writeFileBytes(preferences, stored));
        // An imported song the default settings do not know about.
        const QString song
            = harness.file(QStringLiteral("Media/Focus/0f8fad5b-d9cb-469f-a165-70867728950e/song.mp3"));
        if (importedSong)
            QVERIFY(writeFileBytes(song, "ID3"));

        AppController &controller = harness.start();
        QCOMPARE(controller.preferencesAreKnownGood(), rewritten);
        if (rewritten) {
            QCOMPARE(QJsonDocument::fromJson(readFileBytes(preferences)).object().size(), 18);
            QCOMPARE(*AppStorageService::loadPreferences(harness.root()), controller.preferences());
            QVERIFY(!QFile::exists(song));
        } else {
            QCOMPARE(QFile::exists(preferences), !stored.isNull());
            if (!stored.isNull())
                QCOMPARE(readFileBytes(preferences), stored);
            QCOMPARE(QFile::exists(song), importedSong);
        }

        // Quitting must not write the defaults over damaged settings either.
        controller.shutdown();
        if (!rewritten) {
            QCOMPARE(QFile::exists(preferences), !stored.isNull());
            QCOMPARE(QFile::exists(song), importedSong);
        }
    }

    void firstLaunchDefaultsKeepTheirIdentityAcrossARestart()
    {
        ControllerHarness harness;
        AppController &first = harness.start();
        QList<QUuid> ids;
        for (const WheelItem &item : first.preferences().items)
            ids.append(item.id);
        QCOMPARE(ids.size(), 7);

        first.round()->finishFocusNow();
        first.breakWheel()->enterLockedBreak();
        harness.wheel->rolls = { 0.0 };
        first.breakWheel()->spinWheel(0);
        QCOMPARE(first.breakWheel()->selectedItem()->id(), ids.first());
        QTRY_COMPARE(first.round()->phase(), SessionPhase::Activity);
        first.breakWheel()->confirmActivityCompleted();
        first.shutdown();
        harness.controller.reset();

        AppController &second = harness.start();
        QList<QUuid> restartedIds;
        for (const WheelItem &item : second.preferences().items)
            restartedIds.append(item.id);
        QCOMPARE(restartedIds, ids);
        QCOMPARE(second.breakWheel()->recentHistory(), QList<QUuid> { ids.first() });
        // The latest draw is left off the wheel for this break.
        const QList<WeightedWheelItem> eligible
            = WheelEntryVariant::toEntries(second.breakWheel()->wheelEntries());
        QCOMPARE(eligible.size(), 6);
        for (const WeightedWheelItem &entry : eligible)
            QVERIFY(entry.id() != ids.first());
    }

    void missingMonitorFreezesTheRoundAndRetriesEveryThreeSeconds()
    {
        ControllerHarness harness;
        harness.trusted = false;
        AppController &controller = harness.start();
        QCOMPARE(controller.round()->trackingState(), WorkTrackingState::permissionRequired);
        const int attemptsAtStart = harness.global->installations;

        for (int i = 0; i < 23; ++i)
            harness.tick(250);
        QCOMPARE(controller.round()->formattedTime(), QStringLiteral("25:00"));
        QCOMPARE(controller.round()->workTimer().accumulatedActiveTime, 0.0);

        // Access granted at 5.75 s: the retries ran at 0.25 s and 3.25 s, so the next one waits for 6.25 s.
        harness.trust->trusted = true;
        harness.global->canInstall = true;
        harness.tick(250);
        QVERIFY(!harness.global->isInstalled());
        harness.tick(250);
        QVERIFY(harness.global->isInstalled());
        QCOMPARE(harness.global->installations, attemptsAtStart + 1);
        QCOMPARE(controller.round()->trackingState(), WorkTrackingState::waitingForActivity);
    }

    void trackingOffCountsPlainTime()
    {
        ControllerHarness harness;
        AppPreferences preferences;
        preferences.trackActivity = false;
        preferences.sessionMinutes = 1;
        AppController &controller = harness.startWithStored(preferences);
        for (int i = 0; i < 8; ++i)
            harness.tick(250);
        QCOMPARE(controller.round()->formattedTime(), QStringLiteral("00:58"));
        harness.tick(58 * 1000);
        QCOMPARE(controller.round()->phase(), SessionPhase::SessionComplete);
        QCOMPARE(controller.statistics()->todayCompletedSessions(), 1);
    }

    void logChangesReloadTotalsWithinASecond()
    {
        ControllerHarness harness;
        AppController &controller = harness.start();
        QSignalSpy revisions(controller.journal(), &Journal::notesRevisionChanged);

        for (int i = 0; i < 8; ++i)
            harness.tick(250);
        QCOMPARE(revisions.count(), 0);

        // Another program appends a completed round of today.
        FocusSessionLogger outside(harness.file(QStringLiteral("focus-session-log.csv")));
        const QDateTime end = harness.clock->now();
        QVERIFY(outside
                    .append({ QStringLiteral("x"), end.addSecs(-1500), end, 1, QStringLiteral("t"), 1500,
                        1500, true, {} })
                    .ok());
        harness.tick(1000);
        QCOMPARE(revisions.count(), 1);
        QCOMPARE(controller.statistics()->todayCompletedSessions(), 1);
        QCOMPARE(controller.journal()->notesRevision(), 1);
        QCOMPARE(controller.statistics()->dailyStats().last().completedSessions, 1);
    }

    void dayChangeReloadsTodaysTotals()
    {
        ControllerHarness harness;
        harness.startTime = QDateTime(QDate(2024, 3, 1), QTime(23, 59, 59), Qt::LocalTime);
        AppStorageService::storageDirectory(harness.root());
        FocusSessionLogger log(harness.file(QStringLiteral("focus-session-log.csv")));
        QVERIFY(
            log.append({ QStringLiteral("a"), harness.startTime.addSecs(-1600),
                           harness.startTime.addSecs(-100), 1, QStringLiteral("t"), 1500, 1500, true, {} })
                .ok());
        AppController &controller = harness.start();
        QCOMPARE(controller.statistics()->todayCompletedSessions(), 1);
        QCOMPARE(controller.round()->sessionNumber(), 2);
        harness.tick(1000);
        QCOMPARE(controller.statistics()->todayCompletedSessions(), 0);
        QCOMPARE(controller.round()->sessionNumber(), 1);
        // The title of a round that runs across midnight stays.
        QCOMPARE(controller.journal()->currentSessionTitle(), QStringLiteral("第 2 轮专注"));
    }

    void shutdownCanRunTwiceInEveryPhase_data()
    {
        QTest::addColumn<SessionPhase>("phase");
        QTest::newRow("focus") << SessionPhase::Focus;
        QTest::newRow("session complete") << SessionPhase::SessionComplete;
        QTest::newRow("wheel") << SessionPhase::Wheel;
        QTest::newRow("activity") << SessionPhase::Activity;
    }

    void shutdownCanRunTwiceInEveryPhase()
    {
        QFETCH(SessionPhase, phase);
        ControllerHarness harness;
        AppController &controller = harness.start();
        if (phase != SessionPhase::Focus)
            controller.round()->finishFocusNow();
        if (phase == SessionPhase::Wheel || phase == SessionPhase::Activity)
            controller.breakWheel()->enterLockedBreak();
        if (phase == SessionPhase::Activity) {
            controller.breakWheel()->spinWheel(0);
            QTRY_COMPARE(controller.round()->phase(), SessionPhase::Activity);
        }
        QCOMPARE(controller.round()->phase(), phase);

        controller.shutdown();
        controller.shutdown();
        QVERIFY(!harness.grab->isGrabbed());
        QVERIFY(!controller.breakWheel()->keyboardIsLocked());
        QVERIFY(!harness.global->isInstalled());
        QCOMPARE(QFile::exists(harness.file(QStringLiteral("active-focus-session.json"))),
            phase == SessionPhase::Focus);
    }

    void sameVolumeTwiceWritesOnce()
    {
        ControllerHarness harness;
        AppController &controller = harness.startWithStored(AppPreferences());
        const QString preferences = harness.file(QStringLiteral("preferences.json"));
        controller.music()->setVolume(1.4);
        QCOMPARE(controller.preferences().audioVolume, 1.0);
        harness.volumeTimer->advance(std::chrono::milliseconds(300));
        QCOMPARE(
            QJsonDocument::fromJson(readFileBytes(preferences)).object().value(QStringLiteral("audioVolume")),
            QJsonValue(1.0));

        QVERIFY(QFile::remove(preferences));
        controller.music()->setVolume(1.0);
        harness.volumeTimer->advance(std::chrono::milliseconds(300));
        QVERIFY(!QFile::exists(preferences));
    }

    void breakMusicWithoutPlayableFilesBeeps_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("beeps");
        QTest::newRow("enabled") << true << 1;
        QTest::newRow("disabled") << false << 0;
    }

    void breakMusicWithoutPlayableFilesBeeps()
    {
        QFETCH(bool, enabled);
        QFETCH(int, beeps);
        ControllerHarness harness;
        AppPreferences preferences;
        preferences.reminderPlaylist.isEnabled = enabled;
        preferences.reminderPlaylist.tracks
            = { { QUuid::createUuid(), QStringLiteral("gone"), harness.file(QStringLiteral("gone.mp3")) } };
        AppController &controller = harness.startWithStored(preferences);
        controller.round()->finishFocusNow();
        QCOMPARE(harness.beep->beeps, beeps);
    }

    void formattedTime_data()
    {
        QTest::addColumn<qint64>("seconds");
        QTest::addColumn<QString>("text");
        QTest::newRow("59 s") << qint64(59) << "00:59";
        QTest::newRow("an hour") << qint64(3600) << "60:00";
        QTest::newRow("three hours") << qint64(10800) << "180:00";
        QTest::newRow("zero") << qint64(0) << "00:00";
        QTest::newRow("negative") << qint64(-5) << "00:00";
    }

    void formattedTime()
    {
        QFETCH(qint64, seconds);
        QFETCH(QString, text);
        QCOMPARE(Round::formattedTime(seconds), text);
    }

    void hugeMinutesDoNotOverflow()
    {
        ControllerHarness harness;
        QVERIFY(writeFileBytes(harness.file(QStringLiteral("preferences.json")),
            "{\"sessionMinutes\":9223372036854775807,\"keyboardIdleMinutes\":-9223372036854775807}"));
        AppController &controller = harness.start();
        QVERIFY(controller.round()->secondsRemaining() > 0);
        QCOMPARE(controller.round()->workTimer().idleTimeout, 60.0);
        harness.tick(250);
        QCOMPARE(controller.round()->phase(), SessionPhase::Focus);
    }

    void backgroundFallsBackWhenTheFileIsGone()
    {
        ControllerHarness harness;
        const QString picture
            = harness.file(QStringLiteral("Media/Background/7c9e6679-7425-40de-944b-e07fc1f90ae7/sea.png"));
        QVERIFY(writeFileBytes(picture, "not really a picture"));
        AppController &controller = harness.start();
        QCOMPARE(controller.appearance()->backgroundURL(), QUrl::fromLocalFile(picture));
        QSignalSpy changes(controller.appearance(), &Appearance::backgroundURLChanged);
        QVERIFY(QFile::remove(picture));
        // Looked at once a second, whether or not the logs changed.
        harness.tick(1000);
        QCOMPARE(changes.count(), 1);
        QVERIFY(controller.appearance()->backgroundURL() != QUrl::fromLocalFile(picture));
    }
};

QUORVANE_TEST_GUILESS_MAIN(AppControllerTest)
#include "tst_app_controller.moc"
