#include "ControllerHarness.h"
#include "ReadOnlyFolder.h"
#include "SettingsFixtures.h"
#include "TestProgram.h"
#include "TestSupport.h"
#include "media/AudioController.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTest>
#include <cmath>
#include <limits>

using namespace SettingsFixtures;

namespace {

constexpr double infinity = std::numeric_limits<double>::infinity();

QJsonObject readJson(const QString &path)
{
    return QJsonDocument::fromJson(readFileBytes(path)).object();
}

BackgroundMediaItem backgroundItem(const QString &path, const QString &name = QStringLiteral("Background"))
{
    return { QUuid::createUuid(), name, path };
}

AudioTrack track(const QString &path, const QString &name)
{
    return { QUuid::createUuid(), name, path };
}

} // namespace

class SettingsSaveTest : public QObject
{
    Q_OBJECT

private:
    // Starts a controller over stored settings and opens the settings sheet.
    AppController &startWith(ControllerHarness &harness, const AppPreferences &stored)
    {
        AppController &controller = harness.startWithStored(stored);
        controller.sheets()->open(Sheets::Sheet::Settings);
        return controller;
    }

private slots:
    void refusedRecordsChangeNothing_data()
    {
        QTest::addColumn<QList<double>>("weights");
        QTest::addColumn<bool>("english");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("message");

        const QString twoItems = QStringLiteral("至少需要两个项目");
        const QString twoItemsMessage = QStringLiteral("转盘需要保留 2–7 个项目，才能避免连续抽中同一内容。");
        const QString twoWeights = QStringLiteral("至少需要两个有效权重");
        const QString twoWeightsMessage
            = QStringLiteral("请让至少两个项目的权重大于 0，否则排除上一项后将没有可抽取内容。");
        QTest::newRow("one item") << QList<double> { 1 } << false << twoItems << twoItemsMessage;
        QTest::newRow("no items") << QList<double> {} << false << twoItems << twoItemsMessage;
        QTest::newRow("one item, English")
            << QList<double> { 1 } << true << QStringLiteral("At Least Two Items Required")
            << QStringLiteral("Keep 2–7 wheel items so the same result can be "
                              "excluded from consecutive draws.");
        QTest::newRow("weights 1 and 0")
            << QList<double> { 1, 0 } << false << twoWeights << twoWeightsMessage;
        QTest::newRow("negative and not a number count as 0")
            << QList<double> { -3, notANumber, 4 } << false << twoWeights << twoWeightsMessage;
        QTest::newRow("weights 1 and 0, English")
            << QList<double> { 1, 0 } << true << QStringLiteral("Two Positive Weights Required")
            << QStringLiteral(
                   "Give at least two items a weight above zero so another result remains after the "
                   "latest item is excluded.");
        // Only the first seven items count, and those hold one positive weight.
        QTest::newRow("positive weight beyond the seventh item")
            << QList<double> { 1, 0, 0, 0, 0, 0, 0, 5 } << false << twoWeights << twoWeightsMessage;
    }

    void refusedRecordsChangeNothing()
    {
        QFETCH(QList<double>, weights);
        QFETCH(bool, english);
        QFETCH(QString, title);
        QFETCH(QString, message);

        ControllerHarness harness;
        AppPreferences stored;
        stored.language = english ? AppLanguage::english : AppLanguage::chinese;
        AppController &controller = startWith(harness, stored);
        const QString path = harness.file(QStringLiteral("preferences.json"));
        const QByteArray bytes = readFileBytes(path);
        const AppPreferences before = controller.preferences();
        QSignalSpy published(&controller, &AppController::preferencesChanged);

        AppPreferences edited = before;
        edited.items = itemsWithWeights(weights);
        edited.sessionMinutes = 50;
        // The alert speaks the language in force, not the edited one.
        edited.language = english ? AppLanguage::chinese : AppLanguage::english;
        QVERIFY(!controller.savePreferences(edited));

        QCOMPARE(controller.sheets()->alertTitle(), title);
        QCOMPARE(controller.sheets()->alertMessage(), message);
        QVERIFY(controller.sheets()->showingAlert());
        QVERIFY(controller.sheets()->isOpen(Sheets::Sheet::Settings));
        QCOMPARE(published.count(), 0);
        QCOMPARE(controller.preferences(), before);
        QCOMPARE(readFileBytes(path), bytes);
    }

    void wheelItemsAreCleaned_data()
    {
        QTest::addColumn<QList<double>>("weights");
        QTest::addColumn<QList<double>>("savedWeights");

        QTest::newRow("negative becomes 0") << QList<double> { -3, 2, 5 } << QList<double> { 0, 2, 5 };
        QTest::newRow("not a number becomes 0")
            << QList<double> { notANumber, 2, 5 } << QList<double> { 0, 2, 5 };
        QTest::newRow("nine items keep the first seven")
            << QList<double> { 1, 2, 3, 4, 5, 6, 7, 8, 9 } << QList<double> { 1, 2, 3, 4, 5, 6, 7 };
    }

    void wheelItemsAreCleaned()
    {
        QFETCH(QList<double>, weights);
        QFETCH(QList<double>, savedWeights);

        ControllerHarness harness;
        AppController &controller = startWith(harness, AppPreferences());
        AppPreferences edited = controller.preferences();
        edited.items = itemsWithWeights(weights);
        edited.items[0].title = QStringLiteral(" \n\t ");
        edited.items[1].title = QStringLiteral("  Stretch\n");
        // The fallback title follows the language in force before the save.
        edited.language = AppLanguage::english;
        QVERIFY(controller.savePreferences(edited));

        const QList<WheelItem> &items = controller.preferences().items;
        QCOMPARE(weightsOf(items), savedWeights);
        QCOMPARE(items[0].title, QStringLiteral("未命名项目"));
        QCOMPARE(items[1].title, QStringLiteral("Stretch"));
        QCOMPARE(items[0].id, edited.items[0].id);
        QVERIFY(!controller.sheets()->isOpen(Sheets::Sheet::Settings));
        QVERIFY(!controller.sheets()->showingAlert());
        const QJsonArray stored = readJson(harness.file(QStringLiteral("preferences.json")))
                                      .value(QStringLiteral("items"))
                                      .toArray();
        QCOMPARE(stored.size(), savedWeights.size());
        QCOMPARE(
            stored[0].toObject().value(QStringLiteral("title")).toString(), QStringLiteral("未命名项目"));
    }

    void numbersAreClamped_data()
    {
        QTest::addColumn<qint64>("sessionMinutes");
        QTest::addColumn<qint64>("idleMinutes");
        QTest::addColumn<qint64>("recentWindow");
        QTest::addColumn<double>("discount");
        QTest::addColumn<double>("volume");
        QTest::addColumn<qint64>("savedSessionMinutes");
        QTest::addColumn<qint64>("savedIdleMinutes");
        QTest::addColumn<qint64>("savedRecentWindow");
        QTest::addColumn<double>("savedDiscount");
        QTest::addColumn<double>("savedVolume");

        QTest::newRow("below the ranges") << qint64(0) << qint64(0) << qint64(0) << -0.5 << -0.2 << qint64(1)
                                          << qint64(1) << qint64(1) << 0.0 << 0.0;
        QTest::newRow("above the ranges") << qint64(500) << qint64(45) << qint64(11) << 1.2 << 1.5
                                          << qint64(180) << qint64(30) << qint64(10) << 0.95 << 1.0;
        QTest::newRow("at the edges") << qint64(180) << qint64(30) << qint64(10) << 0.95 << 1.0 << qint64(180)
                                      << qint64(30) << qint64(10) << 0.95 << 1.0;
        QTest::newRow("inside the ranges") << qint64(40) << qint64(7) << qint64(4) << 0.3 << 0.5 << qint64(40)
                                           << qint64(7) << qint64(4) << 0.3 << 0.5;
        QTest::newRow("not a number") << qint64(25) << qint64(5) << qint64(3) << notANumber << notANumber
                                      << qint64(25) << qint64(5) << qint64(3) << 0.0 << 0.0;
        QTest::newRow("infinite") << std::numeric_limits<qint64>::max() << std::numeric_limits<qint64>::min()
                                  << qint64(3) << infinity << infinity << qint64(180) << qint64(1)
                                  << qint64(3) << 0.95 << 0.0;
    }

    void numbersAreClamped()
    {
        QFETCH(qint64, sessionMinutes);
        QFETCH(qint64, idleMinutes);
        QFETCH(qint64, recentWindow);
        QFETCH(double, discount);
        QFETCH(double, volume);
        QFETCH(qint64, savedSessionMinutes);
        QFETCH(qint64, savedIdleMinutes);
        QFETCH(qint64, savedRecentWindow);
        QFETCH(double, savedDiscount);
        QFETCH(double, savedVolume);

        ControllerHarness harness;
        AppController &controller = startWith(harness, AppPreferences());
        controller.round()->handleInputActivity();
        harness.tick(10000);
        const qint64 remaining = controller.round()->secondsRemaining();

        AppPreferences edited = controller.preferences();
        edited.sessionMinutes = sessionMinutes;
        edited.keyboardIdleMinutes = idleMinutes;
        edited.recentWindow = recentWindow;
        edited.recentDiscountStrength = discount;
        edited.audioVolume = volume;
        edited.audioPath = QStringLiteral("/music/old-song.mp3");
        QVERIFY(controller.savePreferences(edited));

        const AppPreferences &saved = controller.preferences();
        QCOMPARE(saved.sessionMinutes, savedSessionMinutes);
        QCOMPARE(saved.keyboardIdleMinutes, savedIdleMinutes);
        QCOMPARE(saved.recentWindow, savedRecentWindow);
        QCOMPARE(saved.recentDiscountStrength, savedDiscount);
        QCOMPARE(saved.audioVolume, savedVolume);
        QVERIFY(!saved.audioPath);
        QCOMPARE(controller.music()->player().outputVolume(), float(savedVolume));
        // The idle threshold applies at once; the new length waits for the next round.
        QCOMPARE(controller.round()->workTimer().idleTimeout, double(savedIdleMinutes * 60));
        QCOMPARE(controller.round()->secondsRemaining(), remaining);
        QCOMPARE(AppStorageService::loadPreferences(harness.root()).value(), saved);
    }

    void libraryIsCleaned()
    {
        ControllerHarness harness;
        AppController &controller = startWith(harness, AppPreferences());
        const QString sea = importedFile(harness, QStringLiteral("Background"), QStringLiteral("sea.png"));
        const QString hill
            = importedFile(harness, QStringLiteral("Background"), QStringLiteral("hill.v2.jpg"));
        const QString seaThroughDot = QFileInfo(sea).absolutePath() + QStringLiteral("/./sea.png");

        AppPreferences edited = controller.preferences();
        edited.backgroundLibrary = {
            backgroundItem(seaThroughDot, QStringLiteral("  Sea\n")),
            backgroundItem(sea, QStringLiteral("Second sea")),
            backgroundItem(harness.file(QStringLiteral("Media/Background/missing.png"))),
            backgroundItem(hill, QStringLiteral(" \t ")),
        };
        edited.rotateBackgroundEachRound = true;
        QVERIFY(controller.savePreferences(edited));

        const QList<BackgroundMediaItem> &library = controller.preferences().backgroundLibrary;
        QCOMPARE(library.size(), 2);
        QCOMPARE(library[0].id, edited.backgroundLibrary[0].id);
        QCOMPARE(library[0].path, sea);
        QCOMPARE(library[0].name, QStringLiteral("Sea"));
        QCOMPARE(library[1].id, edited.backgroundLibrary[3].id);
        QCOMPARE(library[1].name, QStringLiteral("hill.v2"));
        QVERIFY(controller.preferences().rotateBackgroundEachRound);
        QVERIFY(QFile::exists(sea));
        QVERIFY(QFile::exists(hill));
    }

    void libraryKeepsThirtyItems()
    {
        ControllerHarness harness;
        AppController &controller = startWith(harness, AppPreferences());
        AppPreferences edited = controller.preferences();
        for (int i = 0; i < 35; ++i)
            edited.backgroundLibrary.append(backgroundItem(
                importedFile(harness, QStringLiteral("Background"), QStringLiteral("%1.png").arg(i))));
        QVERIFY(controller.savePreferences(edited));
        QCOMPARE(controller.preferences().backgroundLibrary, edited.backgroundLibrary.first(30));
    }

    void activeBackgroundIsSettled_data()
    {
        QTest::addColumn<int>("items");
        QTest::addColumn<int>("activeByID");
        QTest::addColumn<int>("activeByPath");
        QTest::addColumn<int>("expectedActive");
        QTest::addColumn<bool>("rotates");

        // Indexes into the edited library; -1: none. Item 1's file is missing, so it is dropped.
        QTest::newRow("id of a kept item") << 3 << 2 << 0 << 2 << true;
        QTest::newRow("id of a dropped item, path of a kept one") << 3 << 1 << 2 << 2 << true;
        QTest::newRow("neither") << 3 << -1 << -1 << -1 << true;
        QTest::newRow("neither, one item left") << 2 << 1 << -1 << -1 << false;
    }

    void activeBackgroundIsSettled()
    {
        QFETCH(int, items);
        QFETCH(int, activeByID);
        QFETCH(int, activeByPath);
        QFETCH(int, expectedActive);
        QFETCH(bool, rotates);

        ControllerHarness harness;
        AppController &controller = startWith(harness, AppPreferences());
        AppPreferences edited = controller.preferences();
        for (int i = 0; i < items; ++i) {
            const QString name = QStringLiteral("%1.png").arg(i);
            edited.backgroundLibrary.append(
                backgroundItem(i == 1 ? harness.file(QStringLiteral("Media/Background/") + name)
                                      : importedFile(harness, QStringLiteral("Background"), name)));
        }
        edited.activeBackgroundID
            = activeByID < 0 ? std::nullopt : std::optional(edited.backgroundLibrary[activeByID].id);
        edited.backgroundPath
            = activeByPath < 0 ? std::nullopt : std::optional(edited.backgroundLibrary[activeByPath].path);
        edited.rotateBackgroundEachRound = true;
        QVERIFY(controller.savePreferences(edited));

        const AppPreferences &saved = controller.preferences();
        if (expectedActive < 0) {
            QVERIFY(!saved.activeBackgroundID);
            QVERIFY(!saved.backgroundPath);
        } else {
            QCOMPARE(saved.activeBackgroundID, std::optional(edited.backgroundLibrary[expectedActive].id));
            QCOMPARE(saved.backgroundPath, std::optional(edited.backgroundLibrary[expectedActive].path));
            QCOMPARE(controller.appearance()->backgroundURL(), QUrl::fromLocalFile(*saved.backgroundPath));
        }
        QCOMPARE(saved.rotateBackgroundEachRound, rotates);
    }

    void removedLibraryItemsLoseTheirFiles_data()
    {
        QTest::addColumn<bool>("removeSecond");

        QTest::newRow("second removed") << true;
        QTest::newRow("both kept") << false;
    }

    void removedLibraryItemsLoseTheirFiles()
    {
        QFETCH(bool, removeSecond);

        ControllerHarness harness;
        const QString sea = importedFile(harness, QStringLiteral("Background"), QStringLiteral("sea.png"));
        const QString hill = importedFile(harness, QStringLiteral("Background"), QStringLiteral("hill.png"));
        AppPreferences stored;
        stored.backgroundLibrary = { backgroundItem(sea), backgroundItem(hill) };
        stored.activeBackgroundID = stored.backgroundLibrary[0].id;
        stored.backgroundPath = sea;
        AppController &controller = startWith(harness, stored);
        QCOMPARE(controller.preferences().backgroundLibrary.size(), 2);

        AppPreferences edited = controller.preferences();
        if (removeSecond)
            edited.backgroundLibrary.removeLast();
        QVERIFY(controller.savePreferences(edited));

        QVERIFY(QFile::exists(sea));
        QCOMPARE(QFile::exists(hill), !removeSecond);
        // The import folder goes with its only file.
        QCOMPARE(QFileInfo::exists(QFileInfo(hill).absolutePath()), !removeSecond);
        controller.cleanupUnreferencedMedia();
        QVERIFY(QFile::exists(sea));
        QCOMPARE(QFile::exists(hill), !removeSecond);
    }

    void failedWriteKeepsTheRecordAndDeletesNothing()
    {
        ControllerHarness harness;
        const QString sea = importedFile(harness, QStringLiteral("Background"), QStringLiteral("sea.png"));
        const QString hill = importedFile(harness, QStringLiteral("Background"), QStringLiteral("hill.png"));
        const QString song = importedFile(harness, QStringLiteral("Focus"), QStringLiteral("song.mp3"));
        AppPreferences stored;
        stored.language = AppLanguage::english;
        stored.backgroundLibrary = { backgroundItem(sea), backgroundItem(hill) };
        stored.focusPlaylist.tracks = { track(song, QStringLiteral("Song")) };
        AppController &controller = startWith(harness, stored);
        // An import made in the sheet that the edited record does not keep either.
        const QString dropped
            = importedFile(harness, QStringLiteral("Background"), QStringLiteral("dropped.png"));

        AppPreferences edited = controller.preferences();
        edited.backgroundLibrary.removeLast();
        edited.focusPlaylist.tracks.clear();
        edited.sessionMinutes = 40;
        {
            ReadOnlyFolder readOnly(
                QFileInfo(harness.file(QStringLiteral("preferences.json"))).absolutePath(),
                harness.home.path());
            QVERIFY(controller.savePreferences(edited));
        }

        QCOMPARE(controller.sheets()->alertTitle(), QStringLiteral("Could Not Save Settings"));
        QVERIFY(!controller.sheets()->alertMessage().isEmpty());
        QVERIFY(!controller.sheets()->isOpen(Sheets::Sheet::Settings));
        QCOMPARE(controller.preferences().sessionMinutes, qint64(40));
        QCOMPARE(controller.preferences().backgroundLibrary.size(), 1);
        QVERIFY(QFile::exists(hill));
        QVERIFY(QFile::exists(song));
        QVERIFY(QFile::exists(dropped));
        QCOMPARE(AppStorageService::loadPreferences(harness.root()).value().sessionMinutes, qint64(25));

        // The sheet's clean-up keeps what the stored settings still name, and only that.
        controller.cleanupUnreferencedMedia();
        QVERIFY(QFile::exists(sea));
        QVERIFY(QFile::exists(hill));
        QVERIFY(QFile::exists(song));
        QVERIFY(!QFile::exists(dropped));
    }

    void cleanupKeepsWhatEitherRecordNames_data()
    {
        QTest::addColumn<QByteArray>("storedAtStart");
        QTest::addColumn<bool>("damageAfterStart");
        QTest::addColumn<bool>("orphanDeleted");

        QTest::newRow("damaged at start") << QByteArray("{\"language\":") << false << false;
        QTest::newRow("invalid at start") << QByteArray("{\"sessionMinutes\":\"long\"}") << false << false;
        QTest::newRow("missing at start beside imported media") << QByteArray() << false << false;
        QTest::newRow("damaged while running") << QByteArray("{}") << true << false;
        QTest::newRow("intact") << QByteArray("{}") << false << true;
    }

    void cleanupKeepsWhatEitherRecordNames()
    {
        QFETCH(QByteArray, storedAtStart);
        QFETCH(bool, damageAfterStart);
        QFETCH(bool, orphanDeleted);

        ControllerHarness harness;
        const QString preferences = harness.file(QStringLiteral("preferences.json"));
        if (!storedAtStart.isNull())
            QVERIFY(writeFileBytes(preferences, storedAtStart));
        else
            QVERIFY(!importedFile(harness, QStringLiteral("Background"), QStringLiteral("earlier.png"))
                         .isEmpty());
        AppController &controller = harness.start();
        controller.sheets()->open(Sheets::Sheet::Settings);
        const QString orphan = importedFile(harness, QStringLiteral("Focus"), QStringLiteral("orphan.mp3"));
        const QString named = importedFile(harness, QStringLiteral("Reminder"), QStringLiteral("named.mp3"));
        if (damageAfterStart) {
            QVERIFY(writeFileBytes(preferences, "{\"reminderPlaylist\":"));
        } else if (storedAtStart == "{}") {
            // Edited by hand meanwhile: the stored record names a file the live one does not know.
            AppPreferences edited = controller.preferences();
            edited.reminderPlaylist.tracks = { track(named, QStringLiteral("Named")) };
            QVERIFY(AppStorageService::savePreferences(edited, harness.root()).ok());
        }

        // The settings sheet is cancelled, which clears away what it imported.
        controller.sheets()->close(Sheets::Sheet::Settings);
        QCOMPARE(QFile::exists(orphan), !orphanDeleted);
        QVERIFY(QFile::exists(named));
    }

    void singleFieldWriters_data()
    {
        QTest::addColumn<int>("operation");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QJsonValue>("written");
        QTest::addColumn<QString>("alert");

        QTest::newRow("window on top") << 0 << QStringLiteral("keepWindowOnTop") << QJsonValue(true)
                                       << QStringLiteral("Could Not Save Window Setting");
        QTest::newRow("overlay") << 1 << QStringLiteral("backgroundOverlayEnabled") << QJsonValue(false)
                                 << QStringLiteral("Could Not Save Overlay Setting");
        QTest::newRow("console dock")
            << 2 << QStringLiteral("focusConsoleDock") << QJsonValue(QStringLiteral("leading"))
            << QStringLiteral("Could Not Save Console Position");
    }

    void singleFieldWriters()
    {
        QFETCH(int, operation);
        QFETCH(QString, key);
        QFETCH(QJsonValue, written);
        QFETCH(QString, alert);

        const auto run = [operation](AppController &controller) {
            if (operation == 0)
                controller.toggleWindowOnTop();
            else if (operation == 1)
                controller.toggleBackgroundOverlay();
            else
                controller.setFocusConsoleDock(FocusConsoleDock::leading);
        };
        const QString path = QStringLiteral("preferences.json");

        ControllerHarness saving;
        AppPreferences english;
        english.language = AppLanguage::english;
        AppController &controller = startWith(saving, english);
        const QJsonValue before = readJson(saving.file(path)).value(key);
        QSignalSpy published(&controller, &AppController::preferencesChanged);
        run(controller);
        QCOMPARE(published.count(), 1);
        QCOMPARE(readJson(saving.file(path)).value(key), written);
        QCOMPARE(controller.preferences().toJson().value(key), written);
        QVERIFY(!controller.sheets()->showingAlert());

        ControllerHarness failing;
        AppController &rolledBack = startWith(failing, english);
        // A folder where the file should be makes every write fail, even for root.
        QVERIFY(QFile::remove(failing.file(path)));
        QVERIFY(QDir().mkpath(failing.file(path)));
        QSignalSpy changes(&rolledBack, &AppController::preferencesChanged);
        run(rolledBack);
        QCOMPARE(changes.count(), 2);
        QCOMPARE(rolledBack.preferences().toJson().value(key), before);
        QCOMPARE(rolledBack.sheets()->alertTitle(), alert);
        QVERIFY(!rolledBack.sheets()->alertMessage().isEmpty());
    }

    void sameDockWritesNothing()
    {
        ControllerHarness harness;
        AppPreferences stored;
        stored.focusConsoleDock = FocusConsoleDock::leading;
        AppController &controller = startWith(harness, stored);
        const QString path = harness.file(QStringLiteral("preferences.json"));
        QVERIFY(QFile::remove(path));
        QSignalSpy published(&controller, &AppController::preferencesChanged);
        controller.setFocusConsoleDock(FocusConsoleDock::leading);
        QCOMPARE(published.count(), 0);
        QVERIFY(!QFile::exists(path));
        controller.setFocusConsoleDock(FocusConsoleDock::trailing);
        QCOMPARE(published.count(), 1);
        QCOMPARE(
            readJson(path).value(QStringLiteral("focusConsoleDock")), QJsonValue(QStringLiteral("trailing")));
    }

    void trackingChangeRestartsMonitoring()
    {
        ControllerHarness harness;
        AppController &controller = startWith(harness, AppPreferences());
        QVERIFY(harness.global->isInstalled());
        AppPreferences edited = controller.preferences();
        edited.trackActivity = false;
        QVERIFY(controller.savePreferences(edited));
        QVERIFY(!harness.global->isInstalled());
        QCOMPARE(controller.round()->trackingState(), WorkTrackingState::tracking);
        harness.tick(3000);
        QCOMPARE(controller.round()->workTimer().accumulatedActiveTime, 3.0);

        edited.trackActivity = true;
        QVERIFY(controller.savePreferences(edited));
        QVERIFY(harness.global->isInstalled());
        QCOMPARE(controller.round()->trackingState(), WorkTrackingState::waitingForActivity);
    }

    void musicIsResynchronisedOnlyWhenItsSourceChanged_data()
    {
        QTest::addColumn<int>("change");
        QTest::addColumn<qsizetype>("tracksPlaying");
        QTest::addColumn<qsizetype>("currentTrack");

        // The second focus track plays; a resynchronisation starts the playlist from its beginning.
        QTest::newRow("break playlist changed") << 0 << qsizetype(2) << qsizetype(1);
        QTest::newRow("focus playlist changed") << 1 << qsizetype(2) << qsizetype(0);
        QTest::newRow("video sound takes priority") << 2 << qsizetype(0) << qsizetype(0);
        QTest::newRow("video sound priority without a video") << 3 << qsizetype(2) << qsizetype(1);
        QTest::newRow("only the volume changed") << 4 << qsizetype(2) << qsizetype(1);
    }

    void musicIsResynchronisedOnlyWhenItsSourceChanged()
    {
        QFETCH(int, change);
        QFETCH(qsizetype, tracksPlaying);
        QFETCH(qsizetype, currentTrack);

        ControllerHarness harness;
        AppPreferences stored;
        stored.focusPlaylist.isEnabled = true;
        stored.focusPlaylist.tracks = {
            track(importedFile(harness, QStringLiteral("Focus"), QStringLiteral("one.wav")),
                QStringLiteral("One")),
            track(importedFile(harness, QStringLiteral("Focus"), QStringLiteral("two.wav")),
                QStringLiteral("Two")),
        };
        stored.autoPalette = false;
        const QString clip = importedFile(harness, QStringLiteral("Background"), QStringLiteral("clip.mp4"));
        const QString still
            = importedFile(harness, QStringLiteral("Background"), QStringLiteral("still.png"));
        stored.backgroundLibrary = { backgroundItem(clip), backgroundItem(still) };
        stored.activeBackgroundID = stored.backgroundLibrary[change == 3 ? 1 : 0].id;
        AppController &controller = startWith(harness, stored);
        AudioController &audio = controller.music()->player();
        QCOMPARE(audio.tracks().size(), 2);
        audio.advanceToNextTrack();
        QCOMPARE(audio.currentIndex(), 1);

        AppPreferences edited = controller.preferences();
        if (change == 0) {
            edited.reminderPlaylist.isEnabled = true;
        } else if (change == 1) {
            edited.focusPlaylist.tracks[1].name = QStringLiteral("Second");
        } else if (change == 2 || change == 3) {
            edited.videoAudioTakesPriority = true;
        } else {
            edited.audioVolume = 0.2;
        }
        QVERIFY(controller.savePreferences(edited));
        QCOMPARE(audio.tracks().size(), tracksPlaying);
        QCOMPARE(audio.currentIndex(), currentTrack);
    }
};

QUORVANE_TEST_GUILESS_MAIN(SettingsSaveTest)
#include "tst_settings_save.moc"
