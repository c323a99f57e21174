#include "ui/settings/AppearanceSettings.h"

#include "core/Color.h"
#include "core/MediaTypes.h"
#include "core/StringTable.h"
#include "core/Tones.h"
#include "media/PaletteExtractor.h"
#include "ui/settings/SettingsSession.h"

#include <algorithm>
#include <cmath>
#include <functional>

namespace {

const AppPreferences &draftOf(const SettingsSession *session)
{
    static const AppPreferences none;
    return session ? session->draft() : none;
}

QColor secondary()
{
    return Tones::white(Tones::textSecondary());
}

} // namespace

void AppearanceSettings::setSession(SettingsSession *session)
{
    if (session == m_session)
        return;
    if (m_session)
        disconnect(m_session, nullptr, this, nullptr);
    m_session = session;
    if (m_session)
        connect(m_session, &SettingsSession::draftChanged, this, &AppearanceSettings::valuesChanged);
    emit sessionChanged();
    emit valuesChanged();
}

bool AppearanceSettings::overlayEnabled() const
{
    return draftOf(m_session).backgroundOverlayEnabled;
}

double AppearanceSettings::overlayOpacity() const
{
    // Only a hand-edited file holds a strength outside 0 to 1; it reads as the main window draws it.
    const double stored = draftOf(m_session).palette.overlayOpacity;
    return std::isnan(stored) ? 0.0 : std::clamp(stored, 0.0, 1.0);
}

QString AppearanceSettings::overlayPercentText() const
{
    const auto percent = static_cast<long long>(std::trunc(overlayOpacity() * 100));
    return StringTable::text(QStringLiteral("%lld%"), draftOf(m_session).language)
        .replace(QLatin1String("%lld"), QString::number(percent));
}

QString AppearanceSettings::overlaySymbol() const
{
    return overlayEnabled() ? QStringLiteral("circle.lefthalf.filled") : QStringLiteral("sun.max.fill");
}

QColor AppearanceSettings::overlaySymbolColor() const
{
    return overlayEnabled() ? accentColor() : secondary();
}

double AppearanceSettings::overlayRowOpacity() const
{
    return overlayEnabled() ? 1.0 : 0.45;
}

bool AppearanceSettings::backgroundIsVideo() const
{
    const std::optional<QString> &path = draftOf(m_session).backgroundPath;
    return path && BackgroundMediaType::isVideo(*path);
}

bool AppearanceSettings::videoAudioTakesPriority() const
{
    return draftOf(m_session).videoAudioTakesPriority;
}

QString AppearanceSettings::videoHint() const
{
    return backgroundIsVideo()
        ? localized(draftOf(m_session).language, QStringLiteral("当前背景是循环视频"),
            QStringLiteral("The current background is a looping video"))
        : localized(draftOf(m_session).language, QStringLiteral("导入视频后可使用此选项"),
            QStringLiteral("Import a video to enable this option"));
}

QString AppearanceSettings::videoSymbol() const
{
    return backgroundIsVideo() ? QStringLiteral("film.stack.fill") : QStringLiteral("film");
}

QColor AppearanceSettings::videoSymbolColor() const
{
    return backgroundIsVideo() ? accentColor() : secondary();
}

double AppearanceSettings::videoRowOpacity() const
{
    return backgroundIsVideo() ? 1.0 : 0.48;
}

QString AppearanceSettings::videoBadge() const
{
    return backgroundIsVideo() ? StringTable::text(QStringLiteral("VIDEO"), draftOf(m_session).language)
                               : QString();
}

bool AppearanceSettings::autoPalette() const
{
    return draftOf(m_session).autoPalette;
}

QColor AppearanceSettings::wheelBaseColor() const
{
    return colorFromHex(draftOf(m_session).palette.wheelBaseHex);
}

QColor AppearanceSettings::accentColor() const
{
    return colorFromHex(draftOf(m_session).palette.accentHex);
}

QColor AppearanceSettings::textColor() const
{
    return colorFromHex(draftOf(m_session).palette.textHex);
}

void AppearanceSettings::editDraft(const std::function<void(AppPreferences &)> &edit)
{
    if (!m_session)
        return;
    AppPreferences draft = m_session->draft();
    edit(draft);
    m_session->setDraft(draft);
}

void AppearanceSettings::setOverlayEnabled(bool enabled)
{
    editDraft([enabled](AppPreferences &draft) { draft.backgroundOverlayEnabled = enabled; });
}

void AppearanceSettings::setOverlayOpacity(double opacity)
{
    if (std::isnan(opacity))
        return;
    editDraft([opacity](AppPreferences &draft) {
        draft.palette.overlayOpacity = std::clamp(opacity, overlayMinimum(), overlayMaximum());
    });
}

void AppearanceSettings::setVideoAudioTakesPriority(bool takesPriority)
{
    editDraft([takesPriority](AppPreferences &draft) { draft.videoAudioTakesPriority = takesPriority; });
}

void AppearanceSettings::setAutoPalette(bool automatic)
{
    editDraft([automatic](AppPreferences &draft) { draft.autoPalette = automatic; });
}

void AppearanceSettings::reanalyse()
{
    editDraft([](AppPreferences &draft) {
        draft.autoPalette = true;
        if (!draft.backgroundPath)
            draft.palette = AppPalette();
        else if (const std::optional<AppPalette> derived = PaletteExtractor().extract(*draft.backgroundPath))
            draft.palette = *derived;
    });
}

void AppearanceSettings::setPaletteColor(PaletteField field, const QColor &color)
{
    const QString hex = PaletteExtractor::hexString(color);
    editDraft([field, &hex](AppPreferences &draft) {
        switch (field) {
        case PaletteField::WheelBase:
            draft.palette.wheelBaseHex = hex;
            break;
        case PaletteField::Accent:
            draft.palette.accentHex = hex;
            break;
        case PaletteField::Text:
            draft.palette.textHex = hex;
            break;
        }
    });
}
