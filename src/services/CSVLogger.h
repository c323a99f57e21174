#pragma once

#include "CsvLogFile.h"
#include "models/ActivityLogEntry.h"
#include "models/NotesTimelineEntry.h"
#include "models/Result.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QString>
#include <optional>

// The activity log: one row per confirmed break activity. Nothing is cached; every query reads the
// file again.
class CSVLogger
{
public:
    // Converts a file of an older layout and creates a missing one with its header; never fails.
    explicit CSVLogger(QString filePath);

    const QString &filePath() const { return m_file.filePath(); }
    static QString header();

    Status append(const ActivityLogEntry &entry) const;

    // Sets the given texts and score and always the notes of every row with this event id, then
    // recomputes every row's daily total as the running sum of its day in file order.
    Status updateEntry(const QString &eventID, const std::optional<QString> &sessionTitle,
        const std::optional<QString> &activityTitle, std::optional<qint64> healthScore,
        const QString &notes) const;

    // The summed health scores of the local calendar day that holds `now`.
    qint64 todayTotal(const QDateTime &now) const;

    // Summed health scores per "yyyy-MM-dd" day.
    QHash<QString, qint64> dailyHealthScores() const;

    // Every readable row, in file order.
    QList<NotesTimelineEntry> timelineEntries() const;

private:
    CsvLogFile m_file;
};
