#pragma once

#include "core/ActivityLogEntry.h"
#include "core/NotesTimelineEntry.h"
#include "core/Result.h"
#include "storage/CsvLogFile.h"

#include <QDate>
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
    // Prepares the file for use (see CsvLogFile::prepare); `today` dates a backup made on the way.
    // Never fails.
    explicit CSVLogger(QString filePath, QDate today = QDate::currentDate());

    const QString &filePath() const { return m_file.filePath(); }
    const CsvLogFile &file() const { return m_file; }
    static QString header();

    Status append(const ActivityLogEntry &entry) const;

    // Sets the given texts and score and always the notes of every row with this event id, then
    // recomputes every row's daily total as the running sum of its day in file order. `today` dates a
    // backup of a file that the rewrite would change elsewhere.
    Status updateEntry(const QString &eventID, const std::optional<QString> &sessionTitle,
        const std::optional<QString> &activityTitle, std::optional<qint64> healthScore, const QString &notes,
        QDate today = QDate::currentDate()) const;

    // The summed health scores of the local calendar day that holds `now`.
    qint64 todayTotal(const QDateTime &now) const;

    // Summed health scores per "yyyy-MM-dd" day.
    QHash<QString, qint64> dailyHealthScores() const;

    // Every readable row, in file order.
    QList<NotesTimelineEntry> timelineEntries() const;

    // Rows after the header that neither the journal nor the statistics can read; they stay in the
    // file as they are.
    qsizetype unreadableRowCount() const;

private:
    CsvLogFile m_file;
};
