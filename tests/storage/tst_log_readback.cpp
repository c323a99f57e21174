#include "TestProgram.h"
#include "TestSupport.h"
#include "core/CsvDate.h"
#include "storage/CSVLogger.h"
#include "storage/DailyStatsRepository.h"
#include "storage/FocusSessionLogger.h"
#include "storage/LogFilesFingerprint.h"
#include "storage/NotesTimelineRepository.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTest>
#include <ctime>

namespace {

QDateTime utc(int year, int month, int day, int hour, int minute)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute), Qt::UTC);
}

// A focus-log row: id, start, end, the date column, completed flag and active seconds.
QString focusRow(const QString &id, const QString &start, const QString &end, const QString &day,
    const QString &completed, const QString &activeSeconds)
{
    return QStringList { id, start, end, day, QStringLiteral("1"), QStringLiteral("Title"), activeSeconds,
        QStringLiteral("1500"), completed, QStringLiteral("notes") }
        .join(u',');
}

// An activity-log row: id, start, end, the date column and the health score.
QString activityRow(
    const QString &id, const QString &start, const QString &end, const QString &day, const QString &score)
{
    return QStringList { id, start, end, day, QStringLiteral("2"), QStringLiteral("Break"),
        QStringLiteral("Stretch"), score, QStringLiteral("1.000"), QStringLiteral("1.000"), score, QString() }
        .join(u',');
}

QByteArray logText(const QString &header, const QStringList &rows)
{
    QString text = header + u'\n';
    for (const QString &row : rows)
        text += row + u'\n';
    return text.toUtf8();
}

// Both logs written from fixture rows, then opened the way the application opens them.
struct Logs
{
    explicit Logs(const QStringList &focusRows, const QStringList &activityRows)
    {
        writeFileBytes(focusPath(), logText(FocusSessionLogger::header(), focusRows));
        writeFileBytes(activityPath(), logText(CSVLogger::header(), activityRows));
    }

    QString focusPath() const { return home.filePath(QStringLiteral("focus-session-log.csv")); }
    QString activityPath() const { return home.filePath(QStringLiteral("daily-activity-log.csv")); }

    TemporaryDataHome home;
};

// "day:score:sessions:seconds", compact enough for a table.
QStringList summaries(const QList<DailyStat> &stats)
{
    QStringList made;
    for (const DailyStat &stat : stats)
        made.append(QStringLiteral("%1:%2:%3:%4")
                        .arg(stat.id())
                        .arg(stat.healthScore)
                        .arg(stat.completedSessions)
                        .arg(stat.activeSeconds));
    return made;
}

QStringList emptyDays(QDate last, int count)
{
    QStringList made;
    for (int offset = 1 - count; offset <= 0; ++offset)
        made.append(CsvDate::day(last.addDays(offset)) + QStringLiteral(":0:0:0"));
    return made;
}

bool appendBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::Append) && file.write(bytes) == bytes.size();
}

bool replaceAtomically(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit();
}

} // namespace

class LogReadbackTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void recentDays_data();
    void recentDays();
    void recentDaysStartEachDayAtLocalMidnight_data();
    void recentDaysStartEachDayAtLocalMidnight();
    void allEntries_data();
    void allEntries();
    void allEntriesCarryTheKindOfEachLog();
    void timestampsAndDaysAcrossClockChanges_data();
    void timestampsAndDaysAcrossClockChanges();
    void fingerprintOfUnchangedFilesIsEqual();
    void fingerprintNoticesChanges_data();
    void fingerprintNoticesChanges();
    void fingerprintOfMissingFileIsAllZeros();
    void fingerprintDescribesTheFileItself();
    void fingerprintDescribesASymbolicLinkItself();
    void fingerprintFollowsThePathOrder();
};

void LogReadbackTest::initTestCase()
{
    // Days are counted in a zone with daylight-saving changes, so calendar arithmetic is put to the test.
    qputenv("TZ", "Europe/Berlin");
    tzset();
    QCOMPARE(local(2024, 7, 1, 12, 0).offsetFromUtc(), 7200);
    QCOMPARE(local(2024, 1, 1, 12, 0).offsetFromUtc(), 3600);
}

void LogReadbackTest::recentDays_data()
{
    QTest::addColumn<qint64>("count");
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<QStringList>("focusRows");
    QTest::addColumn<QStringList>("activityRows");
    QTest::addColumn<QStringList>("expected");

    const QDateTime march5 = local(2024, 3, 5, 10, 0);
    QTest::newRow("0 days gives today") << 0LL << march5 << QStringList() << QStringList()
                                        << QStringList { QStringLiteral("2024-03-05:0:0:0") };
    QTest::newRow("negative days give today") << -5LL << march5 << QStringList() << QStringList()
                                              << QStringList { QStringLiteral("2024-03-05:0:0:0") };
    QTest::newRow("30 days of empty logs")
        << 30LL << march5 << QStringList() << QStringList() << emptyDays(QDate(2024, 3, 5), 30);
    QTest::newRow("a round counts on the day of its date column")
        << 4LL << march5
        << QStringList { focusRow(QStringLiteral("f1"), QStringLiteral("2024-03-02 23:50:00"),
               QStringLiteral("2024-03-03 00:20:00"), QStringLiteral("2024-03-03"), QStringLiteral("true"),
               QStringLiteral("1500")) }
        << QStringList()
        << QStringList { QStringLiteral("2024-03-02:0:0:0"), QStringLiteral("2024-03-03:0:1:1500"),
               QStringLiteral("2024-03-04:0:0:0"), QStringLiteral("2024-03-05:0:0:0") };
    QTest::newRow("scores and completed rounds of each day")
        << 3LL << march5
        << QStringList { focusRow(QStringLiteral("f1"), QStringLiteral("2024-03-04 09:00:00"),
                             QStringLiteral("2024-03-04 09:25:00"), QStringLiteral("2024-03-04"),
                             QStringLiteral("true"), QStringLiteral("1500")),
               focusRow(QStringLiteral("f2"), QStringLiteral("2024-03-04 10:00:00"),
                   QStringLiteral("2024-03-04 10:05:00"), QStringLiteral("2024-03-04"),
                   QStringLiteral("false"), QStringLiteral("300")),
               focusRow(QStringLiteral("f3"), QStringLiteral("2024-03-05 09:00:00"),
                   QStringLiteral("2024-03-05 09:25:00"), QStringLiteral("2024-03-05"),
                   QStringLiteral("true"), QStringLiteral("1490")),
               focusRow(QStringLiteral("f4"), QStringLiteral("2024-02-01 09:00:00"),
                   QStringLiteral("2024-02-01 09:25:00"), QStringLiteral("2024-02-01"),
                   QStringLiteral("true"), QStringLiteral("1500")) }
        << QStringList { activityRow(QStringLiteral("a1"), QStringLiteral("2024-03-04 09:25:00"),
                             QStringLiteral("2024-03-04 09:30:00"), QStringLiteral("2024-03-04"),
                             QStringLiteral("5")),
               activityRow(QStringLiteral("a2"), QStringLiteral("2024-03-04 11:25:00"),
                   QStringLiteral("2024-03-04 11:30:00"), QStringLiteral("2024-03-04"), QStringLiteral("7")),
               activityRow(QStringLiteral("a3"), QStringLiteral("2024-03-05 09:25:00"),
                   QStringLiteral("2024-03-05 09:30:00"), QStringLiteral("2024-03-05"), QStringLiteral("3")) }
        << QStringList { QStringLiteral("2024-03-03:0:0:0"), QStringLiteral("2024-03-04:12:1:1500"),
               QStringLiteral("2024-03-05:3:1:1490") };
    QTest::newRow("now in UTC is taken on the local calendar")
        << 2LL << utc(2024, 3, 30, 23, 30) << QStringList() << QStringList()
        << QStringList { QStringLiteral("2024-03-30:0:0:0"), QStringLiteral("2024-03-31:0:0:0") };
}

void LogReadbackTest::recentDays()
{
    QFETCH(qint64, count);
    QFETCH(QDateTime, now);
    QFETCH(QStringList, focusRows);
    QFETCH(QStringList, activityRows);

    const Logs logs(focusRows, activityRows);
    const FocusSessionLogger focusLog(logs.focusPath());
    const CSVLogger activityLog(logs.activityPath());
    QTEST(summaries(DailyStatsRepository::recentDays(count, now, focusLog, activityLog)), "expected");
}

void LogReadbackTest::recentDaysStartEachDayAtLocalMidnight_data()
{
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<int>("count");
    QTest::addColumn<QDate>("lastDay");

    // Clocks go forward at 02:00 on 31 March 2024 and back at 03:00 on 27 October 2024.
    QTest::newRow("just after the spring change") << utc(2024, 3, 31, 1, 0) << 30 << QDate(2024, 3, 31);
    QTest::newRow("the day after the spring change") << local(2024, 4, 1, 0, 5) << 30 << QDate(2024, 4, 1);
    QTest::newRow("just after the autumn change") << utc(2024, 10, 27, 1, 0) << 30 << QDate(2024, 10, 27);
    QTest::newRow("late on the autumn change day") << local(2024, 10, 27, 23, 59) << 7 << QDate(2024, 10, 27);
    QTest::newRow("a week over the autumn change") << local(2024, 10, 30, 0, 0) << 7 << QDate(2024, 10, 30);
}

void LogReadbackTest::recentDaysStartEachDayAtLocalMidnight()
{
    QFETCH(QDateTime, now);
    QFETCH(int, count);
    QFETCH(QDate, lastDay);

    const Logs logs({}, {});
    const FocusSessionLogger focusLog(logs.focusPath());
    const CSVLogger activityLog(logs.activityPath());
    const QList<DailyStat> stats = DailyStatsRepository::recentDays(count, now, focusLog, activityLog);

    QCOMPARE(stats.size(), count);
    for (int index = 0; index < count; ++index) {
        const QDate day = lastDay.addDays(index - count + 1);
        const QDateTime start = stats[index].date.toLocalTime();
        QCOMPARE(start.date(), day);
        QCOMPARE(start.time(), QTime(0, 0));
        QCOMPARE(stats[index].date, QDateTime(day, QTime(0, 0), Qt::LocalTime));
        QCOMPARE(stats[index].id(), CsvDate::day(day));
    }
}

void LogReadbackTest::allEntries_data()
{
    QTest::addColumn<QStringList>("focusRows");
    QTest::addColumn<QStringList>("activityRows");
    QTest::addColumn<QStringList>("expectedIDs");

    const auto focus = [](const char *id, const char *start) {
        return focusRow(QString::fromLatin1(id), QString::fromLatin1(start), QString::fromLatin1(start),
            CsvDate::day(*CsvDate::parseTimestamp(QString::fromLatin1(start))), QStringLiteral("true"),
            QStringLiteral("1500"));
    };
    const auto activity = [](const char *id, const char *start) {
        return activityRow(QString::fromLatin1(id), QString::fromLatin1(start), QString::fromLatin1(start),
            CsvDate::day(*CsvDate::parseTimestamp(QString::fromLatin1(start))), QStringLiteral("4"));
    };

    QTest::newRow("empty logs") << QStringList() << QStringList() << QStringList();
    QTest::newRow("focus before break with the same start second")
        << QStringList { focus("f1", "2024-03-05 10:00:00") }
        << QStringList { activity("a1", "2024-03-05 10:00:00") }
        << QStringList { QStringLiteral("f1"), QStringLiteral("a1") };
    QTest::newRow("interleaved by start")
        << QStringList { focus("f1", "2024-03-05 09:00:00"), focus("f2", "2024-03-05 11:00:00") }
        << QStringList { activity("a1", "2024-03-05 10:00:00"), activity("a2", "2024-03-04 23:00:00") }
        << QStringList { QStringLiteral("a2"), QStringLiteral("f1"), QStringLiteral("a1"),
               QStringLiteral("f2") };
    QTest::newRow("equal starts keep the file order")
        << QStringList { focus("f2", "2024-03-05 10:00:00"), focus("f1", "2024-03-05 10:00:00") }
        << QStringList { activity("a2", "2024-03-05 10:00:00"), activity("a1", "2024-03-05 10:00:00"),
               activity("a0", "2024-03-05 09:59:59") }
        << QStringList { QStringLiteral("a0"), QStringLiteral("f2"), QStringLiteral("f1"),
               QStringLiteral("a2"), QStringLiteral("a1") };
    QTest::newRow("a file out of order is sorted")
        << QStringList { focus("f3", "2024-03-07 08:00:00"), focus("f1", "2024-03-05 08:00:00"),
               focus("f2", "2024-03-06 08:00:00") }
        << QStringList() << QStringList { QStringLiteral("f1"), QStringLiteral("f2"), QStringLiteral("f3") };
    QTest::newRow("starts on both sides of daylight-saving changes")
        << QStringList { focus("f-summer", "2024-03-31 03:10:00"), focus("f-winter", "2024-03-31 01:50:00"),
               focus("f-night", "2024-03-31 00:10:00"), focus("f-eve", "2024-10-26 23:45:00"),
               focus("f-skipped-hour-an-hour-on", "2024-03-31 02:30:00") }
        << QStringList { activity("a-autumn", "2024-10-27 03:30:00"),
               activity("a-summer", "2024-10-27 01:30:00"), activity("a-spring", "2024-03-31 04:00:00"),
               activity("a-eve", "2024-03-30 23:30:00") }
        << QStringList { QStringLiteral("a-eve"), QStringLiteral("f-night"), QStringLiteral("f-winter"),
               QStringLiteral("f-summer"), QStringLiteral("f-skipped-hour-an-hour-on"),
               QStringLiteral("a-spring"), QStringLiteral("f-eve"), QStringLiteral("a-summer"),
               QStringLiteral("a-autumn") };
    QTest::newRow("summer and winter days far apart")
        << QStringList { focus("f-july", "2024-07-01 00:30:00"), focus("f-january", "2024-01-15 23:30:00") }
        << QStringList { activity("a-june", "2024-06-30 23:59:59"),
               activity("a-december", "2024-12-31 23:59:59") }
        << QStringList { QStringLiteral("f-january"), QStringLiteral("a-june"), QStringLiteral("f-july"),
               QStringLiteral("a-december") };
}

void LogReadbackTest::allEntries()
{
    QFETCH(QStringList, focusRows);
    QFETCH(QStringList, activityRows);

    const Logs logs(focusRows, activityRows);
    const FocusSessionLogger focusLog(logs.focusPath());
    const CSVLogger activityLog(logs.activityPath());
    QStringList ids;
    for (const NotesTimelineEntry &entry : NotesTimelineRepository::allEntries(focusLog, activityLog))
        ids.append(entry.id);
    QTEST(ids, "expectedIDs");
}

void LogReadbackTest::timestampsAndDaysAcrossClockChanges_data()
{
    QTest::addColumn<QDateTime>("from");
    QTest::addColumn<int>("step");
    QTest::addColumn<int>("hours");

    QTest::newRow("spring forward") << local(2024, 3, 28, 0, 0) << 1 << 24 * 5;
    QTest::newRow("fall back") << local(2024, 10, 25, 0, 0) << 1 << 24 * 5;
    QTest::newRow("backwards over fall back") << local(2024, 10, 29, 23, 0) << -1 << 24 * 5;
    QTest::newRow("summer, then winter") << local(2024, 7, 1, 12, 0) << 24 * 100 << 24 * 200;
}

// Rows of a log are read with the zone's offsets remembered between clock changes; every local time,
// including the skipped and the repeated hour, must come out as the time zone itself would give it.
void LogReadbackTest::timestampsAndDaysAcrossClockChanges()
{
    QFETCH(QDateTime, from);
    QFETCH(int, step);
    QFETCH(int, hours);
    for (int hour = 0; hour <= hours; hour += std::abs(step)) {
        for (const int minute : { 0, 30, 59 }) {
            const QDateTime wall = from.addSecs(qint64(step < 0 ? -hour : hour) * 3600 + minute * 60);
            const QDate date = wall.date();
            const QTime time = wall.time();
            const QString text = QString::asprintf("%04d-%02d-%02d %02d:%02d:00", date.year(), date.month(),
                date.day(), time.hour(), time.minute());
            const std::optional<QDateTime> parsed = CsvDate::parseTimestamp(text);
            QVERIFY2(parsed, qPrintable(text));
            QCOMPARE(*parsed, QDateTime(date, time, Qt::LocalTime).toUTC());
            QCOMPARE(CsvDate::localDay(*parsed), parsed->toLocalTime().date());
            QCOMPARE(CsvDate::localDay(parsed->addSecs(-1)), parsed->addSecs(-1).toLocalTime().date());
        }
    }
}

void LogReadbackTest::allEntriesCarryTheKindOfEachLog()
{
    const Logs logs({ focusRow(QStringLiteral("f1"), QStringLiteral("2024-03-05 10:00:00"),
                        QStringLiteral("2024-03-05 10:25:00"), QStringLiteral("2024-03-05"),
                        QStringLiteral("false"), QStringLiteral("600")) },
        { activityRow(QStringLiteral("a1"), QStringLiteral("2024-03-05 10:25:00"),
            QStringLiteral("2024-03-05 10:30:00"), QStringLiteral("2024-03-05"), QStringLiteral("9")) });
    const FocusSessionLogger focusLog(logs.focusPath());
    const CSVLogger activityLog(logs.activityPath());
    const QList<NotesTimelineEntry> entries = NotesTimelineRepository::allEntries(focusLog, activityLog);

    QCOMPARE(entries.size(), 2);
    QCOMPARE(entries[0].kind, NotesTimelineKind::focus(false));
    QCOMPARE(entries[0].startTimestamp, local(2024, 3, 5, 10, 0));
    QCOMPARE(entries[0].endTimestamp, local(2024, 3, 5, 10, 25));
    QCOMPARE(entries[0].activityTitle, std::nullopt);
    QCOMPARE(entries[1].kind, NotesTimelineKind::breakActivity(9));
    QCOMPARE(entries[1].activityTitle, std::optional<QString>(QStringLiteral("Stretch")));
}

void LogReadbackTest::fingerprintOfUnchangedFilesIsEqual()
{
    const Logs logs({}, {});
    const QStringList paths { logs.focusPath(), logs.activityPath() };
    const LogFilesFingerprint first(paths);
    QCOMPARE(first.signatures.size(), 2);
    QVERIFY(first == LogFilesFingerprint(paths));
    QVERIFY(LogFilesFingerprint(QStringList()) == LogFilesFingerprint());
    QVERIFY(LogFilesFingerprint(QStringList()).signatures.isEmpty());
}

void LogReadbackTest::fingerprintNoticesChanges_data()
{
    QTest::addColumn<int>("change");
    QTest::addColumn<bool>("onFocusLog");

    // 0 append a row, 1 atomic rewrite with the same bytes, 2 remove the file.
    QTest::newRow("append to the focus log") << 0 << true;
    QTest::newRow("append to the activity log") << 0 << false;
    QTest::newRow("same-size atomic rewrite of the focus log") << 1 << true;
    QTest::newRow("same-size atomic rewrite of the activity log") << 1 << false;
    QTest::newRow("removal of the activity log") << 2 << false;
}

void LogReadbackTest::fingerprintNoticesChanges()
{
    QFETCH(int, change);
    QFETCH(bool, onFocusLog);

    const Logs logs({}, {});
    const QStringList paths { logs.focusPath(), logs.activityPath() };
    const QString changed = onFocusLog ? logs.focusPath() : logs.activityPath();
    const QByteArray bytes = readFileBytes(changed);
    const LogFilesFingerprint before(paths);

    switch (change) {
    case 0:
        QVERIFY(appendBytes(changed, "row\n"));
        break;
    case 1:
        QVERIFY(replaceAtomically(changed, bytes));
        QCOMPARE(readFileBytes(changed), bytes);
        break;
    default:
        QVERIFY(QFile::remove(changed));
    }
    QVERIFY(!(LogFilesFingerprint(paths) == before));
}

void LogReadbackTest::fingerprintOfMissingFileIsAllZeros()
{
    const TemporaryDataHome home;
    const QString path = home.filePath(QStringLiteral("later.csv"));
    const LogFilesFingerprint missing(QStringList { path, QString() });

    QCOMPARE(missing.signatures.size(), 2);
    for (const LogFilesFingerprint::FileSignature &signature : missing.signatures)
        QVERIFY(signature == LogFilesFingerprint::FileSignature {});

    QVERIFY(writeFileBytes(path, QByteArray()));
    const LogFilesFingerprint created(QStringList { path, QString() });
    QVERIFY(created.signatures[0].exists);
    QVERIFY(!(created == missing));
}

void LogReadbackTest::fingerprintDescribesTheFileItself()
{
    const TemporaryDataHome home;
    const QString path = home.filePath(QStringLiteral("log.csv"));
    QVERIFY(writeFileBytes(path, "12345"));
    const LogFilesFingerprint::FileSignature signature = LogFilesFingerprint({ path }).signatures.value(0);
    const QFileInfo info(path);

    QVERIFY(signature.exists);
    QCOMPARE(signature.size, 5);
    QVERIFY(signature.inode != 0);
    QCOMPARE(signature.modificationSeconds * 1000 + signature.modificationNanoseconds / 1000000,
        info.lastModified().toMSecsSinceEpoch());
    QCOMPARE(signature.changeSeconds * 1000 + signature.changeNanoseconds / 1000000,
        info.metadataChangeTime().toMSecsSinceEpoch());
}

void LogReadbackTest::fingerprintDescribesASymbolicLinkItself()
{
    const TemporaryDataHome home;
    const QString target = home.filePath(QStringLiteral("target.csv"));
    const QString link = home.filePath(QStringLiteral("link.csv"));
    QVERIFY(writeFileBytes(target, "header\n"));
    QVERIFY(QFile::link(target, link));
    const LogFilesFingerprint before({ link });

    QVERIFY(appendBytes(target, "a row that changes the target only\n"));
    QVERIFY(LogFilesFingerprint({ link }) == before);

    QVERIFY(QFile::remove(target));
    const LogFilesFingerprint dangling({ link });
    QVERIFY(dangling.signatures[0].exists);
    QCOMPARE(dangling.signatures[0].size, QFile::encodeName(target).size());
}

void LogReadbackTest::fingerprintFollowsThePathOrder()
{
    const Logs logs({}, {});
    const LogFilesFingerprint forward({ logs.focusPath(), logs.activityPath() });
    QVERIFY(!(forward == LogFilesFingerprint({ logs.activityPath(), logs.focusPath() })));
    QVERIFY(!(forward == LogFilesFingerprint({ logs.focusPath() })));
}

QUORVANE_TEST_GUILESS_MAIN(LogReadbackTest)
#include "tst_log_readback.moc"
