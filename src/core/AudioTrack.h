#pragma once

#include "core/Result.h"

#include <QJsonObject>
#include <QString>
#include <QUuid>

// One imported music file.
struct AudioTrack
{
    QUuid id;
    // The file name without its extension at import time.
    QString name;
    QString path;

    static Result<AudioTrack> fromJson(const QJsonValue &value);
    QJsonObject toJson() const;

    friend bool operator==(const AudioTrack &, const AudioTrack &) = default;
};
