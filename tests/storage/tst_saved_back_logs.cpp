#include "ControllerHarness.h"
#include "TestProgram.h"
#include "storage/CSVCodec.h"

#include <QDirIterator>
#include <QRegularExpression>
#include <QTest>
#include <functional>
#include <numeric>

namespace {

const QString focusLog = QStringLiteral("focus-session-log.csv");
const QString activityLog = QStringLiteral("daily-activity-log.csv");
const QString corpus = QStringLiteral(QUORVANE_TEST_DATA "/saved-back-logs/");

// The log with each event id that neither saved log held (a copied row's new one) as "new-event-id", as the
// expected files write it: such an id is random.
QByteArray withNewIdsMarked(const QByteArray &log, const QHash<QString, QByteArray> &saved)
{
    static const QRegularExpression uuid(QStringLiteral("[0-9a-f]{8}(-[0-9a-f]{4}){3}-[0-9a-f]{12}"));
    QString text = QString::fromUtf8(log);
    for (const QRegularExpressionMatch &match : uuid.globalMatch(QString::fromUtf8(log))) {
        const QByteArray id = match.captured().toLatin1();
        if (std::none_of(
                saved.cbegin(), saved.cend(), [&](const QByteArray &bytes) { return bytes.contains(id); }))
            text.replace(match.captured(), QStringLiteral("new-event-id"));
    }
    return text.toUtf8();
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

        // Each log as its expected file under the pair ("rewritten-…") says, byte for byte, or as it was
        // saved where the pair has none.
        for (const QString &log : { focusLog, activityLog }) {
            const QStringList backups = backupsOf(folder, log);
            QVERIFY(backups.size() <= 1);
            const QByteArray now = readFileBytes(harness.file(log));
            const QString expected = corpus + pair + QStringLiteral("/rewritten-") + log;
            QCOMPARE(withNewIdsMarked(now, original),
                QFile::exists(expected) ? readFileBytes(expected) : original[log]);
            if (!backups.isEmpty()) {
                // The exact bytes the user saved are one file away.
                QCOMPARE(readFileBytes(QDir(folder).filePath(backups.first())), original[log]);
            } else {
                // Without a backup only the edited row may differ.
                const QStringList before = CSVCodec::records(QString::fromUtf8(original[log]));
                const QStringList later = CSVCodec::records(QString::fromUtf8(now));
                QCOMPARE(later.size(), before.size());
                QVERIFY(std::inner_product(before.cbegin(), before.cend(), later.cbegin(), 0, std::plus<>(),
                            std::not_equal_to<>())
                    <= 1);
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
