#include "CrashConsistencyRows.h"
#include "storage/AppStorageService.h"
#include "storage/CSVCodec.h"
#include "storage/CSVLogger.h"
#include "storage/CsvLogFile.h"
#include "storage/FocusSessionLogger.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QHash>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

namespace {

constexpr int killCount = 200;

// Every record of a log file after its header, read as the program reads it; nothing for a file that it
// cannot read or that lacks the header.
std::optional<QStringList> dataRecords(const QString &path, const QString &header)
{
    const Result<QString> text = CsvLogFile(path, header, {}).readText();
    if (!text)
        return std::nullopt;
    QStringList records = CSVCodec::records(*text);
    if (records.isEmpty() || records.takeFirst() != header)
        return std::nullopt;
    return records;
}

} // namespace

// A writer killed at any moment leaves every state file whole and every row it reported in the logs.
class CrashConsistencyTest : public QObject
{
    Q_OBJECT

private slots:
    void killedWriterLosesNothing();

private:
    // Starts the child, lets it write for a moment and kills it; gives the rows it reported.
    void runAndKill(qint64 run, int millisecondsAfterReady, QStringList &reported);
    void verifyStateFiles();
    void verifyLogs(int kills);
    // The loggers themselves read every reported row back.
    void verifyReadBack();

    QTemporaryDir m_root;
    QHash<QString, QString> m_reportedNotes;
    QHash<QString, QString> m_reportedTitles;
};

void CrashConsistencyTest::runAndKill(qint64 run, int millisecondsAfterReady, QStringList &reported)
{
    QProcess child;
    child.start(QStringLiteral(CRASH_CONSISTENCY_CHILD), { m_root.path(), QString::number(run) });
    QVERIFY2(child.waitForStarted(10'000), qPrintable(child.errorString()));
    QByteArray output;
    const QDeadlineTimer deadline(30'000);
    while (!output.contains("ready\n") && !deadline.hasExpired() && child.state() == QProcess::Running) {
        child.waitForReadyRead(100);
        output += child.readAllStandardOutput();
    }
    QThread::msleep(millisecondsAfterReady);
    child.kill();
    child.waitForFinished(10'000);
    output += child.readAllStandardOutput();
    QVERIFY2(child.exitStatus() == QProcess::CrashExit,
        qPrintable(QStringLiteral("the child stopped by itself: %1").arg(child.exitCode())));
    QVERIFY2(output.contains("ready\n"), output.constData());
    // Only whole lines: a line cut off by the kill reports nothing.
    reported = QString::fromUtf8(output.left(output.lastIndexOf('\n') + 1)).split(u'\n', Qt::SkipEmptyParts);
    reported.removeAll(QStringLiteral("ready"));
}

void CrashConsistencyTest::verifyStateFiles()
{
    const Result<AppPreferences> preferences = AppStorageService::loadPreferences(m_root.path());
    QVERIFY2(preferences, qPrintable(preferences ? QString() : preferences.error()));
    // Every snapshot and every history the child saves can be used: an empty result means a file
    // that did not decode.
    QVERIFY(AppStorageService::loadRestorableActiveFocusSession(m_root.path()).has_value());
    QVERIFY(!AppStorageService::loadHistory(m_root.path()).isEmpty());
}

void CrashConsistencyTest::verifyLogs(int kills)
{
    const QDir storage(AppStorageService::storageDirectory(m_root.path()));
    const QString focusPath = storage.filePath(QStringLiteral("focus-session-log.csv"));
    const QString activityPath = storage.filePath(QStringLiteral("daily-activity-log.csv"));
    constexpr qsizetype focusColumns = 10;
    constexpr qsizetype activityColumns = 12;
    const std::optional<QStringList> focusRecords = dataRecords(focusPath, FocusSessionLogger::header());
    const std::optional<QStringList> activityRecords = dataRecords(activityPath, CSVLogger::header());
    QVERIFY2(focusRecords, "the focus log does not parse");
    QVERIFY2(activityRecords, "the activity log does not parse");

    // Every reported row is there once, whole; besides them, each kill may have left one row per log
    // that it cut off or that was written but not yet reported.
    QSet<QString> seen;
    qsizetype unreported = 0;
    for (const QStringList *records : { &*focusRecords, &*activityRecords }) {
        const qsizetype columns = records == &*focusRecords ? focusColumns : activityColumns;
        for (const QString &record : *records) {
            const QStringList fields = CSVCodec::parseLine(record);
            const QString id = fields.first();
            // A row that a kill cut off short may have lost the end of its id, which can then read as
            // the id of an earlier row ("focus-3-17" cut to "focus-3-1"). A reported row is never short,
            // and one that went missing shows in the count below.
            if (fields.size() < columns || !m_reportedNotes.contains(id)) {
                ++unreported;
                continue;
            }
            QVERIFY2(!seen.contains(id), qPrintable(id));
            seen.insert(id);
            QCOMPARE(fields.size(), columns);
            QCOMPARE(fields[5], m_reportedTitles.value(id));
            QVERIFY2(fields.last() == m_reportedNotes.value(id)
                    || fields.last() == CrashConsistencyRows::updatedNotes(id),
                qPrintable(id));
        }
    }
    QCOMPARE(seen.size(), m_reportedNotes.size());
    QVERIFY2(unreported <= 2 * kills, qPrintable(QString::number(unreported)));
}

void CrashConsistencyTest::verifyReadBack()
{
    const QDir storage(AppStorageService::storageDirectory(m_root.path()));
    const FocusSessionLogger focusLog(storage.filePath(QStringLiteral("focus-session-log.csv")));
    const CSVLogger activityLog(storage.filePath(QStringLiteral("daily-activity-log.csv")));
    QSet<QString> read;
    for (const auto &entries : { focusLog.timelineEntries(), activityLog.timelineEntries() }) {
        for (const NotesTimelineEntry &entry : entries)
            read.insert(entry.id);
    }
    for (auto it = m_reportedNotes.cbegin(); it != m_reportedNotes.cend(); ++it)
        QVERIFY2(read.contains(it.key()), qPrintable(it.key()));
}

void CrashConsistencyTest::killedWriterLosesNothing()
{
    QVERIFY(m_root.isValid());
    QRandomGenerator random(20240501);
    for (int kill = 1; kill <= killCount; ++kill) {
        const qint64 run = kill;
        QStringList reported;
        runAndKill(run, random.bounded(0, 25), reported);
        if (QTest::currentTestFailed())
            return;
        for (const QString &id : reported) {
            const qint64 number = id.section(u'-', 2).toLongLong();
            m_reportedNotes.insert(id, CrashConsistencyRows::notes(run, number));
            m_reportedTitles.insert(id, CrashConsistencyRows::title(run, number));
        }
        verifyStateFiles();
        verifyLogs(kill);
        if (QTest::currentTestFailed()) {
            qWarning("after kill %d of %d", kill, killCount);
            return;
        }
    }
    verifyReadBack();
    qInfo("%d kills, %lld rows reported", killCount, qint64(m_reportedNotes.size()));
}

QTEST_GUILESS_MAIN(CrashConsistencyTest)
#include "tst_crash_consistency.moc"
