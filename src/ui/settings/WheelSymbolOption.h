#pragma once

#include <QString>

// One entry of the catalogue of symbols offered for wheel items.
struct WheelSymbolOption
{
    QString name;
    // The Chinese label; the English one is looked up by name in the catalogue.
    QString label;
    // The Chinese name of the catalogue group.
    QString category;

    const QString &id() const { return name; }

    friend bool operator==(const WheelSymbolOption &, const WheelSymbolOption &) = default;
};
