#include "StatisticsHistory.h"
#include "TestProgram.h"
#include "ui/statistics/StatisticsLocalization.h"
#include "ui/statistics/StatisticsModel.h"

#include <QSignalSpy>
#include <QTest>
#include <limits>

using namespace Qt::StringLiterals;

namespace {

using Seconds = QList<qint64>;
constexpr qint64 largest = std::numeric_limits<qint64>::max();

// One day per entry, the last dated `lastDay`; health scores and rounds count up from the oldest, so
// that each day can be told apart.
QList<DailyStat> days(qsizetype count, const QDate &lastDay = QDate(2024, 3, 30), const Seconds &seconds = {})
{
    QList<DailyStat> stats;
    for (qsizetype day = 0; day < count; ++day) {
        DailyStat stat;
        stat.date = lastDay.addDays(day - count + 1).startOfDay();
        stat.healthScore = 10 + day;
        stat.completedSessions = day % 4;
        stat.activeSeconds = day < seconds.size() ? seconds[day] : 1500 * stat.completedSessions;
        stats.append(stat);
    }
    return stats;
}

StatisticsInputs inputs(
    const QList<DailyStat> &stats, int range = 7, AppLanguage language = AppLanguage::chinese)
{
    StatisticsInputs in;
    in.dailyStats = stats;
    in.range = range;
    in.todayHealthScore = 41;
    in.todayCompletedSessions = 3;
    in.now = QDateTime(QDate(2024, 3, 30), QTime(15, 0));
    in.language = language;
    in.accent = QColor(0xE0, 0xB0, 0x50);
    return in;
}

QList<double> values(const QList<QPointF> &points)
{
    QList<double> ys;
    for (const QPointF &point : points)
        ys.append(point.y());
    return ys;
}

} // namespace

class StatisticsModelTest : public QObject
{
    Q_OBJECT

private slots:
    void formatMinutes_data()
    {
        QTest::addColumn<qint64>("minutes");
        QTest::addColumn<QString>("chinese");
        QTest::addColumn<QString>("english");
        QTest::newRow("0") << qint64(0) << u"0分"_s << u"0m"_s;
        QTest::newRow("45") << qint64(45) << u"45分"_s << u"45m"_s;
        QTest::newRow("59") << qint64(59) << u"59分"_s << u"59m"_s;
        QTest::newRow("60") << qint64(60) << u"1小时"_s << u"1h 0m"_s;
        QTest::newRow("61") << qint64(61) << u"1小时 1分"_s << u"1h 1m"_s;
        QTest::newRow("120") << qint64(120) << u"2小时"_s << u"2h 0m"_s;
        QTest::newRow("125") << qint64(125) << u"2小时 5分"_s << u"2h 5m"_s;
        QTest::newRow("no grouping") << qint64(123456) << u"2057小时 36分"_s << u"2057h 36m"_s;
    }

    void formatMinutes()
    {
        QFETCH(qint64, minutes);
        QFETCH(QString, chinese);
        QFETCH(QString, english);
        QCOMPARE(StatisticsLocalization::formatMinutes(minutes, AppLanguage::chinese), chinese);
        QCOMPARE(StatisticsLocalization::formatMinutes(minutes, AppLanguage::english), english);
    }

    void dateLabels_data()
    {
        QTest::addColumn<QDate>("date");
        QTest::addColumn<AppLanguage>("language");
        QTest::addColumn<QString>("chartLabel");
        QTest::addColumn<QString>("dayLabel");
        const QDate fifthOfMarch(2024, 3, 5);
        QTest::newRow("zh") << fifthOfMarch << AppLanguage::chinese << u"3月5日"_s << u"3月5日周二"_s;
        QTest::newRow("en") << fifthOfMarch << AppLanguage::english << u"Mar 5"_s << u"Tue, Mar 5"_s;
        QTest::newRow("zh, two digits")
            << QDate(2024, 12, 25) << AppLanguage::chinese << u"12月25日"_s << u"12月25日周三"_s;
        QTest::newRow("en, two digits")
            << QDate(2024, 12, 25) << AppLanguage::english << u"Dec 25"_s << u"Wed, Dec 25"_s;
        QTest::newRow("zh, today") << QDate(2024, 3, 30) << AppLanguage::chinese << u"3月30日"_s << u"今天"_s;
        QTest::newRow("en, today") << QDate(2024, 3, 30) << AppLanguage::english << u"Mar 30"_s << u"Today"_s;
    }

    void dateLabels()
    {
        QFETCH(QDate, date);
        QFETCH(AppLanguage, language);
        QFETCH(QString, chartLabel);
        QFETCH(QString, dayLabel);
        QCOMPARE(StatisticsLocalization::chartDateLabel(date, language), chartLabel);
        QCOMPARE(StatisticsLocalization::dayLabel(date, QDate(2024, 3, 30), language), dayLabel);
    }

    void periodChoosesTheNewestDays_data()
    {
        QTest::addColumn<qsizetype>("entries");
        QTest::addColumn<int>("range");
        QTest::addColumn<qsizetype>("shown");
        QTest::addColumn<QString>("cardTitle");
        QTest::addColumn<QString>("englishCardTitle");
        QTest::newRow("30 entries, 7 days")
            << qsizetype(30) << 7 << qsizetype(7) << u"近 7 天有效专注"_s << u"Active Focus · 7 Days"_s;
        QTest::newRow("30 entries, 30 days")
            << qsizetype(30) << 30 << qsizetype(30) << u"近 30 天有效专注"_s << u"Active Focus · 30 Days"_s;
        QTest::newRow("fewer than 7")
            << qsizetype(3) << 7 << qsizetype(3) << u"近 7 天有效专注"_s << u"Active Focus · 7 Days"_s;
        QTest::newRow("fewer than 30")
            << qsizetype(12) << 30 << qsizetype(12) << u"近 30 天有效专注"_s << u"Active Focus · 30 Days"_s;
    }

    void periodChoosesTheNewestDays()
    {
        QFETCH(qsizetype, entries);
        QFETCH(int, range);
        QFETCH(qsizetype, shown);
        QFETCH(QString, cardTitle);
        QFETCH(QString, englishCardTitle);
        const QList<DailyStat> stats = days(entries);

        const auto presentation = StatisticsPresentation::make(inputs(stats, range));
        QCOMPARE(presentation.visibleStats, stats.mid(entries - shown));
        QCOMPARE(presentation.rows.size(), shown);
        QCOMPARE(presentation.rows.first().id, stats.last().id());
        QCOMPARE(presentation.rows.first().dayLabel, u"今天"_s);
        QCOMPARE(presentation.rows.last().id, stats[entries - shown].id());
        qint64 seconds = 0;
        for (const DailyStat &stat : presentation.visibleStats)
            seconds += stat.activeSeconds;
        QCOMPARE(presentation.cards[2].title, cardTitle);
        QCOMPARE(presentation.cards[2].value,
            StatisticsLocalization::formatMinutes(seconds / 60, AppLanguage::chinese));
        QCOMPARE(presentation.healthPoints.size(), shown);
        QCOMPARE(presentation.roundBars.size(), shown);
        QCOMPARE(presentation.dayAxisMaximum, double(shown) - 0.5);
        QCOMPARE(StatisticsPresentation::make(inputs(stats, range, AppLanguage::english)).cards[2].title,
            englishCardTitle);
    }

    void todayIsTheNewestEntry_data()
    {
        QTest::addColumn<QList<DailyStat>>("stats");
        QTest::addColumn<QString>("health");
        QTest::addColumn<QString>("rounds");
        QTest::addColumn<QString>("activeFocus");
        QTest::addColumn<QStringList>("rowLabels");
        QTest::newRow("last entry today")
            << days(2) << u"11"_s << u"1"_s << u"25分"_s << QStringList { u"今天"_s, u"3月29日周五"_s };
        // The list was not rebuilt after midnight: its newest day still fills the cards, under its date.
        QTest::newRow("last entry yesterday") << days(2, QDate(2024, 3, 29)) << u"11"_s << u"1"_s << u"25分"_s
                                              << QStringList { u"3月29日周五"_s, u"3月28日周四"_s };
        QTest::newRow("empty: the controller's totals")
            << QList<DailyStat>() << u"41"_s << u"3"_s << u"0分"_s << QStringList();
    }

    void todayIsTheNewestEntry()
    {
        QFETCH(QList<DailyStat>, stats);
        QFETCH(QString, health);
        QFETCH(QString, rounds);
        QFETCH(QString, activeFocus);
        QFETCH(QStringList, rowLabels);

        const auto presentation = StatisticsPresentation::make(inputs(stats));
        QCOMPARE(presentation.cards.size(), 3);
        QCOMPARE(presentation.cards[0].value, health);
        QCOMPARE(presentation.cards[1].value, rounds);
        QCOMPARE(presentation.cards[2].value, activeFocus);
        QStringList labels;
        for (const StatisticsRow &row : presentation.rows)
            labels.append(row.dayLabel);
        QCOMPARE(labels, rowLabels);
    }

    void todayIsTheLocalDay_data()
    {
        QTest::addColumn<int>("hoursAheadOfUtc");
        QTest::addColumn<QTime>("localTime");
        QTest::newRow("00:30 in UTC+8, still yesterday in UTC") << 8 << QTime(0, 30);
        QTest::newRow("23:30 in UTC+8") << 8 << QTime(23, 30);
        QTest::newRow("00:30 in UTC-5") << -5 << QTime(0, 30);
        QTest::newRow("23:30 in UTC-5, already tomorrow in UTC") << -5 << QTime(23, 30);
    }

    void todayIsTheLocalDay()
    {
        QFETCH(int, hoursAheadOfUtc);
        QFETCH(QTime, localTime);
        const QTimeZone zone(hoursAheadOfUtc * 3600);
        const QDate today(2026, 12, 8);
        QList<DailyStat> stats;
        for (const QDate day : { today.addDays(-1), today })
            stats.append(DailyStat { day.startOfDay(zone), 5, 1, 60 });
        StatisticsInputs in = inputs(stats);
        in.now = QDateTime(today, localTime, zone).toUTC();
        in.timeZone = zone;
        const StatisticsPresentation presentation = StatisticsPresentation::make(in);
        QCOMPARE(presentation.rows.first().dayLabel, u"今天"_s);
        QCOMPARE_NE(presentation.rows.last().dayLabel, u"今天"_s);
    }

    void activeFocusSumsSecondsBeforeDividing_data()
    {
        QTest::addColumn<Seconds>("seconds");
        QTest::addColumn<QStringList>("rowMinutes");
        QTest::addColumn<QString>("card");
        QTest::newRow("90 s + 90 s") << Seconds { 90, 90 } << QStringList { u"1m"_s, u"1m"_s } << u"3m"_s;
        QTest::newRow("59 s") << Seconds { 59 } << QStringList { u"0m"_s } << u"0m"_s;
        QTest::newRow("hours") << Seconds { 3600, 3630, 30 }
                               << QStringList { u"0m"_s, u"1h 0m"_s, u"1h 0m"_s } << u"2h 1m"_s;
        // Each log reader saturates a huge day; the period's sum must not wrap into a negative figure.
        const QString limitMinutes
            = StatisticsLocalization::formatMinutes(largest / 60, AppLanguage::english);
        QTest::newRow("two days at the limit")
            << Seconds { largest, largest } << QStringList { limitMinutes, limitMinutes } << limitMinutes;
        QTest::newRow("the limit and one more")
            << Seconds { 60, largest } << QStringList { limitMinutes, u"1m"_s } << limitMinutes;
    }

    void activeFocusSumsSecondsBeforeDividing()
    {
        QFETCH(Seconds, seconds);
        QFETCH(QStringList, rowMinutes);
        QFETCH(QString, card);

        const auto presentation = StatisticsPresentation::make(
            inputs(days(seconds.size(), QDate(2024, 3, 30), seconds), 30, AppLanguage::english));
        QStringList minutes;
        for (const StatisticsRow &row : presentation.rows)
            minutes.append(row.activeFocus);
        QCOMPARE(minutes, rowMinutes);
        QCOMPARE(presentation.cards[2].value, card);
        QVERIFY(presentation.activeFocusMinutes >= 0);
    }

    void dateLabelsFollowThePeriod_data()
    {
        QTest::addColumn<qsizetype>("entries");
        QTest::addColumn<int>("range");
        QTest::addColumn<QList<int>>("labelledDays");
        QTest::newRow("7 of 7") << qsizetype(30) << 7 << QList<int> { 0, 1, 2, 3, 4, 5, 6 };
        QTest::newRow("6 of 30") << qsizetype(30) << 30 << QList<int> { 0, 5, 10, 15, 20, 25 };
        QTest::newRow("3 of 12 over 30") << qsizetype(12) << 30 << QList<int> { 0, 5, 10 };
        QTest::newRow("every day of 3") << qsizetype(3) << 7 << QList<int> { 0, 1, 2 };
        QTest::newRow("none when empty") << qsizetype(0) << 30 << QList<int> {};
    }

    void dateLabelsFollowThePeriod()
    {
        QFETCH(qsizetype, entries);
        QFETCH(int, range);
        QFETCH(QList<int>, labelledDays);

        const auto presentation
            = StatisticsPresentation::make(inputs(days(entries), range, AppLanguage::english));
        QList<int> labelled;
        for (const StatisticsDateLabel &label : presentation.dateLabels) {
            labelled.append(label.day);
            QCOMPARE(label.text,
                StatisticsLocalization::chartDateLabel(
                    presentation.visibleStats[label.day].date.date(), AppLanguage::english));
        }
        QCOMPARE(labelled, labelledDays);
    }

    void valueAxesLabelWholeNumbersAboveTheData_data()
    {
        QTest::addColumn<QList<DailyStat>>("stats");
        QTest::newRow("empty") << QList<DailyStat>();
        QList<DailyStat> zeros = days(30);
        for (DailyStat &stat : zeros)
            stat = { stat.date, 0, 0, 0 };
        QTest::newRow("all zero") << zeros;
        QTest::newRow("sample") << days(30);
        QList<DailyStat> peaks = days(7);
        const QList<qint64> scores { 0, 2, 0, 35, 0, 1, 0 };
        for (qsizetype day = 0; day < peaks.size(); ++day)
            peaks[day].healthScore = scores[day];
        QTest::newRow("lone peaks") << peaks;
        QList<DailyStat> one = days(1);
        one[0].healthScore = 2;
        one[0].completedSessions = 2;
        QTest::newRow("one day of 2") << one;
        QList<DailyStat> huge = days(2);
        huge[1].healthScore = largest;
        huge[1].completedSessions = 987654;
        QTest::newRow("huge") << huge;
    }

    void valueAxesLabelWholeNumbersAboveTheData()
    {
        QFETCH(QList<DailyStat>, stats);
        const auto presentation = StatisticsPresentation::make(inputs(stats, 30));
        const QList<std::pair<StatisticsChartScale::ValueAxis, QList<double>>> charts {
            { presentation.healthAxis, values(presentation.healthCurve) + values(presentation.healthPoints) },
            { presentation.roundsAxis, values(presentation.roundBars) },
        };
        for (const auto &[axis, plotted] : charts) {
            QVERIFY(axis.maximum >= 1);
            QVERIFY(axis.tickCount >= 2 && axis.tickCount <= 6);
            for (int tick = 0; tick < axis.tickCount; ++tick) {
                const double value = axis.maximum * tick / (axis.tickCount - 1);
                QCOMPARE(std::round(value), value);
            }
            for (const double y : plotted)
                QVERIFY2(y < axis.maximum, qPrintable(u"%1 not below %2"_s.arg(y).arg(axis.maximum)));
        }
    }

    void healthLinePassesThroughEveryPointAndStaysAboveZero_data()
    {
        QTest::addColumn<QList<double>>("scores");
        QTest::newRow("one day") << QList<double> { 4 };
        QTest::newRow("two days") << QList<double> { 4, 9 };
        QTest::newRow("a peak between zeros") << QList<double> { 0, 0, 30, 0, 0, 1, 0 };
        QTest::newRow("steps") << QList<double> { 0, 10, 10, 10, 0, 40, 40, 2, 0, 0 };
        QTest::newRow("all zero") << QList<double> { 0, 0, 0 };
    }

    void healthLinePassesThroughEveryPointAndStaysAboveZero()
    {
        QFETCH(QList<double>, scores);
        QList<QPointF> points;
        for (qsizetype day = 0; day < scores.size(); ++day)
            points.append({ double(day), scores[day] });

        const QList<QPointF> curve = StatisticsChartScale::smoothCurve(points, 16);
        QCOMPARE(curve.size(), (points.size() - 1) * 16 + 1);
        for (qsizetype day = 0; day < points.size(); ++day)
            QCOMPARE(curve[day * 16], points[day]);
        for (qsizetype sample = 1; sample < curve.size(); ++sample) {
            QVERIFY(curve[sample].y() >= 0);
            QVERIFY(curve[sample].x() > curve[sample - 1].x());
        }
    }

    void rangeTakesOnlySevenOrThirty_data()
    {
        QTest::addColumn<QList<int>>("requests");
        QTest::addColumn<int>("range");
        QTest::addColumn<int>("announcements");
        QTest::newRow("30") << QList<int> { 30 } << 30 << 1;
        QTest::newRow("30, then 7") << QList<int> { 30, 7 } << 7 << 2;
        QTest::newRow("7 again") << QList<int> { 7 } << 7 << 0;
        QTest::newRow("14") << QList<int> { 14 } << 7 << 0;
        QTest::newRow("30, then 0") << QList<int> { 30, 0 } << 30 << 1;
        QTest::newRow("-7") << QList<int> { -7 } << 7 << 0;
    }

    void rangeTakesOnlySevenOrThirty()
    {
        QFETCH(QList<int>, requests);
        QFETCH(int, range);
        QFETCH(int, announcements);
        ControllerHarness harness;
        StatisticsModel model;
        model.setController(&harness.start());
        QSignalSpy rangeChanges(&model, &StatisticsModel::rangeChanged);
        QSignalSpy changes(&model, &StatisticsModel::presentationChanged);

        for (const int request : requests)
            model.setRange(request);
        QCOMPARE(model.range(), range);
        QCOMPARE(rangeChanges.count(), announcements);
        QCOMPARE(changes.count(), announcements);
        QCOMPARE(model.visibleStats().size(), range);
        QCOMPARE(model.rows().size(), range);
    }

    void followsTheControllerAndAnnouncesOnlyRealChanges()
    {
        ControllerHarness harness;
        StatisticsHistory::logDay(harness, QDate(2024, 2, 28), 1, 1500, 6);
        StatisticsHistory::logDay(harness, QDate(2024, 3, 1), 1, 3000, 7);
        AppController &controller = harness.start();
        StatisticsModel model;
        QSignalSpy changes(&model, &StatisticsModel::presentationChanged);
        model.setController(&controller);
        QCOMPARE(changes.count(), 1);
        QCOMPARE(model.visibleStats().size(), 7);
        QCOMPARE(model.today().healthScore, 7);
        QCOMPARE(model.cards()[2].toMap().value(u"value"_s).toString(), u"1小时 15分"_s);
        QCOMPARE(model.rows().first().toMap().value(u"dayLabel"_s).toString(), u"今天"_s);
        QCOMPARE(model.rows()[2].toMap().value(u"healthScore"_s).toString(), u"6"_s);

        // A preference the sheet does not show changes nothing here.
        controller.toggleWindowOnTop();
        controller.showDailyInsights();
        QCOMPARE(changes.count(), 1);

        // Another program logs a round and a break of today; the next tick's reload shows them at once,
        // announced once although the statistics and both totals change.
        StatisticsHistory::logDay(harness, QDate(2024, 3, 1), 1, 1500, 4);
        harness.tick(1000);
        QCOMPARE(changes.count(), 2);
        QCOMPARE(model.cards()[0].toMap().value(u"value"_s).toString(), u"11"_s);
        QCOMPARE(model.cards()[1].toMap().value(u"value"_s).toString(), u"2"_s);
    }

    void lastEntryOfYesterdayShowsItsDate()
    {
        ControllerHarness harness;
        StatisticsHistory::logDay(harness, QDate(2024, 3, 1), 1, 1500, 6);
        AppController &controller = harness.start();
        // Past midnight, before a tick has rebuilt the recent days.
        harness.clock->set(QDateTime(QDate(2024, 3, 2), QTime(0, 5)));
        StatisticsModel model;
        model.setController(&controller);
        QCOMPARE(model.today().healthScore, 6);
        QCOMPARE(model.cards()[0].toMap().value(u"value"_s).toString(), u"6"_s);
        QCOMPARE(model.rows().first().toMap().value(u"dayLabel"_s).toString(), u"3月1日周五"_s);
    }

    void languageSwitchChangesTextsNotFigures()
    {
        ControllerHarness harness;
        StatisticsHistory::logDay(harness, QDate(2024, 2, 20), 1, 4000, 12);
        StatisticsHistory::logDay(harness, QDate(2024, 2, 29), 1, 1500, 5);
        AppController &controller = harness.start();
        StatisticsModel model;
        model.setController(&controller);
        model.setRange(30);
        const StatisticsPresentation chinese = model.presentation();
        QSignalSpy changes(&model, &StatisticsModel::presentationChanged);

        AppPreferences english = controller.preferences();
        english.language = AppLanguage::english;
        QVERIFY(controller.savePreferences(english));
        QCOMPARE(changes.count(), 1);
        const StatisticsPresentation &now = model.presentation();
        QCOMPARE(now.texts.title, u"Daily Rhythm"_s);
        QCOMPARE(now.cards[2].title, u"Active Focus · 30 Days"_s);
        QCOMPARE(now.cards[2].value, u"1h 31m"_s);
        QCOMPARE(chinese.cards[2].value, u"1小时 31分"_s);
        QCOMPARE(now.rows.first().dayLabel, u"Today"_s);
        QCOMPARE(now.dateLabels.first().text, u"Feb 1"_s);
        QCOMPARE(chinese.dateLabels.first().text, u"2月1日"_s);
        for (qsizetype card = 0; card < 2; ++card)
            QCOMPARE(now.cards[card].value, chinese.cards[card].value);
        QCOMPARE(now.visibleStats, chinese.visibleStats);
        QCOMPARE(now.healthPoints, chinese.healthPoints);
        QCOMPARE(now.healthCurve, chinese.healthCurve);
        QCOMPARE(now.roundBars, chinese.roundBars);
        QCOMPARE(now.healthAxis, chinese.healthAxis);
        QCOMPARE(now.roundsAxis, chinese.roundsAxis);
        QCOMPARE(now.accent, chinese.accent);
    }
};

QUORVANE_TEST_GUILESS_MAIN(StatisticsModelTest)
#include "tst_statistics_model.moc"
