#include "FocusSessionLogger.h"

#include "CsvNumber.h"
#include "models/CsvDate.h"

namespace {

constexpr qsizetype columnCount = 10;
constexpr qsizetype titleColumn = 5;
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

} // namespace

FocusSessionLogger::FocusSessionLogger(QString filePath)
    : m_file(std::move(filePath), header(), columnCount)
{
    m_file.prepare(convertLegacyRow);
}

QString FocusSessionLogger::header()
{
    return QStringLiteral("event_id,start_timestamp,end_timestamp,date,session_number,session_title,"
                          "active_seconds,target_seconds,completed,notes");
}

Status FocusSessionLogger::append(const FocusSessionLogEntry &entry) const
{
    return m_file.append({
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
    });
}

Status FocusSessionLogger::updateEntry(
    const QString &eventID, const std::optional<QString> &title, const QString &notes) const
{
    return m_file.rewriteRows([&](QStringList &fields) {
        if (fields[0] != eventID)
            return false;
        if (title)
            fields[titleColumn] = *title;
        fields[notesColumn] = notes;
        return true;
    });
}

QHash<QString, FocusSessionLogger::DayMetrics> FocusSessionLogger::dailyMetrics() const
{
    QHash<QString, DayMetrics> metrics;
    // Rows of one day are usually adjacent, so the last day's entry saves most look-ups.
    QString lastDay;
    DayMetrics *lastMetrics = nullptr;
    m_file.forEachDataRow([&](std::span<const QStringView> fields) {
        if (fields.size() < columnCount || fields[8] != u"true")
            return;
        const QStringView day = fields[3];
        if (!lastMetrics || day != lastDay) {
            lastDay = day.toString();
            lastMetrics = &metrics[lastDay];
        }
        lastMetrics->sessions = CsvNumber::saturatingAdd(lastMetrics->sessions, 1);
        lastMetrics->activeSeconds
            = CsvNumber::saturatingAdd(lastMetrics->activeSeconds, CsvNumber::integerOrZero(fields[6]));
    });
    return metrics;
}

QList<NotesTimelineEntry> FocusSessionLogger::timelineEntries() const
{
    QList<NotesTimelineEntry> entries;
    CSVCodec::RepeatedText titles;
    CSVCodec::RepeatedText notes;
    m_file.forEachDataRow([&](std::span<const QStringView> fields) {
        if (fields.size() < columnCount)
            return;
        const std::optional<QDateTime> start = CsvDate::parseTimestamp(fields[1]);
        const std::optional<QDateTime> end = CsvDate::parseTimestamp(fields[2]);
        if (!start || !end)
            return;
        entries.append(NotesTimelineEntry {
            fields[0].toString(),
            NotesTimelineKind::focus(fields[8] == u"true"),
            *start,
            *end,
            CsvNumber::integerOrZero(fields[4]),
            titles(fields[titleColumn]),
            std::nullopt,
            notes(fields[notesColumn]),
        });
    });
    return entries;
}
