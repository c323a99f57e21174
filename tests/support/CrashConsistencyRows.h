#pragma once

#include "core/ActivityLogEntry.h"
#include "core/FocusSessionLogEntry.h"

#include <QRandomGenerator>
#include <QString>
#include <QTimeZone>

// What the crash-consistency child writes as row `number` of run `run`. Everything follows from
// those two numbers, so the test knows what every row the child reported must hold.
namespace CrashConsistencyRows {

inline QString eventID(QLatin1StringView kind, qint64 run, qint64 number)
{
    return QStringLiteral("%1-%2-%3").arg(kind).arg(run).arg(number);
}

// Notes with every character that the dialect quotes and with three-byte characters; mostly short,
// now and then many memory pages long, so that a kill can stop the write in the middle of a row
// and even in the middle of a character.
inline QString notes(qint64 run, qint64 number)
{
    QRandomGenerator random(quint32(run * 7919 + number));
    const bool isLong = random.bounded(8) == 0;
    const int repeats = isLong ? random.bounded(150, 400) : random.bounded(0, 8);
    QString text = QString::number(number) + u' ';
    for (int i = 0; i < repeats; ++i)
        text += QStringLiteral("专注, \"quoted\"\nline\r\n");
    return text;
}

inline QString updatedNotes(const QString &eventID)
{
    return QStringLiteral("updated, \"again\" ") + eventID;
}

inline QString title(qint64 run, qint64 number)
{
    return QStringLiteral("round %1 of run %2, \"crash\"").arg(number).arg(run);
}

inline QDateTime startOf(qint64 run, qint64 number)
{
    return QDateTime(QDate(2024, 5, 1), QTime(8, 0), QTimeZone::utc()).addSecs(run * 86'400 + number * 60);
}

inline FocusSessionLogEntry focusEntry(qint64 run, qint64 number)
{
    return { eventID(QLatin1StringView("focus"), run, number), startOf(run, number),
        startOf(run, number).addSecs(1500), number, title(run, number), 1500, 1500, true,
        notes(run, number) };
}

inline ActivityLogEntry activityEntry(qint64 run, qint64 number)
{
    return { eventID(QLatin1StringView("activity"), run, number), startOf(run, number).addSecs(1500),
        startOf(run, number).addSecs(1800), number, title(run, number),
        WheelItem { QUuid(), QStringLiteral("walk, \"slowly\""), 16, 12, QStringLiteral("figure.walk") },
        10.4, 12, notes(run, number) };
}

} // namespace CrashConsistencyRows
