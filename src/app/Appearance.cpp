// The settings turned into the values the views show, and the background library as the running program
// changes it: rotation, stepping and refreshing from disk.

#include "app/Appearance.h"

#include "core/AppPreferences.h"
#include "core/BackgroundLibraryPolicy.h"
#include "core/Color.h"
#include "core/MediaTypes.h"
#include "core/StringTable.h"
#include "media/PaletteExtractor.h"
#include "storage/AppStorageService.h"

#include <QFileInfo>
#include <algorithm>
#include <cmath>

QString Appearance::defaultBackgroundResource()
{
    return QStringLiteral(":/quorvane/default-forest.png");
}

QUrl Appearance::defaultBackgroundURL()
{
    // Compiled-in resources do not change while the program runs, and looking one up costs more than the
    // rest of the once-a-second background check.
    static const QUrl url = QFileInfo::exists(defaultBackgroundResource())
        ? QUrl(QStringLiteral("qrc") + defaultBackgroundResource())
        : QUrl();
    return url;
}

Appearance::Appearance(
    const AppPreferences &preferences, PreferencesEdit edit, QString root, bool reduceMotion)
    : m_preferences(preferences)
    , m_edit(std::move(edit))
    , m_root(std::move(root))
    , m_reduceMotion(reduceMotion)
{ }

void Appearance::setReduceMotion(bool reduceMotion)
{
    if (reduceMotion == m_reduceMotion)
        return;
    m_reduceMotion = reduceMotion;
    emit reduceMotionChanged();
}

QString Appearance::languageName() const
{
    return rawValue(m_preferences.language);
}

QString Appearance::windowTitle() const
{
    return StringTable::text(QStringLiteral("柯帆"), m_preferences.language);
}

QColor Appearance::accentColor() const
{
    return colorFromHex(m_preferences.palette.accentHex);
}

QColor Appearance::textColor() const
{
    return colorFromHex(m_preferences.palette.textHex);
}

QColor Appearance::wheelBaseColor() const
{
    return colorFromHex(m_preferences.palette.wheelBaseHex);
}

bool Appearance::backgroundOverlayEnabled() const
{
    return m_preferences.backgroundOverlayEnabled;
}

double Appearance::overlayOpacity() const
{
    // The stored strength is not limited; an opacity is.
    const double opacity = m_preferences.palette.overlayOpacity;
    return std::isnan(opacity) ? 0.0 : std::clamp(opacity, 0.0, 1.0);
}

bool Appearance::videoAudioTakesPriority() const
{
    return m_preferences.videoAudioTakesPriority;
}

QString Appearance::backgroundIdentity() const
{
    if (m_backgroundURL.isEmpty())
        return QStringLiteral("quorvane-default-background");
    return m_backgroundURL.path();
}

bool Appearance::canNavigateBackgrounds() const
{
    return m_preferences.backgroundLibrary.size() > 1;
}

bool Appearance::videoSoundTakesPriority() const
{
    return m_preferences.videoAudioTakesPriority && m_backgroundURL.isLocalFile()
        && BackgroundMediaType::isVideo(m_backgroundURL.toLocalFile());
}

void Appearance::refreshBackgroundURL()
{
    const auto &path = m_preferences.backgroundPath;
    const QUrl url = path && QFileInfo(*path).isFile() ? QUrl::fromLocalFile(*path) : defaultBackgroundURL();
    if (url == m_backgroundURL)
        return;
    m_backgroundURL = url;
    emit backgroundURLChanged();
}

void Appearance::selectBackground(const QUuid &id)
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
    m_edit(changed);
    emit preferencesToWrite();
}

void Appearance::advanceAfterCompletedRound()
{
    const AppPreferences &preferences = m_preferences;
    if (!preferences.rotateBackgroundEachRound || preferences.backgroundLibrary.size() < 2)
        return;
    // The next round resynchronises the music itself.
    if (const auto next
        = BackgroundLibraryPolicy::nextItemID(preferences.backgroundLibrary, preferences.activeBackgroundID))
        selectBackground(*next);
}

void Appearance::selectAdjacentBackground(bool forward)
{
    const AppPreferences &preferences = m_preferences;
    if (preferences.backgroundLibrary.size() < 2)
        return;
    const bool videoSoundBefore = videoSoundTakesPriority();
    const auto target = forward
        ? BackgroundLibraryPolicy::nextItemID(preferences.backgroundLibrary, preferences.activeBackgroundID)
        : BackgroundLibraryPolicy::previousItemID(
            preferences.backgroundLibrary, preferences.activeBackgroundID);
    if (!target)
        return;
    selectBackground(*target);
    if (videoSoundTakesPriority() != videoSoundBefore)
        emit videoSoundChanged();
}

void Appearance::refreshBackgroundLibraryFromDisk()
{
    const AppPreferences reconciled = AppStorageService::reconciledBackgroundLibrary(
        m_preferences, AppStorageService::backgroundDirectory(m_root));
    if (reconciled == m_preferences)
        return;
    m_edit(reconciled);
    emit preferencesToWrite();
}
