#pragma once

#include "core/Result.h"

#include <QJsonObject>
#include <QString>
#include <QUuid>

// One image or video of the background library.
struct BackgroundMediaItem
{
    QUuid id;
    // The file name without its extension at import time.
    QString name;
    QString path;

    static Result<BackgroundMediaItem> fromJson(const QJsonValue &value);
    QJsonObject toJson() const;

    friend bool operator==(const BackgroundMediaItem &, const BackgroundMediaItem &) = default;
};
