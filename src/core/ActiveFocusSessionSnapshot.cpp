#include "core/ActiveFocusSessionSnapshot.h"

#include "core/JsonReader.h"

#include <cmath>

bool ActiveFocusSessionSnapshot::isRestorable() const
{
    return std::isfinite(targetSeconds) && targetSeconds > 0 && std::isfinite(accumulatedActiveSeconds)
        && accumulatedActiveSeconds >= 0 && accumulatedActiveSeconds < targetSeconds;
}

Result<ActiveFocusSessionSnapshot> ActiveFocusSessionSnapshot::fromJson(const QJsonValue &value)
{
    JsonReader reader(value);
    ActiveFocusSessionSnapshot snapshot;
    snapshot.targetSeconds = reader.required<double>(QLatin1StringView("targetSeconds"));
    snapshot.accumulatedActiveSeconds = reader.required<double>(QLatin1StringView("accumulatedActiveSeconds"));
    snapshot.savedAtEpoch = reader.required<double>(QLatin1StringView("savedAtEpoch"));
    snapshot.manuallyPaused = reader.optional<bool>(QLatin1StringView("manuallyPaused"));
    snapshot.sessionID = reader.optional<QString>(QLatin1StringView("sessionID"));
    snapshot.startedAtEpoch = reader.optional<double>(QLatin1StringView("startedAtEpoch"));
    snapshot.notes = reader.optional<QString>(QLatin1StringView("notes"));
    snapshot.title = reader.optional<QString>(QLatin1StringView("title"));
    return reader.finish(std::move(snapshot));
}

QJsonObject ActiveFocusSessionSnapshot::toJson() const
{
    QJsonObject object {
        { QStringLiteral("targetSeconds"), targetSeconds },
        { QStringLiteral("accumulatedActiveSeconds"), accumulatedActiveSeconds },
        { QStringLiteral("savedAtEpoch"), savedAtEpoch },
    };
    if (manuallyPaused)
        object.insert(QStringLiteral("manuallyPaused"), *manuallyPaused);
    if (sessionID)
        object.insert(QStringLiteral("sessionID"), *sessionID);
    if (startedAtEpoch)
        object.insert(QStringLiteral("startedAtEpoch"), *startedAtEpoch);
    if (notes)
        object.insert(QStringLiteral("notes"), *notes);
    if (title)
        object.insert(QStringLiteral("title"), *title);
    return object;
}
