#include "ControllerHarness.h"
#include "TestProgram.h"
#include "storage/CSVLogger.h"
#include "storage/FocusSessionLogger.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTest>

class JournalOperationsTest : public QObject
{
    Q_OBJECT

private:
    static QString logText(ControllerHarness &harness, const char *name)
    {
        return QString::fromUtf8(readFileBytes(harness.file(QString::fromLatin1(name))));
    }

private slots:
    void notesDuringARoundOnlyReachTheSnapshot()
    {
        ControllerHarness harness;
        AppController &controller = harness.start();
        const QByteArray focusLog = readFileBytes(harness.file(QStringLiteral("focus-session-log.csv")));
        controller.journal()->updateCurrentSessionNotes(QStringLiteral("draft, with a comma"));
        controller.journal()->updateCurrentSessionTitle(QStringLiteral("Writing"));
        QCOMPARE(readFileBytes(harness.file(QStringLiteral("focus-session-log.csv"))), focusLog);
        QCOMPARE(controller.journal()->notesRevision(), 0);
        const QJsonObject snapshot = QJsonDocument::fromJson(
            readFileBytes(harness.file(QStringLiteral("active-focus-session.json"))))
                                         .object();
        QCOMPARE(snapshot.value(QStringLiteral("notes")).toString(), QStringLiteral("draft, with a comma"));
        QCOMPARE(snapshot.value(QStringLiteral("title")).toString(), QStringLiteral("Writing"));
    }

    void notesAfterTheRoundRewriteItsRow()
    {
        ControllerHarness harness;
        AppController &controller = harness.start();
        controller.round()->finishFocusNow();
        const qint64 revision = controller.journal()->notesRevision();
        controller.journal()->updateCurrentSessionNotes(QStringLiteral("done \"well\""));
        QCOMPARE(controller.journal()->notesRevision(), revision + 1);
        QVERIFY(logText(harness, "focus-session-log.csv").contains(QStringLiteral("\"done \"\"well\"\"\"")));
        controller.journal()->updateCurrentSessionTitle(QStringLiteral("Renamed"));
        QCOMPARE(controller.journal()->notesRevision(), revision + 2);
        QVERIFY(logText(harness, "focus-session-log.csv").contains(QStringLiteral(",Renamed,")));
    }

    void editingTheLiveEntryBumpsTheRevisionOnce()
    {
        ControllerHarness harness;
        AppController &controller = harness.start();
        const QByteArray focusLog = readFileBytes(harness.file(QStringLiteral("focus-session-log.csv")));
        const QList<NotesTimelineEntry> entries = controller.journal()->allNotesEntries(harness.clock->now());
        QCOMPARE(entries.size(), 1);
        QSignalSpy revisions(controller.journal(), &Journal::notesRevisionChanged);
        controller.journal()->updateJournalEntry(
            entries.first(), QStringLiteral("Live"), QStringLiteral("ignored"), 99, QStringLiteral("notes"));
        QCOMPARE(revisions.count(), 1);
        QCOMPARE(controller.journal()->currentSessionTitle(), QStringLiteral("Live"));
        QCOMPARE(controller.journal()->currentSessionNotes(), QStringLiteral("notes"));
        QCOMPARE(readFileBytes(harness.file(QStringLiteral("focus-session-log.csv"))), focusLog);
    }

    void liveEntryExistsOnlyInFocus_data()
    {
        QTest::addColumn<bool>("inFocus");
        QTest::newRow("focus") << true;
        QTest::newRow("session complete") << false;
    }

    void liveEntryExistsOnlyInFocus()
    {
        QFETCH(bool, inFocus);
        ControllerHarness harness;
        AppController &controller = harness.start();
        if (!inFocus)
            controller.round()->finishFocusNow();
        const QDateTime at = harness.clock->now().addSecs(42);
        const QList<NotesTimelineEntry> entries = controller.journal()->allNotesEntries(at);
        const auto live = std::count_if(entries.cbegin(), entries.cend(),
            [&](const auto &entry) { return entry.id == controller.round()->currentSessionID(); });
        // After the round its logged row stands in for it, with the same id.
        QCOMPARE(live, 1);
        QCOMPARE(entries.last().endTimestamp == at, inFocus);
    }

    void editingALoggedRowIsNotAnOutsideChange()
    {
        ControllerHarness harness;
        AppController &controller = harness.start();
        controller.round()->finishFocusNow();
        harness.tick(1000);
        const QList<NotesTimelineEntry> entries = controller.journal()->allNotesEntries(harness.clock->now());
        QCOMPARE(entries.size(), 1);
        const qint64 before = controller.journal()->notesRevision();
        controller.journal()->updateJournalEntry(
            entries.first(), QStringLiteral("Edited"), std::nullopt, std::nullopt, QStringLiteral("later"));
        QCOMPARE(controller.journal()->notesRevision(), before + 1);
        QCOMPARE(controller.journal()->currentSessionTitle(), QStringLiteral("Edited"));
        harness.tick(1000);
        harness.tick(1000);
        QCOMPARE(controller.journal()->notesRevision(), before + 1);
    }

    void breakEditsReachTheActivityLogAndTotals()
    {
        ControllerHarness harness;
        AppStorageService::storageDirectory(harness.root());
        CSVLogger activity(harness.file(QStringLiteral("daily-activity-log.csv")));
        const QDateTime at = harness.startTime.addSecs(-60);
        const WheelItem walk { QUuid::createUuid(), QStringLiteral("散步"), 16, 12,
            QStringLiteral("figure.walk") };
        QVERIFY(
            activity.append({ QStringLiteral("b1"), at, at, 1, QStringLiteral("Break"), walk, 16, 12, {} })
                .ok());
        AppController &controller = harness.start();
        QCOMPARE(controller.statistics()->todayHealthScore(), 12);
        const NotesTimelineEntry entry = controller.journal()->allNotesEntries(harness.clock->now()).first();
        QVERIFY(!entry.kind.isFocus());
        controller.journal()->updateJournalEntry(
            entry, QStringLiteral("Break"), std::nullopt, 40, QStringLiteral("long walk"));
        QCOMPARE(controller.statistics()->todayHealthScore(), 40);
        QCOMPARE(controller.statistics()->dailyStats().last().healthScore, 40);
    }

    void failedEditShowsTheAlertAndKeepsTheRevision()
    {
        ControllerHarness harness;
        AppController &controller = harness.start();
        controller.round()->finishFocusNow();
        const NotesTimelineEntry entry = controller.journal()->allNotesEntries(harness.clock->now()).first();
        // A folder in place of the log makes the rewrite fail, even for root.
        const QString log = harness.file(QStringLiteral("focus-session-log.csv"));
        QVERIFY(QFile::remove(log));
        QVERIFY(QDir().mkpath(log));
        const qint64 revision = controller.journal()->notesRevision();
        controller.journal()->updateJournalEntry(
            entry, QStringLiteral("x"), std::nullopt, std::nullopt, QStringLiteral("y"));
        QCOMPARE(controller.sheets()->alertTitle(), QStringLiteral("无法保存笔记"));
        QCOMPARE(controller.journal()->notesRevision(), revision);
    }
};

QUORVANE_TEST_GUILESS_MAIN(JournalOperationsTest)
#include "tst_journal_operations.moc"
