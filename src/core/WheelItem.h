#pragma once

#include "core/Result.h"

#include <QJsonObject>
#include <QString>
#include <QUuid>

// One break activity of the wheel.
struct WheelItem
{
    QUuid id;
    QString title;
    // A weight of 0 or less keeps the activity out of the draw.
    double weight = 0;
    qint64 healthScore = 0;
    QString symbol;

    static Result<WheelItem> fromJson(const QJsonValue &value);
    QJsonObject toJson() const;

    friend bool operator==(const WheelItem &, const WheelItem &) = default;
};
