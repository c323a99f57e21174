#include "ControllerHarness.h"
#include "TestProgram.h"
#include "storage/CSVCodec.h"

#include <QDirIterator>
#include <QSet>
#include <QStringDecoder>
#include <QTest>
#include <functional>
#include <numeric>

namespace {

const QString focusLog = QStringLiteral("focus-session-log.csv");
const QString activityLog = QStringLiteral("daily-activity-log.csv");
const QString corpus = QStringLiteral(QUORVANE_TEST_DATA "/saved-back-logs/");

// Every field of a log file as a spreadsheet would show it, in whatever encoding and separator it has.
QSet<QString> fieldsOf(const QByteArray &bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (utf8.hasError())
        text = QStringDecoder("GB18030")(bytes);
    const QStringList records = CSVCodec::records(text);
    QSet<QString> fields;
    for (const QString &record : records) {
        for (const QString &field : CSVCodec::parseLine(record, CSVCodec::separatorOf(records.first())))
            fields.insert(field);
    }
    return fields;
}

QStringList backupsOf(const QString &folder, const QString &log)
{
    return QDir(folder).entryList({ QFileInfo(log).completeBaseName() + QStringLiteral(".backup-*") });
}

} // namespace

// Logs that users opened in a spreadsheet or in pandas and saved back, each started on, edited in the
// journal and quit: nothing of what they held is lost, and the journal and the statistics read them alike.
class SavedBackLogsTest : public QObject
{
    Q_OBJECT

private slots:
    void startEditAndQuitKeepEverything_data()
    {
        QTest::addColumn<QString>("pair");
        QTest::addColumn<int>("rounds");
        QTest::addColumn<int>("breaks");
        QTest::addColumn<qsizetype>("unreadableRounds");
        QTest::newRow("as the program writes it") << "program" << 25 << 21 << qsizetype(0);
        QTest::newRow("LibreOffice, text quoted") << "libreoffice" << 25 << 21 << qsizetype(0);
        QTest::newRow("LibreOffice, plain quotes") << "libreoffice-plain-quotes" << 25 << 21 << qsizetype(0);
        QTest::newRow("LibreOffice, semicolons") << "libreoffice-semicolon" << 25 << 21 << qsizetype(0);
        QTest::newRow("semicolons, CRLF, BOM") << "excel-semicolon-crlf-bom" << 25 << 21 << qsizetype(0);
        QTest::newRow("GB18030") << "gb18030" << 25 << 21 << qsizetype(0);
        QTest::newRow("pandas with its index") << "pandas" << 25 << 21 << qsizetype(0);
        QTest::newRow("pandas, one empty score") << "pandas-empty-health" << 25 << 21 << qsizetype(0);
        QTest::newRow("a column the user added") << "user-column" << 25 << 21 << qsizetype(0);
        QTest::newRow("a time retyped in a local form") << "local-time" << 24 << 21 << qsizetype(1);
        QTest::newRow("a row copied with its id") << "copied-row" << 25 << 22 << qsizetype(0);
    }

    void startEditAndQuitKeepEverything()
    {
        QFETCH(QString, pair);
        QFETCH(int, rounds);
        QFETCH(int, breaks);
        QFETCH(qsizetype, unreadableRounds);
        ControllerHarness harness;
        const QString folder = QFileInfo(harness.file(focusLog)).path();
        QVERIFY(QDir().mkpath(folder));
        QHash<QString, QByteArray> original;
        for (const QString &log : { focusLog, activityLog }) {
            original[log] = readFileBytes(corpus + pair + u'/' + log);
            QVERIFY(writeFileBytes(harness.file(log), original[log]));
        }
        harness.startTime = QDateTime(QDate(2026, 12, 7), QTime(18, 0), Qt::LocalTime);
        AppController &controller = harness.start();

        const auto logged = [&] {
            QList<NotesTimelineEntry> entries = controller.journal()->allNotesEntries(harness.clock->now());
            entries.removeIf([&](const NotesTimelineEntry &entry) {
                return entry.id == controller.round()->currentSessionID();
            });
            return entries;
        };
        QList<NotesTimelineEntry> entries = logged();
        const int focusEntries = int(std::count_if(entries.cbegin(), entries.cend(),
            [](const NotesTimelineEntry &entry) { return entry.kind.isFocus(); }));
        QCOMPARE(focusEntries, rounds);
        QCOMPARE(int(entries.size()) - focusEntries, breaks);
        QCOMPARE(controller.statistics()->unreadableLogRows().focus, unreadableRounds);
        QCOMPARE(controller.statistics()->unreadableLogRows().activity, qsizetype(0));
        qint64 completed = 0;
        qint64 health = 0;
        for (const NotesTimelineEntry &entry : entries) {
            completed += entry.kind.isFocus() && entry.kind.completed ? 1 : 0;
            health += entry.kind.isFocus() ? 0 : entry.kind.healthScore;
        }
        qint64 statisticsRounds = 0;
        qint64 statisticsHealth = 0;
        for (const DailyStat &day : controller.statistics()->dailyStats()) {
            statisticsRounds += day.completedSessions;
            statisticsHealth += day.healthScore;
        }
        QCOMPARE(statisticsRounds, completed);
        QCOMPARE(statisticsHealth, health);

        // The row copied to log a forgotten break is edited, and its original keeps its own note.
        auto edited = std::find_if(entries.cbegin(), entries.cend(),
            [](const NotesTimelineEntry &entry) { return entry.notes == u"补记：忘记的休息"; });
        if (edited == entries.cend())
            edited = std::find_if(entries.cbegin(), entries.cend(), [](const NotesTimelineEntry &entry) {
                return !entry.kind.isFocus() && entry.sessionNumber == 3;
            });
        QVERIFY(edited != entries.cend());
        const QString editedNote = QStringLiteral("改过, \"edited\"\nline");
        controller.journal()->updateJournalEntry(
            *edited, edited->title, std::nullopt, std::nullopt, editedNote);
        const QList<NotesTimelineEntry> after = logged();
        QCOMPARE(after.size(), entries.size());
        for (qsizetype i = 0; i < entries.size(); ++i) {
            if (entries[i].id != edited->id)
                QCOMPARE(after[i].notes, entries[i].notes);
        }
        QCOMPARE(std::count_if(after.cbegin(), after.cend(),
                     [&](const NotesTimelineEntry &entry) { return entry.notes == editedNote; }),
            1);
        controller.shutdown();
        harness.controller.reset();

        for (const QString &log : { focusLog, activityLog }) {
            const QStringList backups = backupsOf(folder, log);
            QVERIFY(backups.size() <= 1);
            const QByteArray now = readFileBytes(harness.file(log));
            QSet<QString> kept = fieldsOf(now);
            if (!backups.isEmpty()) {
                // The exact bytes the user saved are one file away.
                const QByteArray backup = readFileBytes(QDir(folder).filePath(backups.first()));
                QCOMPARE(backup, original[log]);
                kept.unite(fieldsOf(backup));
            } else {
                // Without a backup only the edited row may differ.
                const QStringList before = CSVCodec::records(QString::fromUtf8(original[log]));
                const QStringList later = CSVCodec::records(QString::fromUtf8(now));
                QCOMPARE(later.size(), before.size());
                QVERIFY(std::inner_product(before.cbegin(), before.cend(), later.cbegin(), 0, std::plus<>(),
                            std::not_equal_to<>())
                    <= 1);
            }
            QCOMPARE(CSVCodec::records(QString::fromUtf8(now)).size(),
                CSVCodec::records(QString::fromUtf8(original[log])).size());
            for (const QString &field : fieldsOf(original[log])) {
                if (field != edited->notes)
                    QVERIFY2(kept.contains(field), qPrintable(log + QStringLiteral(": ") + field));
            }
        }
    }

    void anUnreadableLogIsMovedAsideAndToldOnce()
    {
        ControllerHarness harness;
        QVERIFY(QDir().mkpath(QFileInfo(harness.file(focusLog)).path()));
        const QByteArray binary("\x89PNG\r\n\x1a\n\x00\x00\xff\xfe\x80", 13);
        QVERIFY(writeFileBytes(harness.file(focusLog), binary));
        harness.startTime = QDateTime(QDate(2026, 12, 7), QTime(18, 0), Qt::LocalTime);
        AppController &controller = harness.start();
        const QString movedName = QStringLiteral("focus-session-log.unreadable-2026-12-07.csv");
        QCOMPARE(readFileBytes(QFileInfo(harness.file(focusLog)).dir().filePath(movedName)), binary);
        QVERIFY(controller.sheets()->showingAlert());
        QCOMPARE(controller.sheets()->alertTitle(), QStringLiteral("记录文件无法读取"));
        QVERIFY(controller.sheets()->alertMessage().contains(movedName));
        QVERIFY(!controller.sheets()->alertMessage().contains(harness.root()));
        controller.sheets()->setShowingAlert(false);
        harness.tick(1500);
        QVERIFY(!controller.sheets()->showingAlert());
    }
};

QUORVANE_TEST_GUILESS_MAIN(SavedBackLogsTest)
#include "tst_saved_back_logs.moc"
