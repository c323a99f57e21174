#include "ReadOnlyFolder.h"
#include "TestProgram.h"
#include "TestSupport.h"
#include "storage/AppStorageService.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTest>
#include <cmath>
#include <limits>

namespace {

const QUuid idA = QUuid::fromString(QStringLiteral("0F8FAD5B-D9CB-469F-A165-70867728950E"));
const QUuid idB = QUuid::fromString(QStringLiteral("7C9E6679-7425-40DE-944B-E07FC1F90AE7"));

QStringList keysInFileOrder(const QByteArray &json, const QStringList &keys)
{
    QList<std::pair<qsizetype, QString>> found;
    for (const QString &key : keys)
        found.append({ json.indexOf(QByteArray("\"") + key.toUtf8() + "\":"), key });
    std::sort(found.begin(), found.end());
    QStringList ordered;
    for (const auto &entry : found)
        ordered.append(entry.second);
    return ordered;
}

ActiveFocusSessionSnapshot snapshotOf(double target, double accumulated, double savedAt)
{
    ActiveFocusSessionSnapshot snapshot;
    snapshot.targetSeconds = target;
    snapshot.accumulatedActiveSeconds = accumulated;
    snapshot.savedAtEpoch = savedAt;
    return snapshot;
}

AppPreferences richPreferences()
{
    AppPreferences preferences;
    preferences.language = AppLanguage::english;
    preferences.sessionMinutes = 50;
    preferences.audioVolume = 0.5;
    preferences.backgroundLibrary = { { idA, QStringLiteral("Forest"), QStringLiteral("/m/Forest.jpg") } };
    preferences.activeBackgroundID = idA;
    preferences.backgroundPath = QStringLiteral("/m/Forest.jpg");
    preferences.focusPlaylist.tracks = { { idB, QStringLiteral("雨"), QStringLiteral("/m/雨.mp3") } };
    return preferences;
}

} // namespace

class AppStorageServiceTest : public QObject
{
    Q_OBJECT

private slots:
    void locationsCreateOnlyTheApplicationFolder()
    {
        TemporaryDataHome home;
        const QString root = home.filePath(QStringLiteral("support"));
        QVERIFY(!QFileInfo::exists(root));
        QCOMPARE(
            AppStorageService::preferencesPath(root), root + QStringLiteral("/Quorvane/preferences.json"));
        QVERIFY(QFileInfo(root + QStringLiteral("/Quorvane")).isDir());
        QVERIFY(!AppStorageService::hasDecodablePreferences(root));
        QCOMPARE(
            AppStorageService::historyPath(root), root + QStringLiteral("/Quorvane/recent-history.json"));
        QCOMPARE(AppStorageService::activeFocusSessionPath(root),
            root + QStringLiteral("/Quorvane/active-focus-session.json"));
        QCOMPARE(AppStorageService::mediaDirectory(root), root + QStringLiteral("/Quorvane/Media"));
        QCOMPARE(AppStorageService::backgroundDirectory(root),
            root + QStringLiteral("/Quorvane/Media/Background"));
        QCOMPARE(AppStorageService::thumbnailsDirectory(root),
            root + QStringLiteral("/Quorvane/Media/Thumbnails"));
        QCOMPARE(AppStorageService::musicDirectory(AudioPlaylistKind::focus, root),
            root + QStringLiteral("/Quorvane/Media/Focus"));
        QCOMPARE(AppStorageService::musicDirectory(AudioPlaylistKind::reminder, root),
            root + QStringLiteral("/Quorvane/Media/Reminder"));
        QVERIFY(!QFileInfo::exists(root + QStringLiteral("/Quorvane/Media")));
        QCOMPARE(QDir(root + QStringLiteral("/Quorvane")).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
            QStringList());
    }

    void defaultRootIsTheDataFolder()
    {
        TemporaryDataHome home;
        QCOMPARE(AppStorageService::standardApplicationSupportRoot(), home.filePath(QStringLiteral("data")));
        QCOMPARE(AppStorageService::storageDirectory(), home.filePath(QStringLiteral("data/Quorvane")));
        QVERIFY(QFileInfo(home.filePath(QStringLiteral("data/Quorvane"))).isDir());
    }

    void ensureMediaDirectoriesMakesTheFourFolders()
    {
        TemporaryDataHome home;
        const QString root = home.path();
        AppStorageService::ensureMediaDirectories(root);
        QStringList folders
            = QDir(root + QStringLiteral("/Quorvane/Media")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        folders.sort();
        QCOMPARE(folders,
            (QStringList { QStringLiteral("Background"), QStringLiteral("Focus"), QStringLiteral("Reminder"),
                QStringLiteral("Thumbnails") }));
        // A file where one folder should be does not stop the others.
        QDir(root + QStringLiteral("/Quorvane/Media")).removeRecursively();
        QVERIFY(writeFileBytes(root + QStringLiteral("/Quorvane/Media/Focus"), "x"));
        AppStorageService::ensureMediaDirectories(root);
        QVERIFY(QFileInfo(root + QStringLiteral("/Quorvane/Media/Background")).isDir());
        QVERIFY(QFileInfo(root + QStringLiteral("/Quorvane/Media/Reminder")).isDir());
        QVERIFY(QFileInfo(root + QStringLiteral("/Quorvane/Media/Thumbnails")).isDir());
    }

    void preferencesArePrettySortedAndReadBackEqual()
    {
        TemporaryDataHome home;
        const QString root = home.path();
        const AppPreferences preferences = richPreferences();
        QVERIFY(AppStorageService::savePreferences(preferences, root).ok());

        const QByteArray bytes = readFileBytes(AppStorageService::preferencesPath(root));
        QVERIFY(bytes.startsWith("{\n    \""));
        QVERIFY(bytes.contains("\n        \"accentHex\""));
        QVERIFY(bytes.contains("\"雨\""));
        QStringList keys = preferences.toJson().keys();
        QCOMPARE(keys.size(), 20);
        QStringList sortedKeys = keys;
        sortedKeys.sort();
        QCOMPARE(keysInFileOrder(bytes, keys), sortedKeys);
        const QStringList paletteKeys { QStringLiteral("wheelBaseHex"), QStringLiteral("textHex"),
            QStringLiteral("overlayOpacity"), QStringLiteral("accentHex") };
        QStringList sortedPaletteKeys = paletteKeys;
        sortedPaletteKeys.sort();
        QCOMPARE(keysInFileOrder(bytes, paletteKeys), sortedPaletteKeys);
        QVERIFY(bytes.contains("\"0F8FAD5B-D9CB-469F-A165-70867728950E\""));

        const auto loaded = AppStorageService::loadPreferences(root);
        QVERIFY(loaded.ok());
        QCOMPARE(*loaded, preferences);
        QVERIFY(AppStorageService::hasDecodablePreferences(root));
    }

    void storedPreferencesDecodability_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("decodable");

        QTest::newRow("empty object") << QByteArray("{}") << true;
        QTest::newRow("some keys") << QByteArray("{\"sessionMinutes\": 30, \"language\": \"english\"}")
                                   << true;
        QTest::newRow("array") << QByteArray("[]") << false;
        QTest::newRow("truncated") << QByteArray("{\"sessionMinutes\": 3") << false;
        QTest::newRow("empty file") << QByteArray() << false;
        QTest::newRow("invalid value") << QByteArray("{\"language\": \"french\"}") << false;
        QTest::newRow("fraction in an integer") << QByteArray("{\"sessionMinutes\": 25.5}") << false;
        QTest::newRow("invalid UTF-8") << QByteArray("{\"backgroundPath\": \"/x/\xff.jpg\"}") << false;
    }

    void storedPreferencesDecodability()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, decodable);
        TemporaryDataHome home;
        const QString root = home.path();
        QVERIFY(writeFileBytes(AppStorageService::preferencesPath(root), bytes));
        QCOMPARE(AppStorageService::hasDecodablePreferences(root), decodable);
        QCOMPARE(AppStorageService::loadPreferences(root).ok(), decodable);
    }

    void saveIntoReadOnlyFolderFailsAndKeepsTheOldFile()
    {
        TemporaryDataHome home;
        const QString root = home.path();
        QVERIFY(AppStorageService::savePreferences(AppPreferences(), root).ok());
        const QString path = AppStorageService::preferencesPath(root);
        const QByteArray before = readFileBytes(path);
        QVERIFY(!before.isEmpty());
        Status saved;
        Status snapshotSaved;
        {
            const ReadOnlyFolder readOnly(AppStorageService::storageDirectory(root), root);
            saved = AppStorageService::savePreferences(richPreferences(), root);
            snapshotSaved = AppStorageService::saveActiveFocusSession(snapshotOf(1500, 10, 0), root);
        }
        QVERIFY(!saved.ok());
        QVERIFY(saved.error().contains(QStringLiteral("preferences.json")));
        QVERIFY(!snapshotSaved.ok());
        QCOMPARE(readFileBytes(path), before);
        QVERIFY(!QFileInfo::exists(AppStorageService::activeFocusSessionPath(root)));
    }

    void nonFiniteNumbersAreRefusedBeforeWriting()
    {
        TemporaryDataHome home;
        const QString root = home.path();
        QVERIFY(AppStorageService::savePreferences(AppPreferences(), root).ok());
        const QByteArray before = readFileBytes(AppStorageService::preferencesPath(root));
        AppPreferences broken;
        broken.audioVolume = std::numeric_limits<double>::quiet_NaN();
        QVERIFY(!AppStorageService::savePreferences(broken, root).ok());
        broken = AppPreferences();
        broken.items[3].weight = std::numeric_limits<double>::infinity();
        QVERIFY(!AppStorageService::savePreferences(broken, root).ok());
        QCOMPARE(readFileBytes(AppStorageService::preferencesPath(root)), before);

        const ActiveFocusSessionSnapshot snapshot
            = snapshotOf(1500, std::numeric_limits<double>::infinity(), 0);
        QVERIFY(!AppStorageService::saveActiveFocusSession(snapshot, root).ok());
        QVERIFY(!QFileInfo::exists(AppStorageService::activeFocusSessionPath(root)));
    }

    void historyIsACompactArrayOfUpperCaseIds_data()
    {
        QTest::addColumn<QList<QUuid>>("history");
        QTest::addColumn<QByteArray>("bytes");

        QTest::newRow("empty") << QList<QUuid>() << QByteArray("[]");
        QTest::newRow("two, newest first")
            << QList<QUuid> { idB, idA }
            << QByteArray(
                   "[\"7C9E6679-7425-40DE-944B-E07FC1F90AE7\",\"0F8FAD5B-D9CB-469F-A165-70867728950E\"]");
        QTest::newRow("repeats kept") << QList<QUuid> { idA, idA }
                                      << QByteArray("[\"0F8FAD5B-D9CB-469F-A165-70867728950E\","
                                                    "\"0F8FAD5B-D9CB-469F-A165-70867728950E\"]");
    }

    void historyIsACompactArrayOfUpperCaseIds()
    {
        QFETCH(QList<QUuid>, history);
        QFETCH(QByteArray, bytes);
        TemporaryDataHome home;
        const QString root = home.path();
        AppStorageService::saveHistory(history, root);
        QCOMPARE(readFileBytes(AppStorageService::historyPath(root)), bytes);
        QCOMPARE(AppStorageService::loadHistory(root), history);
    }

    void historyReadBack_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QList<QUuid>>("history");

        QTest::newRow("lower case") << QByteArray("[\"0f8fad5b-d9cb-469f-a165-70867728950e\"]")
                                    << QList<QUuid> { idA };
        QTest::newRow("white space") << QByteArray("[\n  \"0F8FAD5B-D9CB-469F-A165-70867728950E\"\n]")
                                     << QList<QUuid> { idA };
        QTest::newRow("one bad element spoils all")
            << QByteArray("[\"0F8FAD5B-D9CB-469F-A165-70867728950E\",\"nope\"]") << QList<QUuid>();
        QTest::newRow("braces are no UUID text")
            << QByteArray("[\"{0F8FAD5B-D9CB-469F-A165-70867728950E}\"]") << QList<QUuid>();
        QTest::newRow("object") << QByteArray("{}") << QList<QUuid>();
        QTest::newRow("truncated") << QByteArray("[\"0F8FAD5B") << QList<QUuid>();
    }

    void historyReadBack()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QList<QUuid>, history);
        TemporaryDataHome home;
        const QString root = home.path();
        QCOMPARE(AppStorageService::loadHistory(root), QList<QUuid>());
        QVERIFY(writeFileBytes(AppStorageService::historyPath(root), bytes));
        QCOMPARE(AppStorageService::loadHistory(root), history);
    }

    void historyWriteFailureIsSilent()
    {
        TemporaryDataHome home;
        const QString root = home.path();
        AppStorageService::saveHistory({ idA }, root);
        {
            const ReadOnlyFolder readOnly(AppStorageService::storageDirectory(root), root);
            AppStorageService::saveHistory({ idB }, root);
        }
        QCOMPARE(AppStorageService::loadHistory(root), QList<QUuid> { idA });
    }

    void snapshotRoundTripAndClear()
    {
        TemporaryDataHome home;
        const QString root = home.path();
        AppStorageService::clearActiveFocusSession(root);
        QVERIFY(!AppStorageService::loadRestorableActiveFocusSession(root));

        ActiveFocusSessionSnapshot snapshot = snapshotOf(1500, 612.25, 1709647629.5);
        snapshot.manuallyPaused = true;
        snapshot.sessionID = QStringLiteral("0f8fad5b-d9cb-469f-a165-70867728950e");
        snapshot.notes = QStringLiteral("第一行\n\"second\"");
        QVERIFY(AppStorageService::saveActiveFocusSession(snapshot, root).ok());
        const QByteArray bytes = readFileBytes(AppStorageService::activeFocusSessionPath(root));
        QVERIFY(bytes.startsWith("{\n    \""));
        const QStringList keys = snapshot.toJson().keys();
        QStringList sortedKeys = keys;
        sortedKeys.sort();
        QCOMPARE(keysInFileOrder(bytes, keys), sortedKeys);
        QCOMPARE(AppStorageService::loadRestorableActiveFocusSession(root), std::optional(snapshot));

        AppStorageService::clearActiveFocusSession(root);
        QVERIFY(!QFileInfo::exists(AppStorageService::activeFocusSessionPath(root)));
        AppStorageService::clearActiveFocusSession(root);
    }

    void snapshotValidity_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<bool>("restored");

        const auto snapshot = [](const char *target, const char *accumulated) {
            return QByteArray("{\"targetSeconds\": ") + target
                + ", \"accumulatedActiveSeconds\": " + accumulated + ", \"savedAtEpoch\": 1709647629}";
        };
        QTest::newRow("running") << snapshot("1500", "0") << true;
        QTest::newRow("just below the target") << snapshot("1500", "1499.999") << true;
        QTest::newRow("zero target") << snapshot("0", "0") << false;
        QTest::newRow("negative target") << snapshot("-5", "-10") << false;
        QTest::newRow("accumulated equals target") << snapshot("1500", "1500") << false;
        QTest::newRow("accumulated beyond target") << snapshot("1500", "1600") << false;
        QTest::newRow("negative accumulated") << snapshot("1500", "-1") << false;
        QTest::newRow("infinite target") << snapshot("1e400", "0") << false;
        QTest::newRow("infinite accumulated") << snapshot("1500", "-1e400") << false;
        QTest::newRow("missing saved time")
            << QByteArray("{\"targetSeconds\": 1500, \"accumulatedActiveSeconds\": 0}") << false;
        QTest::newRow("text target") << snapshot("\"1500\"", "0") << false;
        QTest::newRow("not JSON") << QByteArray("{targetSeconds") << false;
        QTest::newRow("null notes") << QByteArray(
            "{\"targetSeconds\": 1500, \"accumulatedActiveSeconds\": 0, "
            "\"savedAtEpoch\": 0, \"notes\": null}")
                                    << true;
    }

    void snapshotValidity()
    {
        QFETCH(QByteArray, json);
        QFETCH(bool, restored);
        TemporaryDataHome home;
        const QString root = home.path();
        const QString path = AppStorageService::activeFocusSessionPath(root);
        QVERIFY(writeFileBytes(path, json));
        QCOMPARE(AppStorageService::loadRestorableActiveFocusSession(root).has_value(), restored);
        // An unusable snapshot is ignored, not deleted.
        QCOMPARE(readFileBytes(path), json);
    }

    void startupRunsOnDefaultsWithoutTouchingDamagedSettings_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("present");

        QTest::newRow("missing") << QByteArray() << false;
        QTest::newRow("array") << QByteArray("[1, 2]") << true;
        QTest::newRow("truncated") << QByteArray("{\"language\": \"engl") << true;
        QTest::newRow("invalid value") << QByteArray("{\"sessionMinutes\": \"25\"}") << true;
    }

    void startupRunsOnDefaultsWithoutTouchingDamagedSettings()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, present);
        TemporaryDataHome home;
        const QString root = home.path();
        if (present)
            QVERIFY(writeFileBytes(AppStorageService::preferencesPath(root), bytes));
        const QString orphan = AppStorageService::musicDirectory(AudioPlaylistKind::focus, root)
            + QStringLiteral("/0f8fad5b-d9cb-469f-a165-70867728950e/x.mp3");
        QVERIFY(writeFileBytes(orphan, "music"));

        const bool decodable = AppStorageService::hasDecodablePreferences(root);
        QVERIFY(!decodable);
        AppStorageService::ensureMediaDirectories(root);
        const AppPreferences live = AppStorageService::startupPreferences(root);
        AppPreferences defaults;
        defaults.items = live.items;
        QCOMPARE(live, defaults);
        AppStorageService::writeBackAfterStartup(live, decodable, root);

        QCOMPARE(QFileInfo::exists(AppStorageService::preferencesPath(root)), present);
        QCOMPARE(readFileBytes(AppStorageService::preferencesPath(root)), bytes);
        QVERIFY(QFileInfo::exists(orphan));
    }

    void failedStartupWriteDeletesNothing()
    {
        TemporaryDataHome home;
        const QString root = home.path();
        QVERIFY(writeFileBytes(AppStorageService::preferencesPath(root), "{}"));
        const QString orphan = AppStorageService::musicDirectory(AudioPlaylistKind::focus, root)
            + QStringLiteral("/0f8fad5b-d9cb-469f-a165-70867728950e/x.mp3");
        QVERIFY(writeFileBytes(orphan, "music"));
        QVERIFY(AppStorageService::hasDecodablePreferences(root));
        const AppPreferences live = AppStorageService::startupPreferences(root);

        // The write-back cannot replace a folder standing where the file was.
        QVERIFY(QFile::remove(AppStorageService::preferencesPath(root)));
        QVERIFY(QDir().mkpath(AppStorageService::preferencesPath(root)));
        AppStorageService::writeBackAfterStartup(live, true, root);
        QVERIFY(QFileInfo::exists(orphan));
    }

    void startupRewritesDecodableSettingsAndCleansMedia()
    {
        TemporaryDataHome home;
        const QString root = home.path();
        QVERIFY(writeFileBytes(AppStorageService::preferencesPath(root), "{}"));
        const QString orphan = AppStorageService::musicDirectory(AudioPlaylistKind::focus, root)
            + QStringLiteral("/0f8fad5b-d9cb-469f-a165-70867728950e/x.mp3");
        QVERIFY(writeFileBytes(orphan, "music"));

        const bool decodable = AppStorageService::hasDecodablePreferences(root);
        QVERIFY(decodable);
        AppStorageService::ensureMediaDirectories(root);
        const AppPreferences live = AppStorageService::startupPreferences(root);
        AppStorageService::writeBackAfterStartup(live, decodable, root);

        const QByteArray bytes = readFileBytes(AppStorageService::preferencesPath(root));
        const QJsonObject written = QJsonDocument::fromJson(bytes).object();
        QCOMPARE(written.size(), 18);
        QVERIFY(bytes.contains("\n    \"autoPalette\": true,\n"));
        QCOMPARE(*AppStorageService::loadPreferences(root), live);
        QVERIFY(!QFileInfo::exists(orphan));
        QVERIFY(!QFileInfo::exists(QFileInfo(orphan).absolutePath()));
    }
};

QUORVANE_TEST_GUILESS_MAIN(AppStorageServiceTest)
#include "tst_app_storage_service.moc"
