#include "storage/FocusSessionLogger.h"

#include "core/CsvDate.h"
#include "storage/CsvNumber.h"
#include "storage/LogRowTimes.h"

namespace {

constexpr qsizetype columnCount = 10;
constexpr qsizetype titleColumn = 5;
constexpr qsizetype completedColumn = 8;
constexpr qsizetype notesColumn = 9;

// Active seconds beyond this are not a real round; such a legacy row gets no earlier start.
constexpr qint64 longestPlausibleRound = qint64(100) * 366 * 24 * 3600;

QString legacyStartText(const QDateTime &end, QStringView activeSecondsText)
{
    const qint64 activeSeconds = CsvNumber::integerOrZero(activeSecondsText);
    if (activeSeconds > longestPlausibleRound || activeSeconds < -longestPlausibleRound)
        return CsvDate::timestamp(end);
    return CsvDate::timestamp(end.addSecs(-activeSeconds));
}

std::optional<QStringList> convertLegacyRow(QStringList fields, qint64 number)
{
    if (fields.size() >= columnCount) {
        fields.resize(columnCount);
        return fields;
    }
    if (fields.size() == columnCount - 1) {
        fields.insert(titleColumn, QString());
        return fields;
    }
    if (fields.size() < 5)
        return std::nullopt;
    // The oldest layout: end, date, session number, active seconds, target seconds.
    const std::optional<QDateTime> end = CsvDate::parseTimestamp(fields[0]);
    if (!end)
        return std::nullopt;
    return QStringList {
        QStringLiteral("legacy-focus-") + QString::number(number) + u'-' + fields[0],
        legacyStartText(*end, fields[3]),
        fields[0],
        fields[1],
        fields[2],
        QString(),
        fields[3],
        fields[4],
        QStringLiteral("true"),
        QString(),
    };
}

// What the readers take from a readable row; the texts are views into the row.
struct ReadRound
{
    QStringView id;
    LogRowTimes times;
    qint64 sessionNumber = 0;
    QStringView title;
    qint64 activeSeconds = 0;
    bool completed = false;
    QStringView notes;
};

std::optional<ReadRound> readRound(std::span<const QStringView> fields)
{
    const std::optional<LogRowTimes> times = LogRowTimes::of(fields, columnCount);
    if (!times)
        return std::nullopt;
    return ReadRound { fields[0], *times, CsvNumber::integerOrZero(fields[4]), fields[titleColumn],
        CsvNumber::integerOrZero(fields[6]), CsvNumber::isTrue(fields[completedColumn]),
        fields[notesColumn] };
}

} // namespace

FocusSessionLogger::FocusSessionLogger(QString filePath, QDate today)
    : m_file(std::move(filePath), header(), convertLegacyRow)
{
    m_file.prepare(today);
}

QString FocusSessionLogger::header()
{
    return QStringLiteral("event_id,start_timestamp,end_timestamp,date,session_number,session_title,"
                          "active_seconds,target_seconds,completed,notes");
}

Status FocusSessionLogger::append(const FocusSessionLogEntry &entry) const
{
    return m_file.append(
        {
            entry.eventID,
            CsvDate::timestamp(entry.startTimestamp),
            CsvDate::timestamp(entry.endTimestamp),
            CsvDate::day(entry.endTimestamp),
            QString::number(entry.sessionNumber),
            entry.title,
            QString::number(entry.activeSeconds),
            QString::number(entry.targetSeconds),
            entry.completed ? QStringLiteral("true") : QStringLiteral("false"),
            entry.notes,
        },
        CsvDate::localDay(entry.endTimestamp));
}

Status FocusSessionLogger::updateEntry(
    const QString &eventID, const std::optional<QString> &title, const QString &notes, QDate today) const
{
    return m_file.rewriteRows(
        [&](QStringList &fields) {
            if (fields[0] != eventID)
                return false;
            if (title)
                fields[titleColumn] = *title;
            fields[notesColumn] = notes;
            return true;
        },
        today);
}

QHash<QString, FocusSessionLogger::DayMetrics> FocusSessionLogger::dailyMetrics() const
{
    QHash<QString, DayMetrics> metrics;
    // Rows of one day are usually adjacent, so the last day's entry saves most look-ups.
    QDate lastDay;
    DayMetrics *lastMetrics = nullptr;
    m_file.forEachDataRow([&](std::span<const QStringView> fields) {
        const std::optional<ReadRound> round = readRound(fields);
        if (!round || !round->completed)
            return;
        if (!lastMetrics || round->times.day != lastDay) {
            lastDay = round->times.day;
            lastMetrics = &metrics[CsvDate::day(lastDay)];
        }
        lastMetrics->sessions = CsvNumber::saturatingAdd(lastMetrics->sessions, 1);
        lastMetrics->activeSeconds
            = CsvNumber::saturatingAdd(lastMetrics->activeSeconds, round->activeSeconds);
    });
    return metrics;
}

QList<NotesTimelineEntry> FocusSessionLogger::timelineEntries() const
{
    QList<NotesTimelineEntry> entries;
    CSVCodec::RepeatedText titles;
    CSVCodec::RepeatedText notes;
    m_file.forEachDataRow([&](std::span<const QStringView> fields) {
        const std::optional<ReadRound> round = readRound(fields);
        if (!round)
            return;
        entries.append(NotesTimelineEntry {
            round->id.toString(),
            NotesTimelineKind::focus(round->completed),
            round->times.start,
            round->times.end,
            round->sessionNumber,
            titles(round->title),
            std::nullopt,
            notes(round->notes),
        });
    });
    return entries;
}

qsizetype FocusSessionLogger::unreadableRowCount() const
{
    return m_file.unreadableRowCount(columnCount);
}
