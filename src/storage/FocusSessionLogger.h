#pragma once

#include "core/FocusSessionLogEntry.h"
#include "core/NotesTimelineEntry.h"
#include "core/Result.h"
#include "storage/CsvLogFile.h"

#include <QDate>
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

    // Prepares the file for use (see CsvLogFile::prepare); `today` dates a backup made on the way.
    // Never fails.
    explicit FocusSessionLogger(QString filePath, QDate today = QDate::currentDate());

    const QString &filePath() const { return m_file.filePath(); }
    const CsvLogFile &file() const { return m_file; }
    static QString header();

    Status append(const FocusSessionLogEntry &entry) const;

    // Sets the title (when given) and the notes of every row with this event id. `today` dates a
    // backup of a file that the rewrite would change elsewhere.
    Status updateEntry(const QString &eventID, const std::optional<QString> &title, const QString &notes,
        QDate today = QDate::currentDate()) const;

    // Completed rounds per "yyyy-MM-dd" day of their end, of the rows the journal shows.
    QHash<QString, DayMetrics> dailyMetrics() const;

    // Every readable row, in file order.
    QList<NotesTimelineEntry> timelineEntries() const;

    // Rows after the header that neither the journal nor the statistics can read; they stay in the
    // file as they are.
    qsizetype unreadableRowCount() const;

private:
    CsvLogFile m_file;
};
