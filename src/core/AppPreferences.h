#pragma once

#include "core/AppLanguage.h"
#include "core/AppPalette.h"
#include "core/AudioPlaylist.h"
#include "core/BackgroundMediaItem.h"
#include "core/FocusConsoleDock.h"
#include "core/WheelItem.h"

#include <QList>
#include <QString>
#include <optional>
#include <utility>

// The one settings record, stored as "preferences.json". Stored values are used unchanged:
// the ranges that saving enforces belong to the controller.
struct AppPreferences
{
    AppLanguage language = AppLanguage::chinese;
    bool keepWindowOnTop = false;
    FocusConsoleDock focusConsoleDock = FocusConsoleDock::trailing;
    bool trackActivity = true;
    qint64 sessionMinutes = 25;
    qint64 keyboardIdleMinutes = 5;
    double recentDiscountStrength = 0.65;
    qint64 recentWindow = 3;
    bool autoPalette = true;
    AppPalette palette;
    bool backgroundOverlayEnabled = true;
    // Kept equal to the path of the active library item.
    std::optional<QString> backgroundPath;
    QList<BackgroundMediaItem> backgroundLibrary;
    std::optional<QUuid> activeBackgroundID;
    bool rotateBackgroundEachRound = false;
    bool videoAudioTakesPriority = false;
    double audioVolume = 0.72;
    AudioPlaylist focusPlaylist = AudioPlaylist::focusDefault();
    AudioPlaylist reminderPlaylist = AudioPlaylist::reminderDefault();
    // The legacy single music file; always absent after reading.
    std::optional<QString> audioPath;
    // Every default record gets fresh item identities.
    QList<WheelItem> items = defaultItems();

    static QList<WheelItem> defaultItems();

    // Missing or null keys take their defaults; a present invalid value fails the whole read.
    static Result<AppPreferences> fromJson(const QJsonValue &value);
    QJsonObject toJson() const;
    // The on/off settings by their keys in the file, which the settings sheet's panes switch by key.
    static const QList<std::pair<QString, bool AppPreferences::*>> &switches();

    friend bool operator==(const AppPreferences &, const AppPreferences &) = default;
};
