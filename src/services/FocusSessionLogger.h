#pragma once

#include "CsvLogFile.h"
#include "models/FocusSessionLogEntry.h"
#include "models/NotesTimelineEntry.h"
#include "models/Result.h"

#include <QHash>
#include <QList>
#include <QString>
#include <optional>

// The focus log: one row per ended focus round. Nothing is cached; every query reads the file again,
// so changes made by other programs are seen at once.
class FocusSessionLogger
{
public:
    // Completed rounds of one day and their active seconds.
    struct DayMetrics
    {
        qint64 sessions = 0;
        qint64 activeSeconds = 0;

        friend bool operator==(const DayMetrics &, const DayMetrics &) = default;
    };

    // Converts a file of an older layout and creates a missing one with its header; never fails.
    explicit FocusSessionLogger(QString filePath);

    const QString &filePath() const { return m_file.filePath(); }
    static QString header();

    Status append(const FocusSessionLogEntry &entry) const;

    // Sets the title (when given) and the notes of every row with this event id.
    Status updateEntry(
        const QString &eventID, const std::optional<QString> &title, const QString &notes) const;

    // Completed rounds per "yyyy-MM-dd" day of their end.
    QHash<QString, DayMetrics> dailyMetrics() const;

    // Every readable row, in file order.
    QList<NotesTimelineEntry> timelineEntries() const;

private:
    CsvLogFile m_file;
};
