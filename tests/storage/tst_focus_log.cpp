#include "TestProgram.h"
#include "TestSupport.h"
#include "storage/FocusSessionLogger.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <limits>

using Metrics = QHash<QString, FocusSessionLogger::DayMetrics>;

namespace {

const QByteArray header = "event_id,start_timestamp,end_timestamp,date,session_number,session_title,active_"
                          "seconds,target_seconds,"
                          "completed,notes";

QDateTime at(int year, int month, int day, int hour, int minute, int second = 0)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second));
}

FocusSessionLogEntry sampleEntry()
{
    return FocusSessionLogEntry {
        QStringLiteral("0f8fad5b-d9cb-469f-a165-70867728950e"),
        at(2024, 3, 1, 9, 35),
        at(2024, 3, 1, 10, 0),
        4,
        QStringLiteral("Write, then \"edit\""),
        1500,
        1500,
        true,
        QStringLiteral("line one\nline two"),
    };
}

QByteArray row(const QByteArray &id, const QByteArray &date, const QByteArray &active,
    const QByteArray &completed, const QByteArray &title = "t", const QByteArray &notes = "n")
{
    return id + ',' + date + " 09:00:00," + date + " 09:25:00," + date + ",1," + title + ',' + active
        + ",1500," + completed + ',' + notes + '\n';
}

} // namespace

class TestFocusLog : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void firstStartWritesTheHeader();
    void startUpHeader_data();
    void startUpHeader();
    void appendWritesOneRow();
    void appendRepairsATornRow_data();
    void appendRepairsATornRow();
    void appendToADeletedLogFails();
    void appendReportsAFullDisk();
    void updateEntry_data();
    void updateEntry();
    void updateEntryKeepsTheBytesOfAFileNotInUtf8_data();
    void updateEntryKeepsTheBytesOfAFileNotInUtf8();
    void aCharacterCutOffAtTheEndIsLeftOut_data();
    void aCharacterCutOffAtTheEndIsLeftOut();
    void updateEntryOfADeletedLogFails();
    void dailyMetrics_data();
    void dailyMetrics();
    void timelineEntries();
    void aStrayQuoteHidesEveryRowItSwallows();
    void appendedRoundReadsBack();

private:
    QString logPath() const { return m_directory->filePath(QStringLiteral("focus-session-log.csv")); }

    std::unique_ptr<QTemporaryDir> m_directory;
};

void TestFocusLog::init()
{
    m_directory = std::make_unique<QTemporaryDir>();
    QVERIFY(m_directory->isValid());
}

void TestFocusLog::firstStartWritesTheHeader()
{
    const FocusSessionLogger logger(logPath());
    QCOMPARE(logger.filePath(), logPath());
    QCOMPARE(readFileBytes(logPath()), header + '\n');
    QCOMPARE(FocusSessionLogger::header().size(), 118);
}

// The header a start leaves: written where there is none, kept where it is current, older layouts migrated.
void TestFocusLog::startUpHeader_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("empty file gets the header") << QByteArray() << header + '\n';
    QTest::newRow("blank lines only get the header") << QByteArray("\n\r\n\n") << header + '\n';
    const QByteArray current = header + "\nodd,row\n\n" + row("a", "2024-03-01", "90", "true") + "x\r\n";
    QTest::newRow("current header is never rewritten") << current << current;
    QTest::newRow("current header without final line feed") << header << header;
    const QByteArray notUtf8 = "old,header\n\xff\xfe,1,2,3,4\n";
    QTest::newRow("not text is moved aside") << notUtf8 << header + '\n';
    const QByteArray oldRow = "2024-03-01 10:00:00,2024-03-01,3,90,1500,";
    const QByteArray cutInside = "old,header\n" + oldRow + "\xc3\n" + oldRow + '\n';
    QTest::newRow("a cut-off utf-8 sequence inside is moved aside") << cutInside << header + '\n';
    QTest::newRow("a character cut off at the end is left out") << "old,header\n" + oldRow + "\xc3"
                                                                << header
            + "\nlegacy-focus-0-2024-03-01 10:00:00,2024-03-01 09:58:30,2024-03-01 10:00:00,2024-03-01,3,,90,"
              "1500,true,\n";
    const QByteArray oldHeader = "end_timestamp,date,session_number,active_seconds,target_seconds\n";
    QTest::newRow("five fields, start is end minus active time")
        << oldHeader + "2024-03-01 10:00:00,2024-03-01,3,90,1500\n"
        << header
            + "\nlegacy-focus-0-2024-03-01 10:00:00,2024-03-01 09:58:30,2024-03-01 "
              "10:00:00,2024-03-01,3,,90,1500,"
              "true,\n";
    QTest::newRow("numbering goes on past a dropped row") << oldHeader
            + "2024-03-01 10:00:00,2024-03-01,1,60,1500\nnot a time,2024-03-01,2,60,1500\n"
              "2024-03-01 11:00:00,2024-03-01,3,60,1500\n"
                                                          << header
            + "\nlegacy-focus-0-2024-03-01 10:00:00,2024-03-01 09:59:00,2024-03-01 "
              "10:00:00,2024-03-01,1,,60,1500,"
              "true,\n"
              "legacy-focus-2-2024-03-01 11:00:00,2024-03-01 10:59:00,2024-03-01 "
              "11:00:00,2024-03-01,3,,60,1500,"
              "true,\n";
    QTest::newRow("active time not a number, start equals end")
        << oldHeader + "2024-03-01 10:00:00,2024-03-01,3,abc,1500\n"
        << header
            + "\nlegacy-focus-0-2024-03-01 10:00:00,2024-03-01 10:00:00,2024-03-01 "
              "10:00:00,2024-03-01,3,,abc,1500,"
              "true,\n";
    QTest::newRow("absurd active time, start equals end")
        << oldHeader + "2024-03-01 10:00:00,2024-03-01,3,-9223372036854775808,1500\n"
        << header
            + "\nlegacy-focus-0-2024-03-01 10:00:00,2024-03-01 10:00:00,2024-03-01 10:00:00,2024-03-01,3,,"
              "-9223372036854775808,1500,true,\n";
    QTest::newRow("eight fields keep their first five")
        << oldHeader + "2024-03-01 10:00:00,2024-03-01,3,90,1500,x,y,z\n"
        << header
            + "\nlegacy-focus-0-2024-03-01 10:00:00,2024-03-01 09:58:30,2024-03-01 "
              "10:00:00,2024-03-01,3,,90,1500,"
              "true,\n";
    QTest::newRow("twelve fields cut to ten, nine get a title, four vanish")
        << QByteArray("some,older,header\n")
            + "a,s,e,d,1,title,90,1500,true,notes,extra,more\n"
              "b,s,e,d,2,90,1500,false,notes\nc,d,e,f\n"
        << header + "\na,s,e,d,1,title,90,1500,true,notes\nb,s,e,d,2,,90,1500,false,notes\n";
    QTest::newRow("crlf and blank lines are normalised")
        << QByteArray("old\r\n\r\n") + "a,s,e,d,1,\"multi\r\nline\",90,1500,true,n\r\n"
        << header + "\na,s,e,d,1,\"multi\r\nline\",90,1500,true,n\n";
    const QByteArray firstRow = row("first", "2024-03-01", "90", "true");
    QTest::newRow("a first data row keeps its place under a new header")
        << firstRow + row("second", "2024-03-02", "60", "false")
        << header + '\n' + firstRow + row("second", "2024-03-02", "60", "false");
    QTest::newRow("a first data row without title keeps its place")
        << QByteArray("x,2024-03-01 09:00:00,2024-03-01 09:25:00,2024-03-01,1,90,1500,true,n\n")
        << header + "\nx,2024-03-01 09:00:00,2024-03-01 09:25:00,2024-03-01,1,,90,1500,true,n\n";
}

void TestFocusLog::startUpHeader()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    QVERIFY(writeFileBytes(logPath(), before));
    const FocusSessionLogger logger(logPath());
    QCOMPARE(readFileBytes(logPath()), after);
    if (const auto moved = logger.file().takeMovedAside())
        QCOMPARE(readFileBytes(m_directory->filePath(moved->newFileName)), before);
    // A second start finds the current header and changes nothing.
    const FocusSessionLogger again(logPath());
    QCOMPARE(readFileBytes(logPath()), after);
}

void TestFocusLog::appendWritesOneRow()
{
    const FocusSessionLogger logger(logPath());
    QVERIFY(logger.append(sampleEntry()).ok());
    FocusSessionLogEntry ended = sampleEntry();
    ended.eventID = QStringLiteral("second");
    ended.completed = false;
    ended.title.clear();
    ended.notes.clear();
    ended.activeSeconds = 61;
    ended.endTimestamp = at(2024, 3, 2, 0, 5);
    QVERIFY(logger.append(ended).ok());
    QCOMPARE(readFileBytes(logPath()),
        header
            + "\n0f8fad5b-d9cb-469f-a165-70867728950e,2024-03-01 09:35:00,2024-03-01 10:00:00,2024-03-01,4,"
              "\"Write, then \"\"edit\"\"\",1500,1500,true,\"line one\nline two\"\n"
              "second,2024-03-01 09:35:00,2024-03-02 00:05:00,2024-03-02,4,,61,1500,false,\n");
}

void TestFocusLog::appendRepairsATornRow_data()
{
    QTest::addColumn<QByteArray>("torn");
    QTest::addColumn<QByteArray>("repaired");

    QTest::newRow("no final line feed") << QByteArray("a,b") << QByteArray("a,b\n");
    QTest::newRow("final carriage return") << QByteArray("a,b\r") << QByteArray("a,b\r\n");
    QTest::newRow("inside a quoted field") << QByteArray("a,\"notes") << QByteArray("a,\"notes\"\n");
    QTest::newRow("inside a quoted field after its line feed")
        << QByteArray("a,\"line one\n") << QByteArray("a,\"line one\n\"\n");
    QTest::newRow("after a doubled quote") << QByteArray("a,\"say \"\"") << QByteArray("a,\"say \"\"\"\n");
    QTest::newRow("a whole row is left as it is") << QByteArray("a,\"x\"\n") << QByteArray("a,\"x\"\n");
}

void TestFocusLog::appendRepairsATornRow()
{
    QFETCH(QByteArray, torn);
    QFETCH(QByteArray, repaired);
    QVERIFY(writeFileBytes(logPath(), header + '\n' + torn));
    const FocusSessionLogger logger(logPath());
    QVERIFY(logger.append(sampleEntry()).ok());
    const QByteArray bytes = readFileBytes(logPath());
    QVERIFY(bytes.startsWith(header + '\n' + repaired));
    // The appended round stands as a row of its own.
    const QList<NotesTimelineEntry> entries = logger.timelineEntries();
    QVERIFY(!entries.isEmpty());
    QCOMPARE(entries.last().id, sampleEntry().eventID);
    QCOMPARE(entries.last().notes, sampleEntry().notes);
}

void TestFocusLog::appendToADeletedLogFails()
{
    const FocusSessionLogger logger(logPath());
    QVERIFY(QFile::remove(logPath()));
    const Status status = logger.append(sampleEntry());
    QVERIFY(!status.ok());
    QVERIFY(!status.error().isEmpty());
    QVERIFY(!QFile::exists(logPath()));
}

void TestFocusLog::appendReportsAFullDisk()
{
    if (!QFile::exists(QStringLiteral("/dev/full")))
        QSKIP("This system has no /dev/full to stand for a full disk.");
    const FocusSessionLogger logger(logPath());
    QVERIFY(QFile::remove(logPath()));
    QVERIFY(QFile::link(QStringLiteral("/dev/full"), logPath()));
    QVERIFY(!logger.append(sampleEntry()).ok());
}

void TestFocusLog::updateEntry_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("eventID");
    QTest::addColumn<std::optional<QString>>("title");
    QTest::addColumn<QString>("notes");
    QTest::addColumn<QByteArray>("after");

    const QByteArray rows = row("a", "2024-03-01", "90", "true", "old", "n1") + "short,row\n"
        + row("b", "2024-03-01", "60", "false", "keep", "n2");
    QTest::newRow("title and notes") << header + '\n' + rows << QStringLiteral("a")
                                     << std::optional<QString>(QStringLiteral("new, title"))
                                     << QStringLiteral("new\nnotes")
                                     << header + '\n'
            + "a,2024-03-01 09:00:00,2024-03-01 09:25:00,2024-03-01,1,\"new, "
              "title\",90,1500,true,\"new\nnotes\"\n"
              "short,row\n"
            + row("b", "2024-03-01", "60", "false", "keep", "n2");
    QTest::newRow("no title keeps the stored one, empty notes")
        << header + '\n' + rows << QStringLiteral("b") << std::optional<QString>() << QString()
        << header + '\n' + row("a", "2024-03-01", "90", "true", "old", "n1") + "short,row\n"
            + row("b", "2024-03-01", "60", "false", "keep", "");
    QTest::newRow("unknown id keeps the rows")
        << header + "\r\n\r\n" + rows << QStringLiteral("zzz") << std::optional<QString>(QStringLiteral("x"))
        << QStringLiteral("y") << header + '\n' + rows;
    QTest::newRow("every row with the id")
        << header + '\n' + row("a", "2024-03-01", "1", "true") + row("a", "2024-03-02", "2", "true")
        << QStringLiteral("a") << std::optional<QString>(QStringLiteral("T")) << QStringLiteral("N")
        << header + '\n' + row("a", "2024-03-01", "1", "true", "T", "N")
            + row("a", "2024-03-02", "2", "true", "T", "N");
    QTest::newRow("the first record is never matched")
        << row("a", "2024-03-01", "1", "true") << QStringLiteral("a")
        << std::optional<QString>(QStringLiteral("T")) << QStringLiteral("N")
        << row("a", "2024-03-01", "1", "true");
    QTest::newRow("extra fields are kept")
        << header + "\na,s,e,d,1,t,90,1500,true,n,extra\n"
        << QStringLiteral("a") << std::optional<QString>() << QStringLiteral("N")
        << header + "\na,s,e,d,1,t,90,1500,true,N,extra\n";
    QTest::newRow("no records, nothing written")
        << QByteArray("\n\n") << QStringLiteral("a") << std::optional<QString>() << QStringLiteral("N")
        << QByteArray("\n\n");
}

void TestFocusLog::updateEntry()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, eventID);
    QFETCH(std::optional<QString>, title);
    QFETCH(QString, notes);
    QFETCH(QByteArray, after);
    QVERIFY(writeFileBytes(logPath(), header + '\n'));
    const FocusSessionLogger logger(logPath());
    QVERIFY(writeFileBytes(logPath(), before));
    QVERIFY(logger.updateEntry(eventID, title, notes).ok());
    QCOMPARE(readFileBytes(logPath()), after);
}

void TestFocusLog::updateEntryKeepsTheBytesOfAFileNotInUtf8_data()
{
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("invalid byte") << header + '\n' + row("a", "2024-03-01", "90", "true", "caf\xe9");
    QTest::newRow("cut-off sequence before the end") << header + '\n'
            + row("a", "2024-03-01", "90", "true", "\xe4\xb8") + row("b", "2024-03-01", "9", "true");
    QTest::newRow("continuation byte alone at the end")
        << header + '\n' + row("a", "2024-03-01", "90", "true") + "\x80";
    QTest::newRow("a lead byte of no character at the end")
        << header + '\n' + row("a", "2024-03-01", "90", "true") + "\xc0";
    QTest::newRow("overlong start at the end")
        << header + '\n' + row("a", "2024-03-01", "90", "true") + "\xe0\x80";
    QTest::newRow("a byte past a whole character at the end")
        << header + '\n' + row("a", "2024-03-01", "90", "true") + "\xe4\xb8\xad\xad";
    QTest::newRow("overlong encoding") << header + '\n' + row("a", "2024-03-01", "90", "true", "\xc0\xaf");
}

void TestFocusLog::updateEntryKeepsTheBytesOfAFileNotInUtf8()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(writeFileBytes(logPath(), header + '\n'));
    const FocusSessionLogger logger(logPath());
    QVERIFY(writeFileBytes(logPath(), bytes));
    // Read as GB18030 and converted after a backup, or moved aside when not even that: the bytes stay.
    static_cast<void>(
        logger.updateEntry(QStringLiteral("a"), QStringLiteral("new"), QStringLiteral("notes")));
    QMap<QString, QByteArray> files = fileBytesBelow(m_directory->path());
    files.remove(logPath());
    QVERIFY(files.values().contains(bytes));
}

void TestFocusLog::aCharacterCutOffAtTheEndIsLeftOut_data()
{
    QTest::addColumn<QByteArray>("whole");
    QTest::addColumn<QByteArray>("cutOff");

    const QByteArray rows = header + '\n' + row("a", "2024-03-01", "90", "true", "\xe4\xb8\x93\xe6\xb3\xa8");
    const QByteArray torn = "b,2024-03-01 09:30:00,2024-03-01 09:55:00,2024-03-01,2,t,60,1500,true,";
    QTest::newRow("one byte of two after whole rows") << rows << QByteArray("\xc3");
    QTest::newRow("one byte of three in a torn unquoted field")
        << rows + torn + "\xe4\xb8\x93" << QByteArray("\xe6");
    QTest::newRow("two bytes of three in a torn quoted field")
        << rows + torn + "\"line\n\xe4\xb8\x93" << QByteArray("\xe6\xb3");
    QTest::newRow("three bytes of four") << rows + torn + "\"x" << QByteArray("\xf0\x9f\x98");
    QTest::newRow("two bytes of the highest character") << rows + torn << QByteArray("\xf4\x8f");
}

void TestFocusLog::aCharacterCutOffAtTheEndIsLeftOut()
{
    QFETCH(QByteArray, whole);
    QFETCH(QByteArray, cutOff);
    const FocusSessionLogger logger(logPath());
    QVERIFY(writeFileBytes(logPath(), whole));
    const QList<NotesTimelineEntry> entries = logger.timelineEntries();
    const Metrics metrics = logger.dailyMetrics();
    QVERIFY(!entries.isEmpty());

    // What a killed append leaves: the file ends inside a character of its torn last record.
    QVERIFY(writeFileBytes(logPath(), whole + cutOff));
    QCOMPARE(logger.timelineEntries(), entries);
    QCOMPARE(logger.dailyMetrics(), metrics);
    QVERIFY(logger.updateEntry(QStringLiteral("a"), std::nullopt, QStringLiteral("edited")).ok());
    QCOMPARE(logger.timelineEntries().first().notes, QStringLiteral("edited"));
    QCOMPARE(logger.timelineEntries().size(), entries.size());
}

void TestFocusLog::updateEntryOfADeletedLogFails()
{
    const FocusSessionLogger logger(logPath());
    QVERIFY(QFile::remove(logPath()));
    QVERIFY(!logger.updateEntry(QStringLiteral("a"), std::nullopt, QString()).ok());
    QVERIFY(!QFile::exists(logPath()));
}

void TestFocusLog::dailyMetrics_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Metrics>("expected");

    const qint64 maximum = std::numeric_limits<qint64>::max();
    const qint64 minimum = std::numeric_limits<qint64>::min();
    QTest::newRow("header only") << header + '\n' << Metrics();
    QTest::newRow("unreadable") << header + "\n\xff\n" + row("a", "2024-03-01", "90", "true") << Metrics();
    QTest::newRow("text active time counts the round but no seconds")
        << header + '\n' + row("a", "2024-03-01", "1500", "true") + row("b", "2024-03-01", "abc", "true")
        << Metrics { { QStringLiteral("2024-03-01"), { 2, 1500 } } };
    QTest::newRow("true in any case, or 1, counts")
        << header + '\n' + row("a", "2024-03-01", "100", "false") + row("b", "2024-03-01", "100", "TRUE")
            + row("c", "2024-03-01", "100", " true") + row("d", "2024-03-02", "100", "1")
        << Metrics { { QStringLiteral("2024-03-01"), { 1, 100 } },
               { QStringLiteral("2024-03-02"), { 1, 100 } } };
    QTest::newRow("short rows and the first record are skipped") << row("h", "2024-03-01", "7", "true")
            + "a,s,e,2024-03-01,1,t,5,1500,true\n"
            + row("b", "2024-03-01", "9", "true") << Metrics { { QStringLiteral("2024-03-01"), { 1, 9 } } };
    QTest::newRow("days interleaved")
        << header + '\n' + row("a", "2024-03-01", "1", "true") + row("b", "2024-03-02", "2", "true")
            + row("c", "2024-03-01", "4", "true")
        << Metrics { { QStringLiteral("2024-03-01"), { 2, 5 } }, { QStringLiteral("2024-03-02"), { 1, 2 } } };
    QTest::newRow("sums saturate") << header + '\n' + row("a", "2024-03-01", "9223372036854775807", "true")
            + row("b", "2024-03-01", "9223372036854775807", "true")
            + row("c", "2024-03-02", "-9223372036854775808", "true") + row("d", "2024-03-02", "-1", "true")
                                   << Metrics { { QStringLiteral("2024-03-01"), { 2, maximum } },
                                          { QStringLiteral("2024-03-02"), { 2, minimum } } };
}

void TestFocusLog::dailyMetrics()
{
    QFETCH(QByteArray, bytes);
    QFETCH(Metrics, expected);
    const FocusSessionLogger logger(logPath());
    QVERIFY(writeFileBytes(logPath(), bytes));
    QCOMPARE(logger.dailyMetrics(), expected);
}

// The journal's notice counts the rounds that unreadable rows hide, not the rows the reader sees.
void TestFocusLog::aStrayQuoteHidesEveryRowItSwallows()
{
    QVERIFY(writeFileBytes(logPath(),
        header + '\n' + row("x", "2024-03-01", "1", "true", "\"oops") + row("b", "2024-03-02", "2", "true")
            + row("c", "2024-03-03", "3", "true")));
    QCOMPARE(FocusSessionLogger(logPath()).unreadableRowCount(), qsizetype(3));
}

void TestFocusLog::timelineEntries()
{
    const FocusSessionLogger logger(logPath());
    QVERIFY(writeFileBytes(logPath(),
        header
            + "\na,2024-03-01 09:00:00,2024-03-01 09:25:00,2024-03-01,,T,90,1500,true,N\n"
              "b,2024-03-01 09:30:00,,2024-03-01,2,T,90,1500,true,N\n"
              "c,2024-03-01 09:40:00,2024-03-01 09:45:00,2024-03-01,+3,\"x,y\",90,1500,false,"
              "\"two\nlines\",extra\n"
              "d,2024-03-01 09:40:00,2024-03-01 09:45:00,2024-03-01,3,t,90,1500,true\n"));
    const QList<NotesTimelineEntry> entries = logger.timelineEntries();
    const QList<NotesTimelineEntry> expected {
        { QStringLiteral("a"), NotesTimelineKind::focus(true), at(2024, 3, 1, 9, 0), at(2024, 3, 1, 9, 25), 0,
            QStringLiteral("T"), std::nullopt, QStringLiteral("N") },
        { QStringLiteral("c"), NotesTimelineKind::focus(false), at(2024, 3, 1, 9, 40), at(2024, 3, 1, 9, 45),
            3, QStringLiteral("x,y"), std::nullopt, QStringLiteral("two\nlines") },
    };
    QCOMPARE(entries, expected);
}

void TestFocusLog::appendedRoundReadsBack()
{
    const FocusSessionLogger logger(logPath());
    const FocusSessionLogEntry entry = sampleEntry();
    QVERIFY(logger.append(entry).ok());
    const QList<NotesTimelineEntry> entries = logger.timelineEntries();
    QCOMPARE(entries.size(), 1);
    QCOMPARE(entries[0],
        (NotesTimelineEntry { entry.eventID, NotesTimelineKind::focus(true), entry.startTimestamp,
            entry.endTimestamp, entry.sessionNumber, entry.title, std::nullopt, entry.notes }));
    QCOMPARE(logger.dailyMetrics(), (Metrics { { QStringLiteral("2024-03-01"), { 1, 1500 } } }));
}

QUORVANE_TEST_GUILESS_MAIN(TestFocusLog)
#include "tst_focus_log.moc"
