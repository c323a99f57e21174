#include "core/AppPreferences.h"

#include "core/BackgroundLibraryPolicy.h"
#include "core/JsonReader.h"

#include <QFileInfo>

namespace {

WheelItem defaultItem(const QString &title, double weight, qint64 healthScore, const QString &symbol)
{
    return { QUuid::createUuid(), title, weight, healthScore, symbol };
}

// "Forest" for /x/Forest.jpg, "archive.tar" for /x/archive.tar.gz.
QString nameWithoutExtension(const QString &path)
{
    return QFileInfo(path).completeBaseName();
}

// Settles which library item is active, adopting a legacy single background path.
void settleActiveBackground(AppPreferences &preferences)
{
    auto &library = preferences.backgroundLibrary;
    if (library.isEmpty()) {
        if (preferences.backgroundPath) {
            const BackgroundMediaItem item { QUuid::createUuid(),
                nameWithoutExtension(*preferences.backgroundPath), *preferences.backgroundPath };
            library = { item };
            preferences.activeBackgroundID = item.id;
        } else {
            preferences.activeBackgroundID.reset();
        }
        return;
    }
    const BackgroundMediaItem active = *BackgroundLibraryPolicy::activeItem(
        library, preferences.activeBackgroundID, preferences.backgroundPath);
    preferences.activeBackgroundID = active.id;
    preferences.backgroundPath = active.path;
}

} // namespace

QList<WheelItem> AppPreferences::defaultItems()
{
    return {
        defaultItem(QStringLiteral("午睡 30 分钟"), 18, 20, QStringLiteral("bed.double.fill")),
        defaultItem(QStringLiteral("远眺"), 16, 8, QStringLiteral("mountain.2.fill")),
        defaultItem(QStringLiteral("散步"), 16, 12, QStringLiteral("figure.walk")),
        defaultItem(QStringLiteral("拉伸"), 14, 10, QStringLiteral("figure.flexibility")),
        defaultItem(QStringLiteral("喝水"), 12, 5, QStringLiteral("cup.and.saucer.fill")),
        defaultItem(QStringLiteral("冥想"), 12, 8, QStringLiteral("brain.head.profile")),
        defaultItem(QStringLiteral("自由项目"), 12, 10, QStringLiteral("sparkles")),
    };
}

Result<AppPreferences> AppPreferences::fromJson(const QJsonValue &value)
{
    JsonReader reader(value);
    AppPreferences p;
    auto read = [&reader](auto &field, const char *key) {
        using Field = std::remove_reference_t<decltype(field)>;
        if (auto present = reader.optional<Field>(QLatin1StringView(key)))
            field = std::move(*present);
    };
    read(p.language, "language");
    read(p.keepWindowOnTop, "keepWindowOnTop");
    read(p.focusConsoleDock, "focusConsoleDock");
    read(p.trackActivity, "trackActivity");
    read(p.sessionMinutes, "sessionMinutes");
    read(p.keyboardIdleMinutes, "keyboardIdleMinutes");
    read(p.recentDiscountStrength, "recentDiscountStrength");
    read(p.recentWindow, "recentWindow");
    read(p.autoPalette, "autoPalette");
    read(p.palette, "palette");
    read(p.backgroundOverlayEnabled, "backgroundOverlayEnabled");
    p.backgroundPath = reader.optional<QString>(QLatin1StringView("backgroundPath"));
    read(p.backgroundLibrary, "backgroundLibrary");
    p.activeBackgroundID = reader.optional<QUuid>(QLatin1StringView("activeBackgroundID"));
    read(p.rotateBackgroundEachRound, "rotateBackgroundEachRound");
    settleActiveBackground(p);
    read(p.videoAudioTakesPriority, "videoAudioTakesPriority");
    read(p.audioVolume, "audioVolume");
    const auto legacyAudioPath = reader.optional<QString>(QLatin1StringView("audioPath"));
    read(p.focusPlaylist, "focusPlaylist");
    if (auto reminder = reader.optional<AudioPlaylist>(QLatin1StringView("reminderPlaylist"))) {
        p.reminderPlaylist = std::move(*reminder);
    } else if (legacyAudioPath) {
        const AudioTrack track { QUuid::createUuid(), nameWithoutExtension(*legacyAudioPath),
            *legacyAudioPath };
        p.reminderPlaylist = { true, AudioPlaybackMode::sequential, { track } };
    }
    p.audioPath.reset();
    read(p.items, "items");
    return reader.finish(std::move(p));
}

QJsonObject AppPreferences::toJson() const
{
    QJsonObject object {
        { QStringLiteral("language"), JsonValue::encode(language) },
        { QStringLiteral("keepWindowOnTop"), keepWindowOnTop },
        { QStringLiteral("focusConsoleDock"), JsonValue::encode(focusConsoleDock) },
        { QStringLiteral("trackActivity"), trackActivity },
        { QStringLiteral("sessionMinutes"), sessionMinutes },
        { QStringLiteral("keyboardIdleMinutes"), keyboardIdleMinutes },
        { QStringLiteral("recentDiscountStrength"), recentDiscountStrength },
        { QStringLiteral("recentWindow"), recentWindow },
        { QStringLiteral("autoPalette"), autoPalette },
        { QStringLiteral("palette"), palette.toJson() },
        { QStringLiteral("backgroundOverlayEnabled"), backgroundOverlayEnabled },
        { QStringLiteral("backgroundLibrary"), JsonValue::encode(backgroundLibrary) },
        { QStringLiteral("rotateBackgroundEachRound"), rotateBackgroundEachRound },
        { QStringLiteral("videoAudioTakesPriority"), videoAudioTakesPriority },
        { QStringLiteral("audioVolume"), audioVolume },
        { QStringLiteral("focusPlaylist"), focusPlaylist.toJson() },
        { QStringLiteral("reminderPlaylist"), reminderPlaylist.toJson() },
        { QStringLiteral("items"), JsonValue::encode(items) },
    };
    if (backgroundPath)
        object.insert(QStringLiteral("backgroundPath"), *backgroundPath);
    if (activeBackgroundID)
        object.insert(QStringLiteral("activeBackgroundID"), JsonValue::encode(*activeBackgroundID));
    if (audioPath)
        object.insert(QStringLiteral("audioPath"), *audioPath);
    return object;
}

const QList<std::pair<QString, bool AppPreferences::*>> &AppPreferences::switches()
{
    static const QList<std::pair<QString, bool AppPreferences::*>> fields {
        { QStringLiteral("keepWindowOnTop"), &AppPreferences::keepWindowOnTop },
        { QStringLiteral("trackActivity"), &AppPreferences::trackActivity },
        { QStringLiteral("autoPalette"), &AppPreferences::autoPalette },
        { QStringLiteral("backgroundOverlayEnabled"), &AppPreferences::backgroundOverlayEnabled },
        { QStringLiteral("rotateBackgroundEachRound"), &AppPreferences::rotateBackgroundEachRound },
        { QStringLiteral("videoAudioTakesPriority"), &AppPreferences::videoAudioTakesPriority },
    };
    return fields;
}
