#include "ui/statistics/StatisticsPresentation.h"

#include "storage/CsvNumber.h"
#include "ui/statistics/StatisticsLocalization.h"

#include <algorithm>

namespace {

QList<DailyStat> lastDays(const QList<DailyStat> &stats, int range)
{
    return stats.mid(std::max<qsizetype>(0, stats.size() - range));
}

DailyStat todayOf(const StatisticsInputs &inputs)
{
    if (!inputs.dailyStats.isEmpty())
        return inputs.dailyStats.last();
    DailyStat today;
    today.date = inputs.now.toTimeZone(inputs.timeZone).date().startOfDay(inputs.timeZone);
    today.healthScore = inputs.todayHealthScore;
    today.completedSessions = inputs.todayCompletedSessions;
    return today;
}

qint64 activeMinutes(const QList<DailyStat> &stats)
{
    // A hand-edited log may hold days near the 64-bit limit; thirty of them must not wrap around.
    qint64 seconds = 0;
    for (const DailyStat &stat : stats)
        seconds = CsvNumber::saturatingAdd(seconds, stat.activeSeconds);
    return seconds / 60;
}

QList<StatisticsCard> cardsOf(const StatisticsPresentation &presentation, int range, AppLanguage language)
{
    return {
        { localized(language, QStringLiteral("今日健康分"), QStringLiteral("Health Today")),
            QString::number(presentation.today.healthScore),
            localized(language, QStringLiteral("来自已完成的休息项目"),
                QStringLiteral("From completed break activities")),
            QStringLiteral("heart.fill") },
        { localized(language, QStringLiteral("今日完成番茄"), QStringLiteral("Focus Rounds Today")),
            QString::number(presentation.today.completedSessions),
            localized(language, QStringLiteral("每个番茄只计算有效工作时间"),
                QStringLiteral("Each round counts active work only")),
            QStringLiteral("timer") },
        { localized(language, QStringLiteral("近 %1 天有效专注"), QStringLiteral("Active Focus · %1 Days"))
                .arg(range),
            StatisticsLocalization::formatMinutes(presentation.activeFocusMinutes, language),
            localized(language, QStringLiteral("键盘与鼠标空闲超过阈值后自动暂停"),
                QStringLiteral("Pauses automatically after the idle threshold")),
            QStringLiteral("waveform.path.ecg") },
    };
}

QList<StatisticsRow> rowsOf(
    const QList<DailyStat> &stats, const QDate &today, const QTimeZone &zone, AppLanguage language)
{
    QList<StatisticsRow> rows;
    rows.reserve(stats.size());
    for (auto stat = stats.crbegin(); stat != stats.crend(); ++stat) {
        rows.append({ stat->id(),
            StatisticsLocalization::dayLabel(stat->date.toTimeZone(zone).date(), today, language),
            QString::number(stat->healthScore), QString::number(stat->completedSessions),
            StatisticsLocalization::formatMinutes(stat->activeSeconds / 60, language) });
    }
    return rows;
}

double highest(const QList<QPointF> &points)
{
    double peak = 0;
    for (const QPointF &point : points)
        peak = std::max(peak, point.y());
    return peak;
}

} // namespace

StatisticsPresentation StatisticsPresentation::make(const StatisticsInputs &inputs)
{
    StatisticsPresentation presentation;
    presentation.visibleStats = lastDays(inputs.dailyStats, inputs.range);
    presentation.today = todayOf(inputs);
    presentation.activeFocusMinutes = activeMinutes(presentation.visibleStats);
    presentation.cards = cardsOf(presentation, inputs.range, inputs.language);
    presentation.rows = rowsOf(presentation.visibleStats, inputs.now.toTimeZone(inputs.timeZone).date(),
        inputs.timeZone, inputs.language);
    presentation.texts = StatisticsTexts::make(inputs.language);

    const QList<DailyStat> &days = presentation.visibleStats;
    for (qsizetype day = 0; day < days.size(); ++day) {
        presentation.healthPoints.append({ double(day), double(days[day].healthScore) });
        presentation.roundBars.append({ double(day), double(days[day].completedSessions) });
    }
    presentation.healthCurve = StatisticsChartScale::smoothCurve(presentation.healthPoints);
    // The line may swing above its highest day; the axis reaches above the line.
    presentation.healthAxis = StatisticsChartScale::wholeNumberAxis(highest(presentation.healthCurve));
    presentation.roundsAxis = StatisticsChartScale::wholeNumberAxis(highest(presentation.roundBars));
    presentation.dayAxisMaximum = double(std::max<qsizetype>(days.size(), 1)) - 0.5;
    for (const int day : StatisticsChartScale::labelledDays(int(days.size()), inputs.range)) {
        presentation.dateLabels.append(
            { day, StatisticsLocalization::chartDateLabel(days[day].date.date(), inputs.language) });
    }
    presentation.accent = inputs.accent;
    return presentation;
}
