#include "core/ActiveFocusSessionSnapshot.h"

#include "core/JsonReader.h"

#include <QJsonArray>
#include <cmath>

namespace {

double epochSeconds(const QDateTime &at)
{
    return at.toMSecsSinceEpoch() / 1000.0;
}

// A time the row can carry: a hand-edited file may hold a number no date can.
std::optional<QDateTime> fromEpochSeconds(double seconds)
{
    if (!std::isfinite(seconds) || std::abs(seconds) > 1e11)
        return std::nullopt;
    return QDateTime::fromMSecsSinceEpoch(std::llround(seconds * 1000), Qt::UTC);
}

} // namespace

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
    snapshot.accumulatedActiveSeconds
        = reader.required<double>(QLatin1StringView("accumulatedActiveSeconds"));
    snapshot.savedAtEpoch = reader.required<double>(QLatin1StringView("savedAtEpoch"));
    snapshot.manuallyPaused = reader.optional<bool>(QLatin1StringView("manuallyPaused"));
    snapshot.sessionID = reader.optional<QString>(QLatin1StringView("sessionID"));
    snapshot.startedAtEpoch = reader.optional<double>(QLatin1StringView("startedAtEpoch"));
    snapshot.notes = reader.optional<QString>(QLatin1StringView("notes"));
    snapshot.title = reader.optional<QString>(QLatin1StringView("title"));
    const auto ended = reader.optional<QList<EndedRound>>(QLatin1StringView("endedRounds"));
    for (const EndedRound &round : ended.value_or(QList<EndedRound>()))
        snapshot.endedRounds.append(round.row);
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
    if (!endedRounds.isEmpty()) {
        QJsonArray rows;
        for (const FocusSessionLogEntry &row : endedRounds)
            rows.append(EndedRound { row }.toJson());
        object.insert(QStringLiteral("endedRounds"), rows);
    }
    return object;
}

Result<ActiveFocusSessionSnapshot::EndedRound> ActiveFocusSessionSnapshot::EndedRound::fromJson(
    const QJsonValue &value)
{
    JsonReader reader(value);
    FocusSessionLogEntry row;
    row.eventID = reader.required<QString>(QLatin1StringView("eventID"));
    const auto startedAt = fromEpochSeconds(reader.required<double>(QLatin1StringView("startedAtEpoch")));
    const auto endedAt = fromEpochSeconds(reader.required<double>(QLatin1StringView("endedAtEpoch")));
    row.sessionNumber = reader.required<qint64>(QLatin1StringView("sessionNumber"));
    row.title = reader.required<QString>(QLatin1StringView("title"));
    row.activeSeconds = reader.required<qint64>(QLatin1StringView("activeSeconds"));
    row.targetSeconds = reader.required<qint64>(QLatin1StringView("targetSeconds"));
    row.completed = reader.required<bool>(QLatin1StringView("completed"));
    row.notes = reader.required<QString>(QLatin1StringView("notes"));
    if (reader.ok() && (!startedAt || !endedAt))
        return Error { QStringLiteral("endedRounds: a time out of range") };
    row.startTimestamp = startedAt.value_or(QDateTime());
    row.endTimestamp = endedAt.value_or(QDateTime());
    return reader.finish(EndedRound { row });
}

QJsonObject ActiveFocusSessionSnapshot::EndedRound::toJson() const
{
    return {
        { QStringLiteral("eventID"), row.eventID },
        { QStringLiteral("startedAtEpoch"), epochSeconds(row.startTimestamp) },
        { QStringLiteral("endedAtEpoch"), epochSeconds(row.endTimestamp) },
        { QStringLiteral("sessionNumber"), row.sessionNumber },
        { QStringLiteral("title"), row.title },
        { QStringLiteral("activeSeconds"), row.activeSeconds },
        { QStringLiteral("targetSeconds"), row.targetSeconds },
        { QStringLiteral("completed"), row.completed },
        { QStringLiteral("notes"), row.notes },
    };
}
