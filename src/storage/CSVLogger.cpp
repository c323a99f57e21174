#include "storage/CSVLogger.h"

#include "core/CsvDate.h"
#include "storage/CsvNumber.h"
#include "storage/LogRowTimes.h"

namespace {

constexpr qsizetype columnCount = 12;
constexpr qsizetype dateColumn = 3;
constexpr qsizetype sessionTitleColumn = 5;
constexpr qsizetype activityColumn = 6;
constexpr qsizetype healthScoreColumn = 7;
constexpr qsizetype dailyTotalColumn = 10;
constexpr qsizetype notesColumn = 11;

std::optional<QStringList> convertLegacyRow(QStringList fields, qint64 number)
{
    if (fields.size() >= columnCount) {
        fields.resize(columnCount);
        return fields;
    }
    if (fields.size() == columnCount - 1) {
        fields.insert(sessionTitleColumn, QString());
        return fields;
    }
    if (fields.size() < 8)
        return std::nullopt;
    // The oldest layout: timestamp, date, session number, activity, health score, base weight,
    // effective weight, daily total. Its timestamp is kept as written, parsable or not.
    return QStringList {
        QStringLiteral("legacy-break-") + QString::number(number) + u'-' + fields[0],
        fields[0],
        fields[0],
        fields[1],
        fields[2],
        QString(),
        fields[3],
        fields[4],
        fields[5],
        fields[6],
        fields[7],
        QString(),
    };
}

// What the readers take from a readable row; the texts are views into the row.
struct ReadBreak
{
    QStringView id;
    LogRowTimes times;
    qint64 sessionNumber = 0;
    QStringView sessionTitle;
    QStringView activity;
    qint64 healthScore = 0;
    QStringView notes;
};

std::optional<ReadBreak> readBreak(std::span<const QStringView> fields)
{
    const std::optional<LogRowTimes> times = LogRowTimes::of(fields, columnCount);
    if (!times)
        return std::nullopt;
    return ReadBreak { fields[0], *times, CsvNumber::integerOrZero(fields[4]), fields[sessionTitleColumn],
        fields[activityColumn], CsvNumber::integerOrZero(fields[healthScoreColumn]), fields[notesColumn] };
}

} // namespace

CSVLogger::CSVLogger(QString filePath, QDate today)
    : m_file(std::move(filePath), header(), convertLegacyRow)
{
    m_file.prepare(today);
}

QString CSVLogger::header()
{
    return QStringLiteral("event_id,start_timestamp,end_timestamp,date,session_number,session_title,activity,"
                          "health_score,base_weight,effective_weight,daily_total,notes");
}

Status CSVLogger::append(const ActivityLogEntry &entry) const
{
    return m_file.append(
        {
            entry.eventID,
            CsvDate::timestamp(entry.startTimestamp),
            CsvDate::timestamp(entry.timestamp),
            CsvDate::day(entry.timestamp),
            QString::number(entry.sessionNumber),
            entry.sessionTitle,
            entry.item.title,
            QString::number(entry.item.healthScore),
            CsvNumber::real(entry.item.weight),
            CsvNumber::real(entry.effectiveWeight),
            QString::number(entry.dailyTotal),
            entry.notes,
        },
        CsvDate::localDay(entry.timestamp));
}

Status CSVLogger::updateEntry(const QString &eventID, const std::optional<QString> &sessionTitle,
    const std::optional<QString> &activityTitle, std::optional<qint64> healthScore, const QString &notes,
    QDate today) const
{
    QHash<QString, qint64> runningTotals;
    return m_file.rewriteRows(
        [&](QStringList &fields) {
            if (fields[0] == eventID) {
                if (sessionTitle)
                    fields[sessionTitleColumn] = *sessionTitle;
                if (activityTitle)
                    fields[activityColumn] = *activityTitle;
                if (healthScore)
                    fields[healthScoreColumn] = QString::number(*healthScore);
                fields[notesColumn] = notes;
            }
            qint64 &total = runningTotals[fields[dateColumn]];
            total = CsvNumber::saturatingAdd(total, CsvNumber::integerOrZero(fields[healthScoreColumn]));
            fields[dailyTotalColumn] = QString::number(total);
            return true;
        },
        today);
}

qint64 CSVLogger::todayTotal(const QDateTime &now) const
{
    const QDate today = CsvDate::localDay(now);
    qint64 total = 0;
    m_file.forEachDataRow([&](std::span<const QStringView> fields) {
        if (const std::optional<ReadBreak> read = readBreak(fields); read && read->times.day == today)
            total = CsvNumber::saturatingAdd(total, read->healthScore);
    });
    return total;
}

QHash<QString, qint64> CSVLogger::dailyHealthScores() const
{
    QHash<QString, qint64> scores;
    // Rows of one day are usually adjacent, so the last day's entry saves most look-ups.
    QDate lastDay;
    qint64 *lastScore = nullptr;
    m_file.forEachDataRow([&](std::span<const QStringView> fields) {
        const std::optional<ReadBreak> read = readBreak(fields);
        if (!read)
            return;
        if (!lastScore || read->times.day != lastDay) {
            lastDay = read->times.day;
            lastScore = &scores[CsvDate::day(lastDay)];
        }
        *lastScore = CsvNumber::saturatingAdd(*lastScore, read->healthScore);
    });
    return scores;
}

QList<NotesTimelineEntry> CSVLogger::timelineEntries() const
{
    QList<NotesTimelineEntry> entries;
    CSVCodec::RepeatedText titles;
    CSVCodec::RepeatedText activities;
    CSVCodec::RepeatedText notes;
    m_file.forEachDataRow([&](std::span<const QStringView> fields) {
        const std::optional<ReadBreak> read = readBreak(fields);
        if (!read)
            return;
        entries.append(NotesTimelineEntry {
            read->id.toString(),
            NotesTimelineKind::breakActivity(read->healthScore),
            read->times.start,
            read->times.end,
            read->sessionNumber,
            titles(read->sessionTitle),
            activities(read->activity),
            notes(read->notes),
        });
    });
    return entries;
}

qsizetype CSVLogger::unreadableRowCount() const
{
    return m_file.unreadableRowCount(columnCount);
}
