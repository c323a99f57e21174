#pragma once

#include "core/Result.h"

#include <QJsonObject>
#include <QString>

// The colours of the interface, as "#RRGGBB" texts, and the opacity of the background overlay.
struct AppPalette
{
    QString wheelBaseHex = QStringLiteral("#172532");
    QString accentHex = QStringLiteral("#EBCB83");
    QString textHex = QStringLiteral("#F6EEDB");
    double overlayOpacity = 0.37;

    static Result<AppPalette> fromJson(const QJsonValue &value);
    QJsonObject toJson() const;

    friend bool operator==(const AppPalette &, const AppPalette &) = default;
};
