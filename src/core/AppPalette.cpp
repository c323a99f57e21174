#include "core/AppPalette.h"

#include "core/JsonReader.h"

Result<AppPalette> AppPalette::fromJson(const QJsonValue &value)
{
    JsonReader reader(value);
    AppPalette palette;
    palette.wheelBaseHex = reader.required<QString>(QLatin1StringView("wheelBaseHex"));
    palette.accentHex = reader.required<QString>(QLatin1StringView("accentHex"));
    palette.textHex = reader.required<QString>(QLatin1StringView("textHex"));
    palette.overlayOpacity = reader.required<double>(QLatin1StringView("overlayOpacity"));
    return reader.finish(std::move(palette));
}

QJsonObject AppPalette::toJson() const
{
    return {
        { QStringLiteral("wheelBaseHex"), wheelBaseHex },
        { QStringLiteral("accentHex"), accentHex },
        { QStringLiteral("textHex"), textHex },
        { QStringLiteral("overlayOpacity"), overlayOpacity },
    };
}
