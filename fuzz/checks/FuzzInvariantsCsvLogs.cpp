#include "FuzzInvariants.h"
#include "FuzzSupport.h"
#include "InvariantCheck.h"
#include "core/CsvDate.h"
#include "storage/CSVCodec.h"
#include "storage/CSVLogger.h"
#include "storage/CsvNumber.h"
#include "storage/DailyStatsRepository.h"
#include "storage/FocusSessionLogger.h"
#include "storage/NotesTimelineRepository.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <functional>

namespace FuzzInvariants {

namespace {

using FuzzSupport::fileBytes;
using FuzzSupport::writeFile;

constexpr qsizetype activityColumns = 12;
constexpr qsizetype focusColumns = 10;

// Texts that need every rule of the dialect when written back.
const QString trickyNotes = QStringLiteral("a, \"quoted\" note\nover lines\r\nwith 中文 and \u00e9");
const QString trickyTitle = QStringLiteral("title, \"with\" commas");

// Well-formed UTF-8 as Unicode defines it: no overlong forms, no surrogates, nothing above U+10FFFF
// and no sequence cut off.
bool isUtf8(QByteArrayView bytes)
{
    qsizetype i = 0;
    const auto byteAt = [&bytes](qsizetype index) { return quint8(bytes[index]); };
    while (i < bytes.size()) {
        const quint8 lead = byteAt(i);
        qsizetype length = 0;
        quint8 low = 0x80;
        quint8 high = 0xBF;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        } else {
            return false;
        }
        if (i + length > bytes.size() || byteAt(i + 1) < low || byteAt(i + 1) > high)
            return false;
        for (qsizetype k = 2; k < length; ++k) {
            if (byteAt(i + k) < 0x80 || byteAt(i + k) > 0xBF)
                return false;
        }
        i += length;
    }
    return true;
}

// Whether the bytes begin a UTF-8 sequence without completing it.
bool isCutOffSequence(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return false;
    const auto lead = quint8(bytes[0]);
    const qsizetype needed = lead >= 0xC2 && lead <= 0xDF ? 2
        : lead >= 0xE0 && lead <= 0xEF                    ? 3
        : lead >= 0xF0 && lead <= 0xF4                    ? 4
                                                          : 0;
    if (bytes.size() >= needed)
        return false;
    const quint8 low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    const quint8 high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    for (qsizetype i = 1; i < bytes.size(); ++i) {
        const auto byte = quint8(bytes[i]);
        if (byte < (i == 1 ? low : 0x80) || byte > (i == 1 ? high : 0xBF))
            return false;
    }
    return true;
}

// The bytes that the program reads and that an append keeps: all, unless they are UTF-8 but for a
// character that a killed append cut off at the end.
QByteArray readBytes(const QByteArray &bytes)
{
    for (qsizetype cut = 1; cut < 4 && cut <= bytes.size(); ++cut) {
        if (isCutOffSequence(QByteArrayView(bytes).last(cut)) && isUtf8(QByteArrayView(bytes).chopped(cut)))
            return bytes.chopped(cut);
    }
    return bytes;
}

bool isReadable(const QByteArray &bytes)
{
    return isUtf8(readBytes(bytes));
}

QStringList recordsOf(const QByteArray &bytes)
{
    return CSVCodec::records(QString::fromUtf8(bytes));
}

bool endsInsideQuotes(const QString &record)
{
    return record.count(u'"') % 2 != 0;
}

// A choice among `count` things taken from the input, the same on every machine (FNV-1a).
qsizetype pick(QByteArrayView input, qsizetype count, quint64 salt)
{
    quint64 hash = 14695981039346656037ull ^ salt;
    for (const char byte : input)
        hash = (hash ^ quint8(byte)) * 1099511628211ull;
    return count <= 0 ? 0 : qsizetype(hash % quint64(count));
}

// The rows of the current layout among the records after the first, as start-up must keep them.
QList<QStringList> currentLayoutRows(const QStringList &records, qsizetype columnCount)
{
    QList<QStringList> rows;
    for (qsizetype i = 1; i < records.size(); ++i) {
        QStringList fields = CSVCodec::parseLine(records[i]);
        if (fields.size() >= columnCount) {
            fields.resize(columnCount);
            rows.append(fields);
        }
    }
    return rows;
}

bool isSubsequence(const QList<QStringList> &wanted, const QList<QStringList> &rows)
{
    qsizetype next = 0;
    for (const QStringList &row : rows) {
        if (next < wanted.size() && row == wanted[next])
            ++next;
    }
    return next == wanted.size();
}

// Whether some file of the folder other than the log holds exactly these bytes: a backup or a file
// moved aside.
bool keptBeside(const QString &path, const QByteArray &bytes)
{
    const QFileInfo log(path);
    for (const QFileInfo &other : log.dir().entryInfoList(QDir::Files)) {
        if (other.fileName() != log.fileName() && fileBytes(other.filePath()) == bytes)
            return true;
    }
    return false;
}

bool hasRepeatedEventIDs(const QStringList &records, qsizetype columnCount)
{
    QSet<QString> ids;
    for (qsizetype i = 1; i < records.size(); ++i) {
        const QStringList fields = CSVCodec::parseLine(records[i]);
        if (fields.size() < columnCount)
            continue;
        if (ids.contains(fields[0]))
            return true;
        ids.insert(fields[0]);
    }
    return false;
}

// Start-up on the input: a missing header is added, an older layout converted, a current file left
// byte for byte as it was unless rows repeat an event id; whatever changes, the input's bytes are kept
// beside the log, and the log is UTF-8 afterwards.
template<typename Logger>
Status checkStartUp(QByteArrayView input, const QString &path, qsizetype columnCount)
{
    const QString header = Logger::header();
    {
        const Logger logger(path);
        const QByteArray prepared = fileBytes(path);
        const QStringList before = recordsOf(readBytes(input.toByteArray()));
        EXPECT_OR_FAIL(isReadable(prepared), prepared);
        const QStringList after = recordsOf(readBytes(prepared));
        EXPECT_OR_FAIL(!after.isEmpty() && after.first() == header, prepared);
        if (prepared != input && !before.isEmpty())
            EXPECT_OR_FAIL(keptBeside(path, input.toByteArray()), "the input's bytes were lost");
        if (!isReadable(input.toByteArray()))
            return {};
        if (before.isEmpty())
            EXPECT_OR_FAIL(prepared == header.toUtf8() + '\n', prepared);
        else if (before.first() == header && !hasRepeatedEventIDs(before, columnCount))
            EXPECT_OR_FAIL(prepared == input, "a current file was rewritten: " << prepared);
        else if (before.first() != header && CSVCodec::separatorOf(before.first()) == u',')
            EXPECT_OR_FAIL(
                isSubsequence(currentLayoutRows(before, columnCount), currentLayoutRows(after, columnCount)),
                "conversion lost rows: " << before << after);
    }
    const QByteArray prepared = fileBytes(path);
    const Logger again(path);
    EXPECT_OR_FAIL(fileBytes(path) == prepared, "a second start-up changed the file");
    return {};
}

// A rewrite keeps every record in its place; `expectedRow` says how the fields of each row after
// the header may change. The one exception is a last record cut off inside quotes, which is copied
// raw and so gains the line feed that ends the rewritten file.
Status checkRewrite(const QStringList &before, const QStringList &after,
    const std::function<QStringList(const QStringList &)> &expectedRow)
{
    EXPECT_OR_FAIL(before.size() == after.size(), before << after);
    if (before.isEmpty())
        return {};
    EXPECT_OR_FAIL(before.first() == after.first(), before.first() << after.first());
    for (qsizetype i = 1; i < before.size(); ++i) {
        const QStringList expected = expectedRow(CSVCodec::parseLine(before[i]));
        const QStringList actual = CSVCodec::parseLine(after[i]);
        if (actual == expected)
            continue;
        QStringList grown = expected;
        grown.last() += u'\n';
        EXPECT_OR_FAIL(i == before.size() - 1 && endsInsideQuotes(before[i]) && actual == grown,
            "row " << i << ": " << expected << actual);
    }
    return {};
}

// An append adds exactly one record after the existing ones, whatever the file ended with. Only a
// character that a killed append cut off in the middle of an otherwise readable file is dropped.
Status checkAppend(const QByteArray &original, const QByteArray &after, const QStringList &fields)
{
    const QByteArray before = readBytes(original);
    EXPECT_OR_FAIL(after.startsWith(before), "an append changed earlier bytes");
    if (!isUtf8(before))
        return {};
    EXPECT_OR_FAIL(isUtf8(after), "the append left the file unreadable: " << after);
    const QStringList oldRecords = recordsOf(before);
    const QStringList newRecords = recordsOf(after);
    EXPECT_OR_FAIL(newRecords.size() == oldRecords.size() + 1, oldRecords << newRecords);
    EXPECT_OR_FAIL(CSVCodec::parseLine(newRecords.last()) == fields, newRecords.last() << fields);
    for (qsizetype i = 0; i + 1 < oldRecords.size(); ++i)
        EXPECT_OR_FAIL(oldRecords[i] == newRecords[i], oldRecords[i] << newRecords[i]);
    return {};
}

struct TimelineRow
{
    QString id;
    QString title;
    QString notes;

    friend bool operator==(const TimelineRow &, const TimelineRow &) = default;
};

QDebug operator<<(QDebug debug, const TimelineRow &row)
{
    return debug << row.id << row.title << row.notes;
}

// The rows that the journal and the statistics read alike: every column there and both times readable.
bool isReadableRow(const QStringList &fields, qsizetype columnCount)
{
    return fields.size() >= columnCount && CsvDate::parseTimestamp(fields[1])
        && CsvDate::parseTimestamp(fields[2]);
}

// The day a readable row counts for: its date column, or the day of its end when that is not a date.
QString dayOf(const QStringList &fields)
{
    return CsvDate::parseDay(fields[3]) ? fields[3] : CsvDate::day(*CsvDate::parseTimestamp(fields[2]));
}

QList<TimelineRow> expectedTimeline(const QStringList &records, qsizetype columnCount, qsizetype titleColumn)
{
    QList<TimelineRow> rows;
    for (qsizetype i = 1; i < records.size(); ++i) {
        const QStringList fields = CSVCodec::parseLine(records[i]);
        if (isReadableRow(fields, columnCount))
            rows.append({ fields[0], fields[titleColumn], fields[columnCount - 1] });
    }
    return rows;
}

QList<TimelineRow> actualTimeline(const QList<NotesTimelineEntry> &entries)
{
    QList<TimelineRow> rows;
    for (const NotesTimelineEntry &entry : entries)
        rows.append({ entry.id, entry.title, entry.notes });
    return rows;
}

// The event id of one of the full rows, or one that no row has.
QString chosenEventID(QByteArrayView input, const QStringList &records, qsizetype columnCount)
{
    QStringList ids;
    for (qsizetype i = 1; i < records.size(); ++i) {
        const QStringList fields = CSVCodec::parseLine(records[i]);
        if (fields.size() >= columnCount)
            ids.append(fields[0]);
    }
    if (ids.isEmpty())
        return QStringLiteral("no-such-event");
    return ids[pick(input, ids.size(), 1)];
}

// Noon of the day in the first full row's date column, so that "today" meets real rows.
QDateTime chosenNow(const QStringList &records, qsizetype columnCount)
{
    for (qsizetype i = 1; i < records.size(); ++i) {
        const QStringList fields = CSVCodec::parseLine(records[i]);
        if (fields.size() < columnCount)
            continue;
        if (const std::optional<QDate> day = CsvDate::parseDay(fields[3]))
            return QDateTime(*day, QTime(12, 0), Qt::LocalTime);
    }
    return QDateTime(QDate(2024, 3, 31), QTime(12, 0), Qt::LocalTime);
}

Status checkActivityReaders(const CSVLogger &logger, const QStringList &records, const QDateTime &now)
{
    QHash<QString, qint64> scores;
    for (qsizetype i = 1; i < records.size(); ++i) {
        const QStringList fields = CSVCodec::parseLine(records[i]);
        if (isReadableRow(fields, activityColumns)) {
            qint64 &score = scores[dayOf(fields)];
            score = CsvNumber::saturatingAdd(score, CsvNumber::integerOrZero(fields[7]));
        }
    }
    EXPECT_OR_FAIL(logger.dailyHealthScores() == scores, logger.dailyHealthScores() << scores);
    EXPECT_OR_FAIL(logger.todayTotal(now) == scores.value(CsvDate::day(now)), now);
    const QList<TimelineRow> timeline = actualTimeline(logger.timelineEntries());
    EXPECT_OR_FAIL(timeline == expectedTimeline(records, activityColumns, 5), timeline);
    return {};
}

Status checkFocusReaders(const FocusSessionLogger &logger, const QStringList &records)
{
    QHash<QString, FocusSessionLogger::DayMetrics> metrics;
    for (qsizetype i = 1; i < records.size(); ++i) {
        const QStringList fields = CSVCodec::parseLine(records[i]);
        if (isReadableRow(fields, focusColumns) && CsvNumber::isTrue(fields[8])) {
            FocusSessionLogger::DayMetrics &day = metrics[dayOf(fields)];
            day.sessions = CsvNumber::saturatingAdd(day.sessions, 1);
            day.activeSeconds
                = CsvNumber::saturatingAdd(day.activeSeconds, CsvNumber::integerOrZero(fields[6]));
        }
    }
    EXPECT_OR_FAIL(logger.dailyMetrics() == metrics, "daily metrics differ");
    const QList<TimelineRow> timeline = actualTimeline(logger.timelineEntries());
    EXPECT_OR_FAIL(timeline == expectedTimeline(records, focusColumns, 5), timeline);
    return {};
}

Status checkActivityLog(QByteArrayView input, const QString &path)
{
    RETURN_IF_FAILED(checkStartUp<CSVLogger>(input, path, activityColumns));
    const CSVLogger logger(path);
    const QByteArray prepared = fileBytes(path);
    const bool readable = isReadable(prepared);
    const QStringList records = readable ? recordsOf(readBytes(prepared)) : QStringList();
    const QDateTime now = chosenNow(records, activityColumns);
    RETURN_IF_FAILED(checkActivityReaders(logger, records, now));

    const QString eventID = chosenEventID(input, records, activityColumns);
    const std::optional<QString> sessionTitle
        = pick(input, 2, 2) ? std::optional<QString>(trickyTitle) : std::nullopt;
    const std::optional<QString> activityTitle
        = pick(input, 2, 3) ? std::optional<QString>(QStringLiteral("walk")) : std::nullopt;
    const std::optional<qint64> healthScore = pick(input, 2, 4) ? std::optional<qint64>(-7) : std::nullopt;
    const Status updated = logger.updateEntry(eventID, sessionTitle, activityTitle, healthScore, trickyNotes);
    const QByteArray afterUpdate = fileBytes(path);
    // Start-up left the file readable; an update may only fail on a file moved aside meanwhile.
    if (readable) {
        EXPECT_OR_FAIL(updated, updated.error());
        EXPECT_OR_FAIL(isUtf8(afterUpdate), afterUpdate);
        QHash<QString, qint64> totals;
        RETURN_IF_FAILED(checkRewrite(records, recordsOf(afterUpdate), [&](QStringList fields) {
            if (fields.size() < activityColumns)
                return fields;
            if (fields[0] == eventID) {
                fields[5] = sessionTitle.value_or(fields[5]);
                fields[6] = activityTitle.value_or(fields[6]);
                if (healthScore)
                    fields[7] = QString::number(*healthScore);
                fields[11] = trickyNotes;
            }
            qint64 &total = totals[fields[3]];
            total = CsvNumber::saturatingAdd(total, CsvNumber::integerOrZero(fields[7]));
            fields[10] = QString::number(total);
            return fields;
        }));
        RETURN_IF_FAILED(checkActivityReaders(logger, recordsOf(afterUpdate), now));
    }

    const ActivityLogEntry entry { QStringLiteral("appended-break"),
        QDateTime(QDate(2024, 10, 27), QTime(1, 30), Qt::LocalTime),
        QDateTime(QDate(2024, 10, 27), QTime(2, 30), Qt::LocalTime), 3, trickyTitle,
        WheelItem { QUuid(), QStringLiteral("stretch, \"slowly\""), 14.5, 10, {} }, 0.25, 42, trickyNotes };
    EXPECT_OR_FAIL(logger.append(entry), "the append failed");
    const QStringList appended { entry.eventID, CsvDate::timestamp(entry.startTimestamp),
        CsvDate::timestamp(entry.timestamp), CsvDate::day(entry.timestamp), QStringLiteral("3"),
        entry.sessionTitle, entry.item.title, QStringLiteral("10"), QStringLiteral("14.500"),
        QStringLiteral("0.250"), QStringLiteral("42"), entry.notes };
    RETURN_IF_FAILED(checkAppend(afterUpdate, fileBytes(path), appended));
    return {};
}

Status checkFocusLog(QByteArrayView input, const QString &path)
{
    RETURN_IF_FAILED(checkStartUp<FocusSessionLogger>(input, path, focusColumns));
    const FocusSessionLogger logger(path);
    const QByteArray prepared = fileBytes(path);
    const bool readable = isReadable(prepared);
    const QStringList records = readable ? recordsOf(readBytes(prepared)) : QStringList();
    RETURN_IF_FAILED(checkFocusReaders(logger, records));

    const QString eventID = chosenEventID(input, records, focusColumns);
    const std::optional<QString> title
        = pick(input, 2, 5) ? std::optional<QString>(trickyTitle) : std::nullopt;
    const Status updated = logger.updateEntry(eventID, title, trickyNotes);
    const QByteArray afterUpdate = fileBytes(path);
    // Start-up left the file readable; an update may only fail on a file moved aside meanwhile.
    if (readable) {
        EXPECT_OR_FAIL(updated, updated.error());
        EXPECT_OR_FAIL(isUtf8(afterUpdate), afterUpdate);
        RETURN_IF_FAILED(checkRewrite(records, recordsOf(afterUpdate), [&](QStringList fields) {
            if (fields.size() >= focusColumns && fields[0] == eventID) {
                fields[5] = title.value_or(fields[5]);
                fields[9] = trickyNotes;
            }
            return fields;
        }));
        RETURN_IF_FAILED(checkFocusReaders(logger, recordsOf(afterUpdate)));
    }

    const FocusSessionLogEntry entry { QStringLiteral("appended-focus"),
        QDateTime(QDate(2024, 3, 31), QTime(1, 40), Qt::LocalTime),
        QDateTime(QDate(2024, 3, 31), QTime(3, 5), Qt::LocalTime), 2, trickyTitle, 1500, 1500, true,
        trickyNotes };
    EXPECT_OR_FAIL(logger.append(entry), "the append failed");
    const QStringList appended { entry.eventID, CsvDate::timestamp(entry.startTimestamp),
        CsvDate::timestamp(entry.endTimestamp), CsvDate::day(entry.endTimestamp), QStringLiteral("2"),
        entry.title, QStringLiteral("1500"), QStringLiteral("1500"), QStringLiteral("true"), entry.notes };
    RETURN_IF_FAILED(checkAppend(afterUpdate, fileBytes(path), appended));
    return {};
}

// Both logs together, as the journal and the statistics read them.
Status checkRepositories(const QString &focusPath, const QString &activityPath)
{
    const FocusSessionLogger focusLog(focusPath);
    const CSVLogger activityLog(activityPath);
    const QList<NotesTimelineEntry> merged = NotesTimelineRepository::allEntries(focusLog, activityLog);
    EXPECT_OR_FAIL(merged.size() == focusLog.timelineEntries().size() + activityLog.timelineEntries().size(),
        merged.size());
    for (qsizetype i = 1; i < merged.size(); ++i) {
        const QDateTime &earlier = merged[i - 1].startTimestamp;
        const QDateTime &later = merged[i].startTimestamp;
        EXPECT_OR_FAIL(earlier.toMSecsSinceEpoch() <= later.toMSecsSinceEpoch(), earlier << later);
    }
    const QDateTime now(QDate(2024, 3, 31), QTime(23, 59), Qt::LocalTime);
    EXPECT_OR_FAIL(DailyStatsRepository::recentDays(7, now, focusLog, activityLog).size() == 7, now);
    return {};
}

} // namespace

Status csvLogs(QByteArrayView input, const QString &folder)
{
    const QDir directory(folder);
    const QString activityPath = directory.filePath(QStringLiteral("daily-activity-log.csv"));
    const QString focusPath = directory.filePath(QStringLiteral("focus-session-log.csv"));
    // Backups are one a day: those of an earlier input would stand in for this one's.
    for (const QString &name : directory.entryList(QDir::Files))
        QFile::remove(directory.filePath(name));
    for (const QString &path : { activityPath, focusPath }) {
        EXPECT_OR_FAIL(writeFile(path, input), path);
    }
    RETURN_IF_FAILED(checkActivityLog(input, activityPath));
    RETURN_IF_FAILED(checkFocusLog(input, focusPath));
    RETURN_IF_FAILED(checkRepositories(focusPath, activityPath));
    return {};
}

} // namespace FuzzInvariants
