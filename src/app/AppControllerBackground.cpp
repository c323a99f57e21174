// The background library as the running program changes it: rotation, stepping and refreshing from disk.

#include "app/AppController.h"
#include "core/BackgroundLibraryPolicy.h"
#include "core/MediaTypes.h"
#include "media/PaletteExtractor.h"
#include "storage/AppStorageService.h"

bool AppController::videoSoundTakesPriority() const
{
    return m_preferences.videoAudioTakesPriority && m_backgroundURL.isLocalFile()
        && BackgroundMediaType::isVideo(m_backgroundURL.toLocalFile());
}

void AppController::selectBackground(const QUuid &id)
{
    const auto &library = m_preferences.backgroundLibrary;
    const auto item
        = std::find_if(library.cbegin(), library.cend(), [&](const auto &entry) { return entry.id == id; });
    if (item == library.cend())
        return;
    AppPreferences changed = m_preferences;
    changed.activeBackgroundID = item->id;
    changed.backgroundPath = item->path;
    if (changed.autoPalette) {
        if (const auto palette = PaletteExtractor().extract(item->path))
            changed.palette = *palette;
    }
    setPreferences(changed);
    writePreferencesQuietly();
}

void AppController::advanceBackgroundAfterCompletedRound()
{
    if (!m_preferences.rotateBackgroundEachRound || m_preferences.backgroundLibrary.size() < 2)
        return;
    // The next round resynchronises the music itself.
    if (const auto next = BackgroundLibraryPolicy::nextItemID(
            m_preferences.backgroundLibrary, m_preferences.activeBackgroundID))
        selectBackground(*next);
}

void AppController::selectAdjacentBackground(bool forward)
{
    const auto &library = m_preferences.backgroundLibrary;
    if (library.size() < 2)
        return;
    const bool videoSoundBefore = videoSoundTakesPriority();
    const auto target = forward
        ? BackgroundLibraryPolicy::nextItemID(library, m_preferences.activeBackgroundID)
        : BackgroundLibraryPolicy::previousItemID(library, m_preferences.activeBackgroundID);
    if (!target)
        return;
    selectBackground(*target);
    if (videoSoundTakesPriority() != videoSoundBefore)
        m_music->playFor(m_phase, videoSoundTakesPriority());
}

bool AppController::canNavigateBackgrounds() const
{
    return m_preferences.backgroundLibrary.size() > 1;
}

FocusCornerControlsPresentation AppController::focusCornerControls(bool interfaceIsHidden,
    bool canNavigateBackgrounds, const QString &consoleDock, const QString &language) const
{
    return FocusCornerControlsPresentation::make(interfaceIsHidden, canNavigateBackgrounds,
        fromRawValue<FocusConsoleDock>(consoleDock).value_or(m_preferences.focusConsoleDock),
        fromRawValue<AppLanguage>(language).value_or(m_preferences.language));
}

void AppController::refreshBackgroundLibraryFromDisk()
{
    const AppPreferences reconciled = AppStorageService::reconciledBackgroundLibrary(
        m_preferences, AppStorageService::backgroundDirectory(m_root));
    if (reconciled == m_preferences)
        return;
    setPreferences(reconciled);
    writePreferencesQuietly();
}
