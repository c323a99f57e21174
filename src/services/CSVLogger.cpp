#include "CSVLogger.h"

#include "CsvNumber.h"
#include "models/CsvDate.h"

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

} // namespace

CSVLogger::CSVLogger(QString filePath)
    : m_file(std::move(filePath), header(), columnCount)
{
    m_file.prepare(convertLegacyRow);
}

QString CSVLogger::header()
{
    return QStringLiteral("event_id,start_timestamp,end_timestamp,date,session_number,session_title,activity,"
                          "health_score,base_weight,effective_weight,daily_total,notes");
}

Status CSVLogger::append(const ActivityLogEntry &entry) const
{
    return m_file.append({
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
    });
}

Status CSVLogger::updateEntry(const QString &eventID, const std::optional<QString> &sessionTitle,
    const std::optional<QString> &activityTitle, std::optional<qint64> healthScore,
    const QString &notes) const
{
    QHash<QString, qint64> runningTotals;
    return m_file.rewriteRows([&](QStringList &fields) {
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
    });
}

qint64 CSVLogger::todayTotal(const QDateTime &now) const
{
    const QString today = CsvDate::day(now);
    qint64 total = 0;
    m_file.forEachDataRow([&](std::span<const QStringView> fields) {
        if (fields.size() >= columnCount && fields[dateColumn] == today)
            total = CsvNumber::saturatingAdd(total, CsvNumber::integerOrZero(fields[healthScoreColumn]));
    });
    return total;
}

QHash<QString, qint64> CSVLogger::dailyHealthScores() const
{
    QHash<QString, qint64> scores;
    // Rows of one day are usually adjacent, so the last day's entry saves most look-ups.
    QString lastDay;
    qint64 *lastScore = nullptr;
    m_file.forEachDataRow([&](std::span<const QStringView> fields) {
        if (fields.size() < columnCount)
            return;
        const QStringView day = fields[dateColumn];
        if (!lastScore || day != lastDay) {
            lastDay = day.toString();
            lastScore = &scores[lastDay];
        }
        *lastScore
            = CsvNumber::saturatingAdd(*lastScore, CsvNumber::integerOrZero(fields[healthScoreColumn]));
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
        if (fields.size() < columnCount)
            return;
        const std::optional<QDateTime> start = CsvDate::parseTimestamp(fields[1]);
        const std::optional<QDateTime> end = CsvDate::parseTimestamp(fields[2]);
        if (!start || !end)
            return;
        entries.append(NotesTimelineEntry {
            fields[0].toString(),
            NotesTimelineKind::breakActivity(CsvNumber::integerOrZero(fields[healthScoreColumn])),
            *start,
            *end,
            CsvNumber::integerOrZero(fields[4]),
            titles(fields[sessionTitleColumn]),
            activities(fields[activityColumn]),
            notes(fields[notesColumn]),
        });
    });
    return entries;
}
