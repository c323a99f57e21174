// Saving the settings sheet's record, the single settings that the main window switches, and the
// clean-up of imported media that no setting refers to any more.

#include "app/AppController.h"
#include "core/StringTable.h"
#include "media/AudioController.h"
#include "session/WheelItemConstraints.h"
#include "storage/AppStorageService.h"

#include <QFileInfo>
#include <QSet>
#include <cmath>

namespace {

constexpr qsizetype wheelItemLimit = 7;
constexpr double strongestDiscount = 0.95;

double clampedDiscountStrength(double strength)
{
    if (std::isnan(strength) || strength < 0)
        return 0;
    return std::min(strength, strongestDiscount);
}

// At most the library limit, only files that exist, one item per file (the first), each under its
// standardized path and with a name.
QList<BackgroundMediaItem> sanitizedLibrary(const QList<BackgroundMediaItem> &library)
{
    QList<BackgroundMediaItem> kept;
    QSet<QString> seen;
    for (const BackgroundMediaItem &item :
        library.first(std::min<qsizetype>(library.size(), AppStorageService::backgroundLibraryLimit))) {
        const QString path = AppStorageService::standardizedPath(item.path);
        if (!QFileInfo::exists(path) || seen.contains(path))
            continue;
        seen.insert(path);
        QString name = item.name.trimmed();
        if (name.isEmpty())
            name = QFileInfo(path).completeBaseName();
        kept.append({ item.id, name, path });
    }
    return kept;
}

// The active item and the background path name the same library item, or neither is set.
void settleActiveBackground(AppPreferences &preferences)
{
    const QList<BackgroundMediaItem> &library = preferences.backgroundLibrary;
    const auto byID = std::find_if(library.cbegin(), library.cend(), [&](const BackgroundMediaItem &item) {
        return preferences.activeBackgroundID && item.id == *preferences.activeBackgroundID;
    });
    const auto byPath = std::find_if(library.cbegin(), library.cend(), [&](const BackgroundMediaItem &item) {
        return preferences.backgroundPath && item.path == *preferences.backgroundPath;
    });
    if (byID != library.cend()) {
        preferences.backgroundPath = byID->path;
    } else if (byPath != library.cend()) {
        preferences.activeBackgroundID = byPath->id;
        preferences.backgroundPath = byPath->path;
    } else {
        preferences.activeBackgroundID.reset();
        preferences.backgroundPath.reset();
    }
    if (library.size() <= 1)
        preferences.rotateBackgroundEachRound = false;
}

QList<WheelItem> sanitizedItems(QList<WheelItem> items, AppLanguage language)
{
    if (items.size() > wheelItemLimit)
        items.resize(wheelItemLimit);
    for (WheelItem &item : items) {
        item.title = item.title.trimmed();
        if (item.title.isEmpty())
            item.title = localized(language, QStringLiteral("未命名项目"), QStringLiteral("Untitled Item"));
        if (std::isnan(item.weight) || item.weight < 0)
            item.weight = 0;
    }
    return items;
}

// A record that refers to every media file that either record refers to; only its references count.
AppPreferences withReferencesOf(AppPreferences live, const AppPreferences &stored)
{
    live.backgroundLibrary += stored.backgroundLibrary;
    if (stored.backgroundPath)
        live.backgroundLibrary.append({ QUuid(), QString(), *stored.backgroundPath });
    live.focusPlaylist.tracks += stored.focusPlaylist.tracks;
    live.reminderPlaylist.tracks += stored.reminderPlaylist.tracks;
    return live;
}

} // namespace

bool AppController::savePreferences(const AppPreferences &edited)
{
    const AppPreferences previous = m_preferences;
    const bool videoSoundBefore = m_appearance->videoSoundTakesPriority();

    AppPreferences saved = edited;
    saved.sessionMinutes = std::clamp<qint64>(saved.sessionMinutes, 1, 180);
    saved.keyboardIdleMinutes = std::clamp<qint64>(saved.keyboardIdleMinutes, 1, 30);
    saved.recentWindow = std::clamp<qint64>(saved.recentWindow, 1, 10);
    saved.recentDiscountStrength = clampedDiscountStrength(saved.recentDiscountStrength);
    saved.audioVolume = AudioController::clampedVolume(saved.audioVolume);
    saved.audioPath.reset();
    saved.focusPlaylist = sanitizedPlaylist(saved.focusPlaylist);
    saved.reminderPlaylist = sanitizedPlaylist(saved.reminderPlaylist);
    saved.backgroundLibrary = sanitizedLibrary(saved.backgroundLibrary);
    settleActiveBackground(saved);
    saved.items = sanitizedItems(saved.items, previous.language);

    if (saved.items.size() < 2) {
        m_sheets->showAlert(localized(language(), QStringLiteral("至少需要两个项目"),
                                QStringLiteral("At Least Two Items Required")),
            localized(language(), QStringLiteral("转盘需要保留 2–7 个项目，才能避免连续抽中同一内容。"),
                QStringLiteral("Keep 2–7 wheel items so the same result can be excluded from "
                               "consecutive draws.")));
        return false;
    }
    if (!WheelItemConstraints::hasEnoughPositiveWeights(saved.items)) {
        m_sheets->showAlert(localized(language(), QStringLiteral("至少需要两个有效权重"),
                                QStringLiteral("Two Positive Weights Required")),
            localized(language(),
                QStringLiteral("请让至少两个项目的权重大于 0，否则排除上一项后将没有可抽取内容。"),
                QStringLiteral("Give at least two items a weight above zero so another result remains "
                               "after the latest item is excluded.")));
        return false;
    }

    const bool playlistChanged = m_round->phase() == SessionPhase::Focus
        ? previous.focusPlaylist != saved.focusPlaylist
        : previous.reminderPlaylist != saved.reminderPlaylist;
    // Compared standardized on both sides, so that a file kept under a tidier path is not taken for removed.
    QSet<QString> keptPaths;
    for (const BackgroundMediaItem &item : saved.backgroundLibrary)
        keptPaths.insert(item.path);
    QSet<QString> removedPaths;
    for (const BackgroundMediaItem &item : previous.backgroundLibrary) {
        const QString path = AppStorageService::standardizedPath(item.path);
        if (!keptPaths.contains(path))
            removedPaths.insert(path);
    }

    setPreferences(saved);
    m_music->player().setOutputVolume(saved.audioVolume);
    m_round->followSavedSettings(previous, saved);

    Status stored = writePreferences();
    if (stored) {
        AppStorageService::removeBackgroundMedia(
            removedPaths, AppStorageService::backgroundDirectory(m_root));
        stored = removeMediaNoSettingRefersTo();
    }
    if (!stored)
        m_sheets->showAlert(
            localized(language(), QStringLiteral("设置保存失败"), QStringLiteral("Could Not Save Settings")),
            StringTable::error(stored.failure(), language()));
    else if (playlistChanged || m_appearance->videoSoundTakesPriority() != videoSoundBefore)
        m_music->playFor(m_round->phase(), m_appearance->videoSoundTakesPriority());
    m_appearance->retryBackground();
    m_sheets->close(Sheets::Sheet::Settings);
    return true;
}

template<typename T>
void AppController::writeSingleSetting(T AppPreferences::*field, const T &value,
    const QString &chineseAlertTitle, const QString &englishAlertTitle)
{
    const T previous = m_preferences.*field;
    AppPreferences changed = m_preferences;
    changed.*field = value;
    setPreferences(changed);
    if (Status written = writePreferences(); !written) {
        AppPreferences restored = m_preferences;
        restored.*field = previous;
        setPreferences(restored);
        m_sheets->showAlert(localized(language(), chineseAlertTitle, englishAlertTitle),
            StringTable::error(written.failure(), language()));
    }
}

void AppController::toggleWindowOnTop()
{
    writeSingleSetting(&AppPreferences::keepWindowOnTop, !m_preferences.keepWindowOnTop,
        QStringLiteral("无法保存窗口设置"), QStringLiteral("Could Not Save Window Setting"));
}

void AppController::toggleBackgroundOverlay()
{
    writeSingleSetting(&AppPreferences::backgroundOverlayEnabled, !m_preferences.backgroundOverlayEnabled,
        QStringLiteral("无法保存蒙版设置"), QStringLiteral("Could Not Save Overlay Setting"));
}

void AppController::setFocusConsoleDock(FocusConsoleDock dock)
{
    if (m_preferences.focusConsoleDock == dock)
        return;
    writeSingleSetting(&AppPreferences::focusConsoleDock, dock, QStringLiteral("无法保存控制台位置"),
        QStringLiteral("Could Not Save Console Position"));
}

void AppController::cleanupUnreferencedMedia()
{
    (void)removeMediaNoSettingRefersTo();
}

Status AppController::removeMediaNoSettingRefersTo()
{
    // A damaged, missing or unwritten settings file may still name files that the live record has
    // dropped: media are deleted only against a stored record that reads back intact, and only
    // when neither it nor the live record refers to them.
    if (!m_preferencesKnownGood)
        return {};
    const Result<AppPreferences> stored = AppStorageService::loadPreferences(m_root);
    if (!stored)
        return {};
    return AppStorageService::cleanupUnreferencedMedia(
        withReferencesOf(m_preferences, *stored), AppStorageService::storageDirectory(m_root));
}
