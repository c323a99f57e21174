#include "ControllerHarness.h"
#include "TestProgram.h"
#include "storage/CSVLogger.h"
#include "storage/FocusSessionLogger.h"
#include "ui/journal/JournalCalendar.h"
#include "ui/journal/JournalController.h"
#include "ui/journal/NotesDateFormatters.h"

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

namespace {

// Logs written before the controller starts, as an earlier run would have left them.
class JournalFixture
{
public:
    explicit JournalFixture(ControllerHarness &harness)
        : m_harness(harness)
    {
        AppStorageService::storageDirectory(harness.root());
    }

    void focus(const QString &id, const QDateTime &start, const QDateTime &end, bool completed,
        const QString &notes = {}, const QString &title = QStringLiteral("Writing"), qint64 session = 1)
    {
        const FocusSessionLogger log(m_harness.file(QStringLiteral("focus-session-log.csv")));
        QVERIFY(log.append({ id, start, end, session, title, 1500, 1500, completed, notes }).ok());
    }

    void breakActivity(const QString &id, const QDateTime &start, const QDateTime &end, qint64 score,
        const QString &notes = {}, const QString &activity = QStringLiteral("Stretch"), qint64 session = 1)
    {
        const CSVLogger log(m_harness.file(QStringLiteral("daily-activity-log.csv")));
        const WheelItem item { QUuid::createUuid(), activity, 1, score, QStringLiteral("figure.walk") };
        QVERIFY(log.append({ id, start, end, session, QStringLiteral("Break"), item, 1, score, notes }).ok());
    }

    QString focusLog() const
    {
        return QString::fromUtf8(readFileBytes(m_harness.file(QStringLiteral("focus-session-log.csv"))));
    }
    QString activityLog() const
    {
        return QString::fromUtf8(readFileBytes(m_harness.file(QStringLiteral("daily-activity-log.csv"))));
    }

private:
    ControllerHarness &m_harness;
};

// Waits on the journal's own state, never on a guessed delay.
void settle(const JournalController &journal)
{
    QTRY_VERIFY_WITH_TIMEOUT(!journal.isReading(), 30000);
}

AppPreferences inLanguage(AppLanguage language)
{
    AppPreferences preferences;
    preferences.language = language;
    return preferences;
}

// A controller over the logs the test writes first, and its journal open with the first read in.
class JournalSession
{
public:
    JournalController &open(AppLanguage language = AppLanguage::chinese)
    {
        controller = &harness.startWithStored(inLanguage(language));
        journal.setController(controller);
        settle(journal);
        return journal;
    }

    ControllerHarness harness;
    JournalFixture logs { harness };
    AppController *controller = nullptr;
    JournalController journal;
    QAbstractItemModelTester dayCheck { journal.dayModel(),
        QAbstractItemModelTester::FailureReportingMode::QtTest };
};

QStringList idsOf(const QList<NotesTimelineEntry> &entries)
{
    QStringList ids;
    for (const NotesTimelineEntry &entry : entries)
        ids.append(entry.id);
    return ids;
}

} // namespace

class JournalControllerTest : public QObject
{
    Q_OBJECT

private slots:
    void opensOnTodayWithNothingShownBeforeTheFirstRead()
    {
        ControllerHarness harness;
        AppController &controller = harness.start();
        JournalController journal;
        journal.setController(&controller);
        QCOMPARE(journal.selectedDate(), QDate(2024, 3, 1));
        QCOMPARE(journal.visibleMonth(), QDate(2024, 3, 1));
        QCOMPARE(journal.loadedNotesRevision(), controller.journal()->notesRevision());
        QVERIFY(!journal.snapshotLoaded());
        QCOMPARE(journal.dayModel()->rowCount(), 0);
        QVERIFY(!journal.showsEmptyDay());
        settle(journal);
        QVERIFY(journal.snapshotLoaded());
        // The running round is today's one entry.
        QCOMPARE(journal.dayModel()->rowCount(), 1);
        QCOMPARE(journal.entries().first().id, controller.round()->currentSessionID());
    }

    void anEntryBelongsToTheDayItEnded()
    {
        JournalSession session;
        JournalFixture &logs = session.logs;
        logs.focus(QStringLiteral("late"), local(2024, 2, 27, 23, 50), local(2024, 2, 28, 0, 20), true);
        JournalController &journal = session.open();
        QVERIFY(journal.journalDays().contains(QDate(2024, 2, 28)));
        QVERIFY(!journal.journalDays().contains(QDate(2024, 2, 27)));
        journal.selectDay(QDate(2024, 2, 27));
        QVERIFY(journal.entries().isEmpty());
        QVERIFY(journal.showsEmptyDay());
        journal.selectDay(QDate(2024, 2, 28));
        QCOMPARE(idsOf(journal.entries()), QStringList { QStringLiteral("late") });
        journal.showAdjacentMonth(-1);
        const QVariantList cells = journal.monthCells();
        const auto cellOf = [&](int day) {
            for (const QVariant &cell : cells) {
                if (cell.toMap().value(QStringLiteral("dayOfMonth")).toInt() == day)
                    return cell.toMap();
            }
            return QVariantMap();
        };
        QVERIFY(cellOf(28).value(QStringLiteral("hasEntries")).toBool());
        QVERIFY(cellOf(28).value(QStringLiteral("isSelected")).toBool());
        QVERIFY(!cellOf(27).value(QStringLiteral("hasEntries")).toBool());
    }

    void theLiveRoundFollowsEqualStarts()
    {
        ControllerHarness harness;
        JournalFixture logs(harness);
        // Logged at the very moment the running round began, and so listed before it.
        logs.breakActivity(QStringLiteral("same start"), harness.startTime, harness.startTime, 3);
        logs.focus(QStringLiteral("earlier"), harness.startTime.addSecs(-3600),
            harness.startTime.addSecs(-60), true);
        AppController &controller = harness.start();
        const QStringList expected { QStringLiteral("earlier"), QStringLiteral("same start"),
            controller.round()->currentSessionID() };
        QCOMPARE(idsOf(controller.journal()->allNotesEntries(harness.clock->now())), expected);
        JournalController journal;
        journal.setController(&controller);
        settle(journal);
        QCOMPARE(idsOf(journal.journalEntries()), expected);
        QCOMPARE(idsOf(journal.entries()), expected);
    }

    void reloadsAnnounceOnlyNewData()
    {
        ControllerHarness harness;
        JournalFixture logs(harness);
        logs.focus(QStringLiteral("a"), local(2024, 2, 29, 9, 0), local(2024, 2, 29, 9, 25), true);
        AppController &controller = harness.start();
        controller.round()->finishFocusNow();
        JournalController journal;
        journal.setController(&controller);
        settle(journal);
        QSignalSpy snapshots(&journal, &JournalController::snapshotChanged);

        // The revision already loaded reads nothing new.
        emit controller.journal()->notesRevisionChanged();
        QVERIFY(!journal.isReading());
        // A new revision over equal data assigns nothing.
        journal.refreshJournalSnapshot(controller.journal()->notesRevision() + 10);
        settle(journal);
        QCOMPARE(snapshots.count(), 0);

        // New data is announced once.
        logs.focus(QStringLiteral("b"), local(2024, 2, 29, 10, 0), local(2024, 2, 29, 10, 25), true);
        journal.refreshJournalSnapshot(controller.journal()->notesRevision() + 11);
        settle(journal);
        QCOMPARE(snapshots.count(), 1);
        QVERIFY(idsOf(journal.journalEntries()).contains(QStringLiteral("b")));
    }

    void aStaleReadIsDropped()
    {
        ControllerHarness harness;
        JournalFixture logs(harness);
        AppController &controller = harness.start();
        controller.round()->finishFocusNow();
        JournalController journal;
        journal.setController(&controller);
        settle(journal);
        QSignalSpy snapshots(&journal, &JournalController::snapshotChanged);
        // Both requests go out before either read can come back; only the second is applied.
        journal.refreshJournalSnapshot(50);
        logs.breakActivity(QStringLiteral("new"), local(2024, 3, 1, 9, 30), local(2024, 3, 1, 9, 35), 4);
        journal.refreshJournalSnapshot(51);
        settle(journal);
        QCOMPARE(snapshots.count(), 1);
        QCOMPARE(journal.loadedNotesRevision(), 51);
        QVERIFY(idsOf(journal.entries()).contains(QStringLiteral("new")));
    }

    void theControllerWaitsForARunningRead()
    {
        ControllerHarness harness;
        JournalFixture logs(harness);
        for (int i = 0; i < 200; ++i) {
            logs.focus(
                QString::number(i), local(2024, 2, 1, 9, 0).addSecs(i * 60), local(2024, 2, 1, 12, 0), true);
        }
        AppController &controller = harness.start();
        controller.round()->finishFocusNow();
        JournalController journal;
        journal.setController(&controller);
        QVERIFY(journal.isReading());
        // The logs go with the controller, after the read has finished with them.
        harness.controller.reset();
        QTRY_VERIFY(journal.snapshotLoaded());
        QCOMPARE(journal.journalEntries().size(), 201);
    }

    void monthCells_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("firstWeekday");
        QTest::addColumn<QDate>("month");
        QTest::addColumn<int>("leading");
        QTest::addColumn<int>("days");

        QTest::newRow("March 2025, Sunday first") << 12 << 1 << QDate(2025, 3, 1) << 6 << 31;
        QTest::newRow("March 2025, Monday first") << 12 << 2 << QDate(2025, 3, 1) << 5 << 31;
        QTest::newRow("February 2024, leap year") << -1 << 1 << QDate(2024, 2, 1) << 4 << 29;
        QTest::newRow("February 2023, common year") << -13 << 1 << QDate(2023, 2, 1) << 3 << 28;
        QTest::newRow("first day on the first weekday") << 12 << 7 << QDate(2025, 3, 1) << 0 << 31;
    }

    void monthCells()
    {
        QFETCH(int, offset);
        QFETCH(int, firstWeekday);
        QFETCH(QDate, month);
        QFETCH(int, leading);
        QFETCH(int, days);
        ControllerHarness harness;
        AppController &controller = harness.start();
        JournalController journal;
        journal.setController(&controller);
        journal.setFirstWeekday(firstWeekday);
        journal.showAdjacentMonth(offset);
        QCOMPARE(journal.visibleMonth(), month);
        const QVariantList cells = journal.monthCells();
        QCOMPARE(cells.size(), leading + days);
        for (int i = 0; i < cells.size(); ++i) {
            const QVariantMap cell = cells[i].toMap();
            QCOMPARE(cell.value(QStringLiteral("isEmpty")).toBool(), i < leading);
            if (i >= leading)
                QCOMPARE(cell.value(QStringLiteral("dayText")).toString(), QString::number(i - leading + 1));
        }
    }

    void weekdayHeadingsFollowTheFirstWeekday_data()
    {
        QTest::addColumn<AppLanguage>("language");
        QTest::addColumn<int>("firstWeekday");
        QTest::addColumn<int>("firstQtDay");

        QTest::newRow("Chinese, Sunday first") << AppLanguage::chinese << 1 << int(Qt::Sunday);
        QTest::newRow("Chinese, Monday first") << AppLanguage::chinese << 2 << int(Qt::Monday);
        QTest::newRow("English, Sunday first") << AppLanguage::english << 1 << int(Qt::Sunday);
        QTest::newRow("English, Monday first") << AppLanguage::english << 2 << int(Qt::Monday);
    }

    void weekdayHeadingsFollowTheFirstWeekday()
    {
        QFETCH(AppLanguage, language);
        QFETCH(int, firstWeekday);
        QFETCH(int, firstQtDay);
        ControllerHarness harness;
        AppController &controller = harness.startWithStored(inLanguage(language));
        JournalController journal;
        journal.setController(&controller);
        QCOMPARE(journal.firstWeekday(), JournalCalendar::weekdayNumber(locale(language).firstDayOfWeek()));
        journal.setFirstWeekday(firstWeekday);
        const QStringList labels = journal.weekdayLabels();
        QCOMPARE(labels.size(), 7);
        for (int i = 0; i < 7; ++i) {
            QCOMPARE(labels[i],
                locale(language).standaloneDayName((firstQtDay + i - 1) % 7 + 1, QLocale::NarrowFormat));
        }
    }

    void weekdayNumbersStartOnSunday_data()
    {
        QTest::addColumn<int>("qtDay");
        QTest::addColumn<int>("number");
        QTest::newRow("Sunday") << int(Qt::Sunday) << 1;
        QTest::newRow("Monday") << int(Qt::Monday) << 2;
        QTest::newRow("Saturday") << int(Qt::Saturday) << 7;
    }

    void weekdayNumbersStartOnSunday()
    {
        QFETCH(int, qtDay);
        QFETCH(int, number);
        QCOMPARE(JournalCalendar::weekdayNumber(Qt::DayOfWeek(qtDay)), number);
        QCOMPARE(int(JournalCalendar::qtDayOfWeek(number)), qtDay);
    }

    void monthStepsCrossTheYearAndKeepTheSelection_data()
    {
        QTest::addColumn<QList<int>>("steps");
        QTest::addColumn<QDate>("month");
        QTest::addColumn<QString>("title");

        QTest::newRow("back from January")
            << QList<int> { -2, -1 } << QDate(2023, 12, 1) << QStringLiteral("2023年12月");
        QTest::newRow("on from December")
            << QList<int> { 9, 1 } << QDate(2025, 1, 1) << QStringLiteral("2025年1月");
        QTest::newRow("there and back")
            << QList<int> { 1, -1 } << QDate(2024, 3, 1) << QStringLiteral("2024年3月");
    }

    void monthStepsCrossTheYearAndKeepTheSelection()
    {
        QFETCH(QList<int>, steps);
        QFETCH(QDate, month);
        QFETCH(QString, title);
        ControllerHarness harness;
        AppController &controller = harness.start();
        JournalController journal;
        journal.setController(&controller);
        for (const int step : steps)
            journal.showAdjacentMonth(step);
        QCOMPARE(journal.visibleMonth(), month);
        QCOMPARE(journal.monthTitle(), title);
        QCOMPARE(journal.selectedDate(), QDate(2024, 3, 1));
    }

    void countsOfTheDay()
    {
        JournalSession session;
        JournalFixture &logs = session.logs;
        logs.focus(QStringLiteral("done"), local(2024, 3, 1, 7, 0), local(2024, 3, 1, 7, 25), true,
            QStringLiteral("wrote the intro"));
        logs.focus(QStringLiteral("open"), local(2024, 3, 1, 7, 30), local(2024, 3, 1, 7, 40), false,
            QStringLiteral(" \n\t "));
        logs.breakActivity(QStringLiteral("walk"), local(2024, 3, 1, 7, 40), local(2024, 3, 1, 7, 45), 6,
            QStringLiteral("\n\n"));
        JournalController &journal = session.open();
        // The running round counts too.
        QCOMPARE(journal.focusCount(), 3);
        QCOMPARE(journal.breakCount(), 1);
        QCOMPARE(journal.noteCount(), 1);
        QCOMPARE(journal.countLine(), QStringLiteral("共 4 段节律记录"));
    }

    void countLine_data()
    {
        QTest::addColumn<AppLanguage>("language");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("expected");

        QTest::newRow("zh 0") << AppLanguage::chinese << 0 << QStringLiteral("这一天还没有记录");
        QTest::newRow("zh 1") << AppLanguage::chinese << 1 << QStringLiteral("共 1 段节律记录");
        QTest::newRow("zh 3") << AppLanguage::chinese << 3 << QStringLiteral("共 3 段节律记录");
        QTest::newRow("en 0") << AppLanguage::english << 0 << QStringLiteral("No entries for this day");
        QTest::newRow("en 1") << AppLanguage::english << 1 << QStringLiteral("1 moment in this day's rhythm");
        QTest::newRow("en 3") << AppLanguage::english << 3
                              << QStringLiteral("3 moments in this day's rhythm");
    }

    void countLine()
    {
        QFETCH(AppLanguage, language);
        QFETCH(int, count);
        QFETCH(QString, expected);
        JournalSession session;
        JournalFixture &logs = session.logs;
        for (int i = 0; i < count; ++i)
            logs.focus(QString::number(i), local(2024, 2, 29, 9 + i, 0), local(2024, 2, 29, 9 + i, 25), true);
        JournalController &journal = session.open(language);
        journal.selectDay(QDate(2024, 2, 29));
        QCOMPARE(journal.dayModel()->rowCount(), count);
        QCOMPARE(journal.countLine(), expected);
        QCOMPARE(journal.showsEmptyDay(), count == 0);
    }

    void entryTexts_data()
    {
        QTest::addColumn<AppLanguage>("language");
        QTest::addColumn<NotesTimelineEntry>("entry");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("subtitle");
        QTest::addColumn<QString>("badge");

        const QDateTime at = local(2024, 3, 1, 8, 0);
        const NotesTimelineEntry done { QStringLiteral("d"), NotesTimelineKind::focus(true), at, at, 2,
            QStringLiteral(" Draft "), std::nullopt, QString() };
        NotesTimelineEntry open = done;
        open.kind = NotesTimelineKind::focus(false);
        open.title = QStringLiteral(" \n ");
        open.sessionNumber = -3;
        const NotesTimelineEntry rest { QStringLiteral("b"), NotesTimelineKind::breakActivity(0), at, at, -3,
            QString(), QStringLiteral("  "), QString() };
        NotesTimelineEntry walk = rest;
        walk.activityTitle = QStringLiteral(" Walk ");
        walk.kind = NotesTimelineKind::breakActivity(12);

        QTest::newRow("zh completed") << AppLanguage::chinese << done << QStringLiteral("Draft")
                                      << QStringLiteral("完成的专注时段") << QStringLiteral("完成");
        QTest::newRow("en completed") << AppLanguage::english << done << QStringLiteral("Draft")
                                      << QStringLiteral("Completed focus session") << QStringLiteral("Done");
        QTest::newRow("zh open, negative round")
            << AppLanguage::chinese << open << QStringLiteral("第 -3 轮专注")
            << QStringLiteral("进行中或提前结束") << QStringLiteral("未完成");
        QTest::newRow("en open, negative round")
            << AppLanguage::english << open << QStringLiteral("Focus Round -3")
            << QStringLiteral("In progress or ended early") << QStringLiteral("Open");
        QTest::newRow("zh break, blank activity")
            << AppLanguage::chinese << rest << QStringLiteral("第 -3 轮课间")
            << QStringLiteral("未命名课间活动") << QStringLiteral("+0 健康分");
        QTest::newRow("en break, blank activity")
            << AppLanguage::english << rest << QStringLiteral("Break Round -3")
            << QStringLiteral("Untitled break activity") << QStringLiteral("+0 Health");
        QTest::newRow("en break") << AppLanguage::english << walk << QStringLiteral("Break Round -3")
                                  << QStringLiteral("Walk") << QStringLiteral("+12 Health");
    }

    void entryTexts()
    {
        QFETCH(AppLanguage, language);
        QFETCH(NotesTimelineEntry, entry);
        QFETCH(QString, title);
        QFETCH(QString, subtitle);
        QFETCH(QString, badge);
        ControllerHarness harness;
        AppController &controller = harness.startWithStored(inLanguage(language));
        JournalController journal;
        journal.setController(&controller);
        QCOMPARE(journal.timelineTitle(entry), title);
        QCOMPARE(journal.timelineSubtitle(entry), subtitle);
        QCOMPARE(journal.timelineBadge(entry), badge);
    }

    void dayRows()
    {
        ControllerHarness harness;
        JournalFixture logs(harness);
        logs.focus(QStringLiteral("first"), local(2024, 3, 1, 7, 0), local(2024, 3, 1, 7, 25), true,
            QStringLiteral("\n\nkept as typed "));
        logs.breakActivity(QStringLiteral("last"), local(2024, 3, 1, 7, 30), local(2024, 3, 1, 7, 35), 5,
            QStringLiteral(" "));
        AppController &controller = harness.startWithStored(inLanguage(AppLanguage::english));
        controller.round()->finishFocusNow();
        JournalController journal;
        journal.setController(&controller);
        settle(journal);
        const QList<JournalDayRow> rows = journal.dayModel()->rows();
        QCOMPARE(rows.size(), 3);
        QVERIFY(rows[0].isFirst && !rows[0].isLast);
        QVERIFY(!rows[1].isFirst && !rows[1].isLast);
        QVERIFY(!rows[2].isFirst && rows[2].isLast);
        QCOMPARE(rows[0].notesText, QStringLiteral("\n\nkept as typed "));
        QVERIFY(rows[0].hasNotes);
        QCOMPARE(rows[1].notesText, QStringLiteral("Click to add a note"));
        QVERIFY(!rows[1].hasNotes);
        QCOMPARE(rows[0].timeText, QStringLiteral("7:00 AM\n\u2014\n7:25 AM"));
        QCOMPARE(rows[1].badgeStyle, QStringLiteral("health"));
        QCOMPARE(rows[0].badgeStyle, QStringLiteral("done"));
        for (const JournalDayRow &row : rows)
            QCOMPARE(row.railHeight, 112);
        // Opening the editor keeps the rows in place, so the list does not rebuild its cards.
        QSignalSpy resets(journal.dayModel(), &QAbstractItemModel::modelReset);
        QSignalSpy changes(journal.dayModel(), &QAbstractItemModel::dataChanged);
        journal.beginEditing(QStringLiteral("last"));
        QCOMPARE(resets.count(), 0);
        QCOMPARE(changes.count(), 1);
        QCOMPARE(journal.dayModel()->rows()[1].railHeight, 310);
        QCOMPARE(journal.dayModel()->rows()[0].railHeight, 112);
        journal.beginEditing(QStringLiteral("first"));
        QCOMPARE(journal.dayModel()->rows()[0].railHeight, 250);
        QVERIFY(journal.dayModel()->rows()[0].isEditing);
        QVERIFY(!journal.dayModel()->rows()[1].isEditing);
    }

    void formatters_data()
    {
        QTest::addColumn<AppLanguage>("language");
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("month");
        QTest::addColumn<QString>("day");

        QTest::newRow("Chinese") << AppLanguage::chinese << QStringLiteral("14:07")
                                 << QStringLiteral("2024年3月") << QStringLiteral("3月5日星期二");
        QTest::newRow("English") << AppLanguage::english << QStringLiteral("2:07 PM")
                                 << QStringLiteral("March 2024") << QStringLiteral("Tuesday, March 5");
    }

    void formatters()
    {
        QFETCH(AppLanguage, language);
        QFETCH(QString, time);
        QFETCH(QString, month);
        QFETCH(QString, day);
        const QDateTime instant = local(2024, 3, 5, 14, 7).toUTC();
        QCOMPARE(NotesDateFormatters::time(instant, language), time);
        QCOMPARE(NotesDateFormatters::month(instant.toLocalTime().date(), language), month);
        QCOMPARE(NotesDateFormatters::day(instant.toLocalTime().date(), language), day);
    }

    void healthScoreToSave_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<qint64>("logged");
        QTest::addColumn<qint64>("saved");

        QTest::newRow("spaces around") << QStringLiteral(" 12 ") << qint64(5) << qint64(12);
        QTest::newRow("plus sign") << QStringLiteral("+7") << qint64(5) << qint64(7);
        QTest::newRow("negative") << QStringLiteral("-3") << qint64(5) << qint64(0);
        QTest::newRow("over the wheel's range") << QStringLiteral("101") << qint64(5) << qint64(101);
        QTest::newRow("letters") << QStringLiteral("abc") << qint64(5) << qint64(5);
        QTest::newRow("decimal") << QStringLiteral("1.5") << qint64(5) << qint64(5);
        QTest::newRow("empty") << QString() << qint64(5) << qint64(5);
        QTest::newRow("full-width digits") << QStringLiteral("１２") << qint64(5) << qint64(5);
        QTest::newRow("beyond 64 bits") << QStringLiteral("99999999999999999999") << qint64(5) << qint64(5);
        QTest::newRow("untouched over the range") << QStringLiteral("150") << qint64(150) << qint64(150);
        QTest::newRow("lowered from over the range") << QStringLiteral("120") << qint64(150) << qint64(120);
        QTest::newRow("a negative log left as it was") << QStringLiteral("-4") << qint64(-4) << qint64(0);
        QTest::newRow("unreadable over a negative log") << QStringLiteral("x") << qint64(-4) << qint64(0);
    }

    void healthScoreToSave()
    {
        QFETCH(QString, typed);
        QFETCH(qint64, logged);
        QFETCH(qint64, saved);
        QCOMPARE(JournalController::healthScoreToSave(typed, logged), saved);
    }

    void savedScoresReachTheLogAndTotals_data()
    {
        QTest::addColumn<qint64>("logged");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<qint64>("stored");

        QTest::newRow("typed beyond the range")
            << qint64(5) << QStringLiteral("9223372036854775807") << 9223372036854775807LL;
        QTest::newRow("left as logged") << qint64(150) << QStringLiteral("150") << qint64(150);
    }

    void savedScoresReachTheLogAndTotals()
    {
        QFETCH(qint64, logged);
        QFETCH(QString, typed);
        QFETCH(qint64, stored);
        JournalSession session;
        JournalFixture &logs = session.logs;
        logs.breakActivity(QStringLiteral("walk"), local(2024, 3, 1, 8, 0), local(2024, 3, 1, 8, 5), logged);
        JournalController &journal = session.open();
        AppController &controller = *session.controller;
        journal.beginEditing(QStringLiteral("walk"));
        QCOMPARE(journal.editingHealthScore(), QString::number(logged));
        journal.setEditingHealthScore(typed);
        journal.commitEditing();
        QCOMPARE(controller.statistics()->todayHealthScore(), stored);
        settle(journal);
        const NotesTimelineEntry saved = journal.entries().first();
        QCOMPARE(saved.kind.healthScore, stored);
    }

    void openingAnotherRecordSavesTheFirstOnce()
    {
        JournalSession session;
        JournalFixture &logs = session.logs;
        logs.focus(QStringLiteral("a"), local(2024, 3, 1, 7, 0), local(2024, 3, 1, 7, 25), true,
            QStringLiteral("old a"));
        logs.focus(QStringLiteral("b"), local(2024, 3, 1, 7, 30), local(2024, 3, 1, 7, 55), true,
            QStringLiteral("old b"));
        JournalController &journal = session.open();
        AppController &controller = *session.controller;
        journal.beginEditing(QStringLiteral("a"));
        journal.setEditingNotes(QStringLiteral("new a"));
        const qint64 revision = controller.journal()->notesRevision();
        journal.beginEditing(QStringLiteral("b"));
        QCOMPARE(controller.journal()->notesRevision(), revision + 1);
        QVERIFY(logs.focusLog().contains(QStringLiteral("new a")));
        QCOMPARE(journal.editingEntryID(), QStringLiteral("b"));
        QCOMPARE(journal.editingNotes(), QStringLiteral("old b"));
        // The card shows what was saved before the reload lands, and after.
        QCOMPARE(journal.dayModel()->rows().first().notesText, QStringLiteral("new a"));
        settle(journal);
        QCOMPARE(journal.dayModel()->rows().first().notesText, QStringLiteral("new a"));
    }

    void cancelWritesNothing()
    {
        JournalSession session;
        JournalFixture &logs = session.logs;
        logs.focus(QStringLiteral("a"), local(2024, 3, 1, 7, 0), local(2024, 3, 1, 7, 25), true,
            QStringLiteral("old"));
        JournalController &journal = session.open();
        AppController &controller = *session.controller;
        const QString before = logs.focusLog();
        const qint64 revision = controller.journal()->notesRevision();
        journal.beginEditing(QStringLiteral("a"));
        journal.setEditingNotes(QStringLiteral("changed"));
        journal.cancelEditing();
        QCOMPARE(controller.journal()->notesRevision(), revision);
        QCOMPARE(logs.focusLog(), before);
        QVERIFY(journal.editingNotes().isEmpty());
        QVERIFY(journal.editingTitle().isEmpty());
        QVERIFY(journal.editingEntryID().isEmpty());
        journal.commitEditing();
        QCOMPARE(controller.journal()->notesRevision(), revision);
    }

    void savedValuesReachTheLogs()
    {
        JournalSession session;
        JournalFixture &logs = session.logs;
        logs.focus(QStringLiteral("a"), local(2024, 3, 1, 7, 0), local(2024, 3, 1, 7, 25), true, QString(),
            QString(), 4);
        logs.breakActivity(QStringLiteral("b"), local(2024, 3, 1, 7, 30), local(2024, 3, 1, 7, 35), 5);
        JournalController &journal = session.open();
        const QString activityBefore = logs.activityLog();
        journal.beginEditing(QStringLiteral("a"));
        // An empty title opens as the default one and is saved as such when left alone.
        QCOMPARE(journal.editingTitle(), QStringLiteral("第 4 轮专注"));
        QCOMPARE(journal.editingTitlePlaceholder(), QStringLiteral("第 4 轮专注"));
        QVERIFY(!journal.editingIsBreak());
        journal.setEditingNotes(QStringLiteral("\n  untrimmed, \"quoted\"  \n"));
        journal.commitEditing();
        QVERIFY(logs.focusLog().contains(QStringLiteral(",第 4 轮专注,")));
        QVERIFY(logs.focusLog().contains(QStringLiteral("\"\n  untrimmed, \"\"quoted\"\"  \n\"")));
        // A focus record leaves the activity log alone.
        QCOMPARE(logs.activityLog(), activityBefore);

        journal.beginEditing(QStringLiteral("b"));
        QVERIFY(journal.editingIsBreak());
        journal.setEditingTitle(QStringLiteral("   "));
        journal.setEditingActivityTitle(QStringLiteral("  Jumping jacks  "));
        journal.commitEditing();
        settle(journal);
        const NotesTimelineEntry saved = journal.entries()[1];
        QCOMPARE(saved.id, QStringLiteral("b"));
        QCOMPARE(saved.title, QString());
        QCOMPARE(saved.activityTitle, std::optional(QStringLiteral("Jumping jacks")));
        QCOMPARE(saved.kind.healthScore, 5);
    }

    void everyClosingPathSavesOnce_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("editor Done") << QStringLiteral("done");
        QTest::newRow("day tap") << QStringLiteral("day");
        QTest::newRow("same day tap") << QStringLiteral("same day");
        QTest::newRow("header Done") << QStringLiteral("header");
        QTest::newRow("sheet closed") << QStringLiteral("closed");
        QTest::newRow("quit") << QStringLiteral("quit");
    }

    void everyClosingPathSavesOnce()
    {
        QFETCH(QString, path);
        ControllerHarness harness;
        JournalFixture logs(harness);
        logs.focus(QStringLiteral("a"), local(2024, 3, 1, 7, 0), local(2024, 3, 1, 7, 25), true);
        AppController &controller = harness.start();
        controller.sheets()->open(Sheets::Sheet::Journal);
        auto journal = std::make_unique<JournalController>();
        journal->setController(&controller);
        settle(*journal);
        journal->beginEditing(QStringLiteral("a"));
        journal->setEditingNotes(QStringLiteral("saved on close"));
        const qint64 revision = controller.journal()->notesRevision();
        if (path == u"done")
            journal->commitEditing();
        else if (path == u"day")
            journal->selectDay(QDate(2024, 2, 29));
        else if (path == u"same day")
            journal->selectDay(QDate(2024, 3, 1));
        else if (path == u"header")
            journal->close();
        else if (path == u"closed")
            journal.reset();
        else
            controller.shutdown();
        QCOMPARE(controller.journal()->notesRevision(), revision + 1);
        QVERIFY(logs.focusLog().contains(QStringLiteral("saved on close")));
        QCOMPARE(controller.sheets()->isOpen(Sheets::Sheet::Journal), path != u"header");
        if (journal) {
            QVERIFY(journal->editingEntryID().isEmpty());
            journal.reset();
            QCOMPARE(controller.journal()->notesRevision(), revision + 1);
        }
    }

    void theNotesEditorTakesFocusAtOnce()
    {
        ControllerHarness harness;
        AppController &controller = harness.start();
        JournalController journal;
        journal.setController(&controller);
        settle(journal);
        journal.beginEditing(controller.round()->currentSessionID());
        QCOMPARE(journal.focusedEntryID(), controller.round()->currentSessionID());
        journal.cancelEditing();
        QVERIFY(journal.focusedEntryID().isEmpty());
    }

    void theLiveRoundIsEditedInPlace()
    {
        ControllerHarness harness;
        AppController &controller = harness.start();
        JournalController journal;
        journal.setController(&controller);
        settle(journal);
        const QByteArray focusLog = readFileBytes(harness.file(QStringLiteral("focus-session-log.csv")));
        journal.beginEditing(controller.round()->currentSessionID());
        journal.setEditingTitle(QStringLiteral(" Deep work "));
        journal.setEditingNotes(QStringLiteral("live notes"));
        journal.commitEditing();
        QCOMPARE(controller.journal()->currentSessionTitle(), QStringLiteral("Deep work"));
        QCOMPARE(controller.journal()->currentSessionNotes(), QStringLiteral("live notes"));
        QCOMPARE(readFileBytes(harness.file(QStringLiteral("focus-session-log.csv"))), focusLog);
        settle(journal);
        QCOMPARE(journal.entries().first().notes, QStringLiteral("live notes"));
    }

    void aFailedSaveShowsTheAlertAndClosesTheEditor()
    {
        JournalSession session;
        JournalFixture &logs = session.logs;
        logs.focus(QStringLiteral("a"), local(2024, 3, 1, 7, 0), local(2024, 3, 1, 7, 25), true,
            QStringLiteral("stored"));
        JournalController &journal = session.open();
        AppController &controller = *session.controller;
        // A folder in place of the log makes the rewrite fail, even for root.
        const QString log = session.harness.file(QStringLiteral("focus-session-log.csv"));
        QVERIFY(QFile::remove(log));
        QVERIFY(QDir().mkpath(log));
        journal.beginEditing(QStringLiteral("a"));
        journal.setEditingNotes(QStringLiteral("lost"));
        journal.commitEditing();
        QCOMPARE(controller.sheets()->alertTitle(), QStringLiteral("无法保存笔记"));
        QVERIFY(controller.sheets()->showingAlert());
        QVERIFY(journal.editingEntryID().isEmpty());
        // The reload shows what is actually stored: the unreadable log holds nothing.
        settle(journal);
        QVERIFY(!idsOf(journal.entries()).contains(QStringLiteral("a")));
    }
};

QUORVANE_TEST_GUILESS_MAIN(JournalControllerTest)
#include "tst_journal_controller.moc"
