#include "DecimalCommaLocale.h"
#include "TestProgram.h"
#include "TestSupport.h"
#include "storage/CSVLogger.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <limits>

using Scores = QHash<QString, qint64>;

namespace {

const QByteArray header = "event_id,start_timestamp,end_timestamp,date,session_number,session_title,activity,"
                          "health_score,base_weight,effective_weight,daily_total,notes";

QDateTime at(int year, int month, int day, int hour, int minute, int second = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second));
}

ActivityLogEntry sampleEntry()
{
    return ActivityLogEntry {
        QStringLiteral("7c9e6679-7425-40de-944b-e07fc1f90ae7"),
        at(2024, 3, 1, 10, 0),
        at(2024, 3, 1, 10, 5, 30),
        4,
        QStringLiteral("Deep work"),
        WheelItem {
            QUuid::createUuid(), QStringLiteral("Stretch, slowly"), 1.0, 20, QStringLiteral("figure") },
        0.25,
        28,
        QStringLiteral("felt \"good\""),
    };
}

// A twelve-field row with the given date, score and daily total.
QByteArray row(const QByteArray &id, const QByteArray &date, const QByteArray &score,
    const QByteArray &total = "0", const QByteArray &notes = "n")
{
    return id + ',' + date + " 10:00:00," + date + " 10:05:00," + date + ",1,s,walk," + score
        + ",1.000,1.000," + total + ',' + notes + '\n';
}

} // namespace

class TestActivityLog : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void firstStartWritesTheHeader();
    void startUpHeader_data();
    void startUpHeader();
    void appendWritesOneRow();
    void appendWritesPointDecimalsUnderADecimalCommaLocale();
    void appendRepairsATornRow();
    void appendToADeletedLogFails();
    void updateEntry_data();
    void updateEntry();
    void updateEntryKeepsTheBytesOfAFileNotInUtf8();
    void todayTotal_data();
    void todayTotal();
    void dailyHealthScores_data();
    void dailyHealthScores();
    void timelineEntries();

private:
    QString logPath() const { return m_directory->filePath(QStringLiteral("daily-activity-log.csv")); }

    std::unique_ptr<QTemporaryDir> m_directory;
};

void TestActivityLog::init()
{
    m_directory = std::make_unique<QTemporaryDir>();
    QVERIFY(m_directory->isValid());
}

void TestActivityLog::firstStartWritesTheHeader()
{
    const CSVLogger logger(logPath());
    QCOMPARE(logger.filePath(), logPath());
    QCOMPARE(readFileBytes(logPath()), header + '\n');
    QCOMPARE(CSVLogger::header().size(), 141);
}

// The header a start leaves: written where there is none, kept where it is current, older layouts migrated.
void TestActivityLog::startUpHeader_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("empty file gets the header") << QByteArray() << header + '\n';
    const QByteArray current = header + "\nshort\n" + row("a", "2024-03-01", "x");
    QTest::newRow("current header is never rewritten") << current << current;
    const QByteArray notUtf8 = "old,header\n2024-03-01 10:00:00,2024-03-01,1,walk,\xff,1.000,1.000,5\n";
    QTest::newRow("not text is moved aside") << notUtf8 << header + '\n';
    const QByteArray oldHeader
        = "timestamp,date,session_number,activity,health_score,base_weight,effective_weight,daily_total\n";
    QTest::newRow("eight fields") << oldHeader + "2024-03-01 10:05:00,2024-03-01,3,walk,20,1.000,0.500,20\n"
                                  << header
            + "\nlegacy-break-0-2024-03-01 10:05:00,2024-03-01 10:05:00,2024-03-01 "
              "10:05:00,2024-03-01,3,,walk,20,"
              "1.000,0.500,20,\n";
    QTest::newRow("numbering goes on past a dropped row, timestamps are not parsed") << oldHeader
            + "2024-03-01 10:05:00,2024-03-01,1,walk,20,1.000,0.500,20\nseven,fields,a,b,c,d,e\n"
              "yesterday,2024-03-01,2,\"tea, green\",8,1.000,1.000,28,x,y\n"
                                                                                     << header
            + "\nlegacy-break-0-2024-03-01 10:05:00,2024-03-01 10:05:00,2024-03-01 "
              "10:05:00,2024-03-01,1,,walk,20,"
              "1.000,0.500,20,\n"
              "legacy-break-2-yesterday,yesterday,yesterday,2024-03-01,2,,\"tea, green\",8,1.000,1.000,28,\n";
    QTest::newRow("eleven fields get a session title, fifteen are cut to twelve") << QByteArray("older\n")
            + "a,s,e,d,1,walk,20,1.000,1.000,20,notes\n"
              "b,s,e,d,2,title,walk,8,1.000,1.000,28,notes,x,y,z\n"
                                                                                  << header
            + "\na,s,e,d,1,,walk,20,1.000,1.000,20,notes\nb,s,e,d,2,title,walk,8,1.000,1.000,28,notes\n";
    const QByteArray firstRow = row("first", "2024-03-01", "20", "20");
    QTest::newRow("a first data row keeps its place under a new header")
        << firstRow + row("second", "2024-03-01", "8", "28")
        << header + '\n' + firstRow + row("second", "2024-03-01", "8", "28");
}

void TestActivityLog::startUpHeader()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    QVERIFY(writeFileBytes(logPath(), before));
    const CSVLogger logger(logPath());
    QCOMPARE(readFileBytes(logPath()), after);
    if (const auto moved = logger.file().takeMovedAside())
        QCOMPARE(readFileBytes(m_directory->filePath(moved->newFileName)), before);
}

void TestActivityLog::appendWritesOneRow()
{
    const CSVLogger logger(logPath());
    QVERIFY(logger.append(sampleEntry()).ok());
    QCOMPARE(readFileBytes(logPath()),
        header
            + "\n7c9e6679-7425-40de-944b-e07fc1f90ae7,2024-03-01 10:00:00,2024-03-01 10:05:30,2024-03-01,4,"
              "Deep work,\"Stretch, slowly\",20,1.000,0.250,28,\"felt \"\"good\"\"\"\n");
}

void TestActivityLog::appendWritesPointDecimalsUnderADecimalCommaLocale()
{
    const DecimalCommaLocale decimalComma;
    if (!decimalComma.isActive())
        QSKIP(DecimalCommaLocale::missingReason);
    const CSVLogger logger(logPath());
    ActivityLogEntry entry = sampleEntry();
    entry.item.weight = 1234.5;
    entry.dailyTotal = 1234567;
    QVERIFY(logger.append(entry).ok());
    const QStringList fields
        = CSVCodec::parseLine(CSVCodec::records(QString::fromUtf8(readFileBytes(logPath()))).last());
    QCOMPARE(fields.size(), 12);
    QCOMPARE(fields[8], QStringLiteral("1234.500"));
    QCOMPARE(fields[9], QStringLiteral("0.250"));
    QCOMPARE(fields[10], QStringLiteral("1234567"));
}

void TestActivityLog::appendRepairsATornRow()
{
    const QByteArray torn
        = "a,2024-03-01 09:00:00,2024-03-01 09:05:00,2024-03-01,1,t,walk,5,1.000,1.000,5,\"torn";
    QVERIFY(writeFileBytes(logPath(), header + '\n' + torn));
    const CSVLogger logger(logPath());
    QVERIFY(logger.append(sampleEntry()).ok());
    QVERIFY(readFileBytes(logPath()).startsWith(header + '\n' + torn + "\"\n7c9e"));
    QCOMPARE(logger.dailyHealthScores(), (Scores { { QStringLiteral("2024-03-01"), 25 } }));
    QCOMPARE(logger.timelineEntries().size(), 2);
}

void TestActivityLog::appendToADeletedLogFails()
{
    const CSVLogger logger(logPath());
    QVERIFY(QFile::remove(logPath()));
    QVERIFY(!logger.append(sampleEntry()).ok());
    QVERIFY(!QFile::exists(logPath()));
}

void TestActivityLog::updateEntry_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("eventID");
    QTest::addColumn<std::optional<QString>>("sessionTitle");
    QTest::addColumn<std::optional<QString>>("activityTitle");
    QTest::addColumn<std::optional<qint64>>("healthScore");
    QTest::addColumn<QString>("notes");
    QTest::addColumn<QByteArray>("after");

    const QByteArray twoDays = header + '\n' + row("a", "2024-03-01", "20", "20")
        + row("x", "2024-03-02", "7", "7") + row("b", "2024-03-01", "8", "28");
    QTest::newRow("running totals across two dates")
        << twoDays << QStringLiteral("a") << std::optional<QString>() << std::optional<QString>()
        << std::optional<qint64>(5) << QStringLiteral("n")
        << header + '\n' + row("a", "2024-03-01", "5", "5") + row("x", "2024-03-02", "7", "7")
            + row("b", "2024-03-01", "8", "13");
    QTest::newRow("unknown id still recomputes every total")
        << header + '\n' + row("a", "2024-03-01", "20", "999") + "short,row,kept\n"
            + row("x", "2024-03-02", "7", "0") + row("b", "2024-03-01", "abc", "1")
            + row("c", "2024-03-01", "3", "1")
        << QStringLiteral("nobody") << std::optional<QString>(QStringLiteral("S"))
        << std::optional<QString>(QStringLiteral("A")) << std::optional<qint64>(1) << QStringLiteral("N")
        << header + '\n' + row("a", "2024-03-01", "20", "20") + "short,row,kept\n"
            + row("x", "2024-03-02", "7", "7") + row("b", "2024-03-01", "abc", "20")
            + row("c", "2024-03-01", "3", "23");
    QTest::newRow("absent values change only the notes")
        << twoDays << QStringLiteral("b") << std::optional<QString>() << std::optional<QString>()
        << std::optional<qint64>() << QStringLiteral("new, notes")
        << header + '\n' + row("a", "2024-03-01", "20", "20") + row("x", "2024-03-02", "7", "7")
            + row("b", "2024-03-01", "8", "28", "\"new, notes\"");
    QTest::newRow("every field given, every row with the id")
        << header + '\n' + row("a", "2024-03-01", "20", "20") + row("a", "2024-03-01", "1", "21")
        << QStringLiteral("a") << std::optional<QString>(QStringLiteral("Round"))
        << std::optional<QString>(QStringLiteral("Tea")) << std::optional<qint64>(-3) << QString()
        << header
            + "\na,2024-03-01 10:00:00,2024-03-01 10:05:00,2024-03-01,1,Round,Tea,-3,1.000,1.000,-3,\n"
              "a,2024-03-01 10:00:00,2024-03-01 10:05:00,2024-03-01,1,Round,Tea,-3,1.000,1.000,-6,\n";
    QTest::newRow("totals saturate") << header + '\n' + row("a", "2024-03-01", "9223372036854775807")
            + row("b", "2024-03-01", "1")
                                     << QStringLiteral("b") << std::optional<QString>()
                                     << std::optional<QString>() << std::optional<qint64>()
                                     << QStringLiteral("n")
                                     << header + '\n'
            + row("a", "2024-03-01", "9223372036854775807", "9223372036854775807")
            + row("b", "2024-03-01", "1", "9223372036854775807");
    QTest::newRow("extra fields are kept")
        << header + "\na,s,e,d,1,t,walk,4,1.000,1.000,0,n,extra\n"
        << QStringLiteral("a") << std::optional<QString>() << std::optional<QString>()
        << std::optional<qint64>() << QStringLiteral("n")
        << header + "\na,s,e,d,1,t,walk,4,1.000,1.000,4,n,extra\n";
}

void TestActivityLog::updateEntry()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, eventID);
    QFETCH(std::optional<QString>, sessionTitle);
    QFETCH(std::optional<QString>, activityTitle);
    QFETCH(std::optional<qint64>, healthScore);
    QFETCH(QString, notes);
    QFETCH(QByteArray, after);
    const CSVLogger logger(logPath());
    QVERIFY(writeFileBytes(logPath(), before));
    QVERIFY(logger.updateEntry(eventID, sessionTitle, activityTitle, healthScore, notes).ok());
    QCOMPARE(readFileBytes(logPath()), after);
}

void TestActivityLog::updateEntryKeepsTheBytesOfAFileNotInUtf8()
{
    const CSVLogger logger(logPath());
    const QByteArray bytes = header + '\n' + row("a", "2024-03-01", "20", "20", "caf\xe9");
    QVERIFY(writeFileBytes(logPath(), bytes));
    QVERIFY(
        !logger.updateEntry(QStringLiteral("a"), std::nullopt, std::nullopt, 3, QStringLiteral("n")).ok());
    QCOMPARE(readFileBytes(logPath()), header + '\n');
    QCOMPARE(readFileBytes(m_directory->filePath(logger.file().takeMovedAside()->newFileName)), bytes);
}

void TestActivityLog::todayTotal_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QDateTime>("now");
    QTest::addColumn<qint64>("expected");

    const QByteArray mixed = header + '\n' + row("a", "2024-03-01", "20") + row("b", "2024-02-29", "100")
        + "c,s,e,2024-03-01,1,t,walk,50,1.000,1.000,0\n" + row("d", "2024-03-01", "text")
        + row("e", "2024-03-01", "+8");
    QTest::newRow("only today's full rows") << mixed << at(2024, 3, 1, 23, 59, 59) << qint64(28);
    QTest::newRow("another day") << mixed << at(2024, 2, 29, 0, 0) << qint64(100);
    QTest::newRow("no rows that day") << mixed << at(2024, 3, 2, 0, 0) << qint64(0);
    QTest::newRow("the first record is the header, whatever it holds")
        << row("h", "2024-03-01", "20") + row("a", "2024-03-01", "3") << at(2024, 3, 1, 12, 0) << qint64(3);
    QTest::newRow("saturates low") << header + '\n' + row("a", "2024-03-01", "-9223372036854775808")
            + row("b", "2024-03-01", "-5")
                                   << at(2024, 3, 1, 12, 0) << std::numeric_limits<qint64>::min();
}

void TestActivityLog::todayTotal()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QDateTime, now);
    QFETCH(qint64, expected);
    const CSVLogger logger(logPath());
    QVERIFY(writeFileBytes(logPath(), bytes));
    QCOMPARE(logger.todayTotal(now), expected);
}

void TestActivityLog::dailyHealthScores_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Scores>("expected");

    QTest::newRow("header only") << header + '\n' << Scores();
    QTest::newRow("a score that does not parse still makes its day")
        << header + '\n' + row("a", "2024-03-01", "x") + row("b", "2024-03-02", "4")
            + row("c", "2024-03-01", "") + row("d", "2024-03-02", "6") + "short,2024-03-03\n"
        << Scores { { QStringLiteral("2024-03-01"), 0 }, { QStringLiteral("2024-03-02"), 10 } };
    QTest::newRow("saturates high") << header + '\n' + row("a", "2024-03-01", "9223372036854775807")
            + row("b", "2024-03-01", "9223372036854775807")
                                    << Scores { { QStringLiteral("2024-03-01"),
                                           std::numeric_limits<qint64>::max() } };
}

void TestActivityLog::dailyHealthScores()
{
    QFETCH(QByteArray, bytes);
    QFETCH(Scores, expected);
    const CSVLogger logger(logPath());
    QVERIFY(writeFileBytes(logPath(), bytes));
    QCOMPARE(logger.dailyHealthScores(), expected);
}

void TestActivityLog::timelineEntries()
{
    const CSVLogger logger(logPath());
    QVERIFY(logger.append(sampleEntry()).ok());
    QByteArray bytes = readFileBytes(logPath());
    bytes += "bad,2024-03-01 10:00:00,not a time,2024-03-01,1,s,walk,5,1.000,1.000,5,n\n"
             "c,2024-03-01 11:00:00,2024-03-01 11:05:00,2024-03-01,,,,x,1.000,1.000,5,\n"
             "short,2024-03-01 11:00:00,2024-03-01 11:05:00\n";
    QVERIFY(writeFileBytes(logPath(), bytes));
    const ActivityLogEntry entry = sampleEntry();
    const QList<NotesTimelineEntry> expected {
        { entry.eventID, NotesTimelineKind::breakActivity(20), entry.startTimestamp, entry.timestamp, 4,
            entry.sessionTitle, entry.item.title, entry.notes },
        { QStringLiteral("c"), NotesTimelineKind::breakActivity(0), at(2024, 3, 1, 11, 0),
            at(2024, 3, 1, 11, 5), 0, QString(), QString(), QString() },
    };
    QCOMPARE(logger.timelineEntries(), expected);
}

QUORVANE_TEST_GUILESS_MAIN(TestActivityLog)
#include "tst_activity_log.moc"
