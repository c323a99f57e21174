#include "TestProgram.h"
#include "core/ActiveFocusSessionSnapshot.h"
#include "core/AppPreferences.h"
#include "core/JsonValue.h"
#include "core/WeightedWheelItem.h"
#include "core/WorkTrackingState.h"

#include <QJsonDocument>
#include <QTest>
#include <cmath>

namespace {

const QString trackA = QStringLiteral("0F8FAD5B-D9CB-469F-A165-70867728950E");
const QString itemA = QStringLiteral("7C9E6679-7425-40DE-944B-E07FC1F90AE7");
const QString itemB = QStringLiteral("16FD2706-8BAF-433B-82EB-8C7FADA847DA");
const QString itemC = QStringLiteral("886313E1-3B8A-5372-9B90-0C9AEE199E5D");

Result<AppPreferences> decode(const char *json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(QByteArray(json), &error);
    if (error.error != QJsonParseError::NoError)
        qFatal("bad fixture: %s", json);
    return AppPreferences::fromJson(document.object());
}

QString libraryJson(const QStringList &ids)
{
    QStringList items;
    for (int i = 0; i < ids.size(); ++i)
        items << QStringLiteral(R"({"id":"%1","name":"n%2","path":"/b/%2.jpg"})").arg(ids[i]).arg(i);
    return QStringLiteral("[%1]").arg(items.join(u','));
}

} // namespace

class PreferencesTest : public QObject
{
    Q_OBJECT

private slots:
    void emptyObjectDecodesToDefaults()
    {
        const auto preferences = decode("{}");
        QVERIFY(preferences.ok());
        AppPreferences defaults;
        defaults.items = preferences->items;
        QCOMPARE(*preferences, defaults);
        QCOMPARE(preferences->items.size(), 7);
        QCOMPARE(preferences->items[0].title, QStringLiteral("午睡 30 分钟"));
        QCOMPARE(preferences->items[0].symbol, QStringLiteral("bed.double.fill"));
        double total = 0;
        for (const WheelItem &item : preferences->items)
            total += item.weight;
        QCOMPARE(total, 100.0);
        QVERIFY(!preferences->activeBackgroundID);
        QVERIFY(preferences->reminderPlaylist.isEnabled);
        QVERIFY(!preferences->focusPlaylist.isEnabled);

        const QStringList keys = preferences->toJson().keys();
        QCOMPARE(keys.size(), 18);
        QStringList sorted = keys;
        sorted.sort();
        QCOMPARE(keys, sorted);
        QVERIFY(!keys.contains(QStringLiteral("backgroundPath")));
        QVERIFY(!keys.contains(QStringLiteral("activeBackgroundID")));
        QVERIFY(!keys.contains(QStringLiteral("audioPath")));
    }

    void defaultRecordsNeverShareItemIdentities()
    {
        QVERIFY(AppPreferences() != AppPreferences());
        QVERIFY(AppPreferences().items[0].id != AppPreferences().items[0].id);
    }

    void roundTripKeepsEveryField()
    {
        AppPreferences preferences;
        preferences.language = AppLanguage::english;
        preferences.focusConsoleDock = FocusConsoleDock::leading;
        preferences.sessionMinutes = 50;
        preferences.recentDiscountStrength = 0.1;
        preferences.backgroundLibrary
            = { { QUuid::createUuid(), QStringLiteral("Sea"), QStringLiteral("/b/Sea.mov") } };
        preferences.activeBackgroundID = preferences.backgroundLibrary[0].id;
        preferences.backgroundPath = preferences.backgroundLibrary[0].path;
        preferences.focusPlaylist.tracks
            = { { QUuid::createUuid(), QStringLiteral("Rain"), QStringLiteral("/m/Rain.mp3") } };
        preferences.focusPlaylist.playbackMode = AudioPlaybackMode::shuffle;
        const auto decoded = AppPreferences::fromJson(preferences.toJson());
        QVERIFY(decoded.ok());
        QCOMPARE(*decoded, preferences);
    }

    void activeBackgroundIsSettled_data()
    {
        QTest::addColumn<QString>("json");
        QTest::addColumn<int>("expectedLibrarySize");
        QTest::addColumn<int>("expectedActiveIndex"); // -1: no active item
        QTest::addColumn<QString>("expectedPath");

        QTest::newRow("legacy path becomes a one-item library")
            << R"({"backgroundPath":"/x/Forest.jpg"})" << 1 << 0 << "/x/Forest.jpg";
        QTest::newRow("active id wins over a path naming another item")
            << QStringLiteral(
                   R"({"backgroundLibrary":%1,"activeBackgroundID":"%2","backgroundPath":"/b/2.jpg"})")
                   .arg(libraryJson({ itemA, itemB, itemC }), itemB)
            << 3 << 1 << "/b/1.jpg";
        QTest::newRow("active id read in lower case")
            << QStringLiteral(R"({"backgroundLibrary":%1,"activeBackgroundID":"%2"})")
                   .arg(libraryJson({ itemA, itemB }), itemB.toLower())
            << 2 << 1 << "/b/1.jpg";
        QTest::newRow("path picks the item when the id matches none")
            << QStringLiteral(
                   R"({"backgroundLibrary":%1,"activeBackgroundID":"%2","backgroundPath":"/b/1.jpg"})")
                   .arg(libraryJson({ itemA, itemB }), itemC)
            << 2 << 1 << "/b/1.jpg";
        QTest::newRow("neither matches: the first item") << QStringLiteral(
            R"({"backgroundLibrary":%1,"activeBackgroundID":"%2","backgroundPath":"/elsewhere.jpg"})")
                                                                .arg(libraryJson({ itemA, itemB }), itemC)
                                                         << 2 << 0 << "/b/0.jpg";
        QTest::newRow("path equality is exact, without normalisation")
            << QStringLiteral(R"({"backgroundLibrary":%1,"backgroundPath":"/b/./1.jpg"})")
                   .arg(libraryJson({ itemA, itemB }))
            << 2 << 0 << "/b/0.jpg";
        QTest::newRow("an active id without any library is cleared")
            << QStringLiteral(R"({"activeBackgroundID":"%1"})").arg(itemA) << 0 << -1 << QString();
    }

    void activeBackgroundIsSettled()
    {
        QFETCH(QString, json);
        QFETCH(int, expectedLibrarySize);
        QFETCH(int, expectedActiveIndex);
        QFETCH(QString, expectedPath);

        const auto preferences = decode(json.toUtf8().constData());
        QVERIFY2(preferences.ok(), qPrintable(preferences.ok() ? QString() : preferences.error()));
        QCOMPARE(preferences->backgroundLibrary.size(), expectedLibrarySize);
        if (expectedActiveIndex < 0) {
            QVERIFY(!preferences->activeBackgroundID);
            QVERIFY(!preferences->backgroundPath);
            return;
        }
        QCOMPARE(preferences->activeBackgroundID, preferences->backgroundLibrary[expectedActiveIndex].id);
        QCOMPARE(preferences->backgroundPath, expectedPath);
    }

    void legacyBackgroundNamesDropOnlyTheLastExtension()
    {
        const auto preferences = decode(R"({"backgroundPath":"/x/archive.tar.gz"})");
        QVERIFY(preferences.ok());
        QCOMPARE(preferences->backgroundLibrary[0].name, QStringLiteral("archive.tar"));
    }

    void legacyAudioPathBecomesTheBreakPlaylist_data()
    {
        QTest::addColumn<QString>("json");
        QTest::addColumn<bool>("migrated");

        QTest::newRow("no stored break playlist") << R"({"audioPath":"/m/Rain.mp3"})" << true;
        QTest::newRow("a stored break playlist wins")
            << R"({"audioPath":"/m/Rain.mp3","reminderPlaylist":{"isEnabled":false,"playbackMode":"shuffle","tracks":[]}})"
            << false;
    }

    void legacyAudioPathBecomesTheBreakPlaylist()
    {
        QFETCH(QString, json);
        QFETCH(bool, migrated);

        const auto preferences = decode(json.toUtf8().constData());
        QVERIFY(preferences.ok());
        QVERIFY(!preferences->audioPath);
        QVERIFY(!preferences->toJson().contains(QStringLiteral("audioPath")));
        QCOMPARE(preferences->focusPlaylist, AudioPlaylist::focusDefault());
        if (migrated) {
            QVERIFY(preferences->reminderPlaylist.isEnabled);
            QCOMPARE(preferences->reminderPlaylist.playbackMode, AudioPlaybackMode::sequential);
            QCOMPARE(preferences->reminderPlaylist.tracks.size(), 1);
            QCOMPARE(preferences->reminderPlaylist.tracks[0].name, QStringLiteral("Rain"));
            QCOMPARE(preferences->reminderPlaylist.tracks[0].path, QStringLiteral("/m/Rain.mp3"));
        } else {
            QCOMPARE(
                preferences->reminderPlaylist, (AudioPlaylist { false, AudioPlaybackMode::shuffle, {} }));
        }
    }

    void absentKeysTakeDefaultsAndPresentOnesAreKept_data()
    {
        QTest::addColumn<QString>("json");
        QTest::addColumn<bool>("rotate");
        QTest::addColumn<bool>("track");
        QTest::addColumn<int>("itemCount");
        QTest::addColumn<double>("weight");

        QTest::newRow("missing") << "{}" << false << true << 7 << 18.0;
        QTest::newRow("null counts as missing")
            << R"({"rotateBackgroundEachRound":null,"trackActivity":null,"items":null})" << false << true << 7
            << 18.0;
        QTest::newRow("empty item list stays empty") << R"({"items":[]})" << false << true << 0 << 0.0;
        QTest::newRow("whole number reads as a real") << QStringLiteral(
            R"({"rotateBackgroundEachRound":true,"trackActivity":false,"items":[{"id":"%1","title":"t","weight":18,"healthScore":3,"symbol":"s"}]})")
                                                             .arg(itemA)
                                                      << true << false << 1 << 18.0;
    }

    void absentKeysTakeDefaultsAndPresentOnesAreKept()
    {
        QFETCH(QString, json);
        QFETCH(bool, rotate);
        QFETCH(bool, track);
        QFETCH(int, itemCount);
        QFETCH(double, weight);

        const auto preferences = decode(json.toUtf8().constData());
        QVERIFY(preferences.ok());
        QCOMPARE(preferences->rotateBackgroundEachRound, rotate);
        QCOMPARE(preferences->trackActivity, track);
        QCOMPARE(preferences->items.size(), itemCount);
        if (itemCount > 0)
            QCOMPARE(preferences->items[0].weight, weight);
    }

    void invalidValuesFailTheWholeRead_data()
    {
        QTest::addColumn<QString>("json");

        QTest::newRow("unknown language") << R"({"language":"french"})";
        QTest::newRow("fraction in an integer field") << R"({"sessionMinutes":25.5})";
        QTest::newRow("text for a number") << R"({"sessionMinutes":"25"})";
        QTest::newRow("integer beyond 64 bits") << R"({"recentWindow":1e30})";
        QTest::newRow("number for a boolean") << R"({"trackActivity":1})";
        QTest::newRow("unknown playback mode")
            << R"({"focusPlaylist":{"isEnabled":true,"playbackMode":"random","tracks":[]}})";
        QTest::newRow("playlist without a mode") << R"({"focusPlaylist":{"isEnabled":true,"tracks":[]}})";
        QTest::newRow("one bad track fails the playlist") << QStringLiteral(
            R"({"reminderPlaylist":{"isEnabled":true,"playbackMode":"shuffle","tracks":[{"id":"%1","name":"a","path":"/a"},{"id":"%1","name":"b"}]}})")
                                                                 .arg(trackA);
        QTest::newRow("braced UUID") << QStringLiteral(R"({"activeBackgroundID":"{%1}"})").arg(itemA);
        QTest::newRow("UUID with a bad digit")
            << R"({"activeBackgroundID":"7C9E6679-7425-40DE-944B-E07FC1F90AEG"})";
        QTest::newRow("health score with a fraction") << QStringLiteral(
            R"({"items":[{"id":"%1","title":"t","weight":1,"healthScore":12.5,"symbol":"s"}]})")
                                                             .arg(itemA);
        QTest::newRow("library item without a path")
            << QStringLiteral(R"({"backgroundLibrary":[{"id":"%1","name":"n"}]})").arg(itemA);
        QTest::newRow("palette with a null colour")
            << R"({"palette":{"wheelBaseHex":null,"accentHex":"#000000","textHex":"#000000","overlayOpacity":0.3}})";
        QTest::newRow("object instead of an array") << R"({"items":{}})";
    }

    void invalidValuesFailTheWholeRead()
    {
        QFETCH(QString, json);
        const auto preferences = decode(json.toUtf8().constData());
        QVERIFY(!preferences.ok());
        QVERIFY(!preferences.error().isEmpty());
    }

    void snapshotWritesOnlyItsPresentFields()
    {
        const QJsonObject object { { QStringLiteral("targetSeconds"), 1500 },
            { QStringLiteral("accumulatedActiveSeconds"), 12.5 }, { QStringLiteral("savedAtEpoch"), 1.7e9 },
            { QStringLiteral("notes"), QJsonValue::Null } };
        const auto snapshot = ActiveFocusSessionSnapshot::fromJson(object);
        QVERIFY(snapshot.ok());
        QVERIFY(!snapshot->notes);
        QVERIFY(!snapshot->sessionID);
        QCOMPARE(snapshot->toJson().keys(),
            (QStringList { QStringLiteral("accumulatedActiveSeconds"), QStringLiteral("savedAtEpoch"),
                QStringLiteral("targetSeconds") }));

        QJsonObject missingRequired = object;
        missingRequired.remove(QStringLiteral("savedAtEpoch"));
        QVERIFY(!ActiveFocusSessionSnapshot::fromJson(missingRequired).ok());
    }

    void encodingRejectsNonFiniteReals_data()
    {
        QTest::addColumn<double>("value");
        QTest::newRow("NaN") << std::nan("");
        QTest::newRow("infinity") << HUGE_VAL;
        QTest::newRow("negative infinity") << -HUGE_VAL;
    }

    void encodingRejectsNonFiniteReals()
    {
        QFETCH(double, value);
        QVERIFY(JsonValue::checkFinite(AppPreferences().toJson()).ok());

        AppPreferences volume;
        volume.audioVolume = value;
        QVERIFY(!JsonValue::checkFinite(volume.toJson()).ok());

        AppPreferences weight;
        weight.items[3].weight = value;
        QVERIFY(!JsonValue::checkFinite(weight.toJson()).ok());

        AppPreferences palette;
        palette.palette.overlayOpacity = value;
        QVERIFY(!JsonValue::checkFinite(palette.toJson()).ok());
    }

    void uuidCaseDoesNotMatter()
    {
        const QJsonObject upper { { QStringLiteral("id"), trackA },
            { QStringLiteral("name"), QStringLiteral("a") },
            { QStringLiteral("path"), QStringLiteral("/a") } };
        QJsonObject lower = upper;
        lower[QStringLiteral("id")] = trackA.toLower();
        QCOMPARE(*AudioTrack::fromJson(lower), *AudioTrack::fromJson(upper));
        QCOMPARE(AudioTrack::fromJson(lower)->toJson().value(QStringLiteral("id")).toString(), trackA);
    }

    void weightedItemsShareIdentityButNotEquality()
    {
        const WheelItem item = AppPreferences::defaultItems().first();
        const WeightedWheelItem a { item, 18, std::nullopt };
        const WeightedWheelItem b { item, 9, QStringLiteral("label") };
        QCOMPARE(a.id(), b.id());
        QVERIFY(a != b);
    }

    void trackingStateTitles_data()
    {
        QTest::addColumn<WorkTrackingState>("state");
        QTest::addColumn<QString>("chinese");
        QTest::addColumn<QString>("english");

        QTest::newRow("permission") << WorkTrackingState::permissionRequired
                                    << QStringLiteral("等待 X11 输入权限")
                                    << QStringLiteral("X11 Input Access Required");
        QTest::newRow("idle") << WorkTrackingState::idlePaused << QStringLiteral("工作已中断 · 计时暂停")
                              << QStringLiteral("Inactive · Timer Paused");
    }

    void trackingStateTitles()
    {
        QFETCH(WorkTrackingState, state);
        QFETCH(QString, chinese);
        QFETCH(QString, english);
        QCOMPARE(title(state, AppLanguage::chinese), chinese);
        QCOMPARE(title(state, AppLanguage::english), english);
    }
};

QUORVANE_TEST_GUILESS_MAIN(PreferencesTest)
#include "tst_preferences.moc"
