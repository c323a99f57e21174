// The preferences turned into the values the views show: texts, colours and the background's name.

#include "app/AppController.h"
#include "core/Color.h"
#include "core/StringTable.h"

#include <algorithm>
#include <cmath>

QString AppController::languageName() const
{
    return rawValue(m_preferences.language);
}

QString AppController::windowTitle() const
{
    return StringTable::text(QStringLiteral("柯帆"), language());
}

QColor AppController::accentColor() const
{
    return colorFromHex(m_preferences.palette.accentHex);
}

QColor AppController::textColor() const
{
    return colorFromHex(m_preferences.palette.textHex);
}

QColor AppController::wheelBaseColor() const
{
    return colorFromHex(m_preferences.palette.wheelBaseHex);
}

bool AppController::backgroundOverlayEnabled() const
{
    return m_preferences.backgroundOverlayEnabled;
}

double AppController::overlayOpacity() const
{
    // The stored strength is not limited; an opacity is.
    const double opacity = m_preferences.palette.overlayOpacity;
    return std::isnan(opacity) ? 0.0 : std::clamp(opacity, 0.0, 1.0);
}

bool AppController::videoAudioTakesPriority() const
{
    return m_preferences.videoAudioTakesPriority;
}

QString AppController::backgroundIdentity() const
{
    if (m_backgroundURL.isEmpty())
        return QStringLiteral("quorvane-default-background");
    return m_backgroundURL.path();
}
