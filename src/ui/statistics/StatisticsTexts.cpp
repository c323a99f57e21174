#include "ui/statistics/StatisticsTexts.h"

StatisticsTexts StatisticsTexts::make(AppLanguage language)
{
    StatisticsTexts texts;
    texts.title = localized(language, QStringLiteral("每日节律"), QStringLiteral("Daily Rhythm"));
    texts.subtitle = localized(language, QStringLiteral("健康不是中断工作，而是让工作可以持续"),
        QStringLiteral("Health does not interrupt work; it makes work sustainable"));
    texts.sevenDays = localized(language, QStringLiteral("7 天"), QStringLiteral("7 Days"));
    texts.thirtyDays = localized(language, QStringLiteral("30 天"), QStringLiteral("30 Days"));
    texts.periodName = localized(language, QStringLiteral("统计周期"), QStringLiteral("Statistics Period"));
    texts.done = localized(language, QStringLiteral("完成"), QStringLiteral("Done"));
    texts.healthChartTitle
        = localized(language, QStringLiteral("健康分趋势"), QStringLiteral("Health Trend"));
    texts.healthChartSubtitle = localized(
        language, QStringLiteral("每日休息项目累计"), QStringLiteral("Daily points from break activities"));
    texts.roundsChartTitle
        = localized(language, QStringLiteral("完成番茄"), QStringLiteral("Completed Focus Rounds"));
    texts.roundsChartSubtitle
        = localized(language, QStringLiteral("每日有效工作轮次"), QStringLiteral("Daily active-work rounds"));
    texts.dateValueName = localized(language, QStringLiteral("日期"), QStringLiteral("Date"));
    texts.healthValueName = localized(language, QStringLiteral("健康分"), QStringLiteral("Health"));
    texts.roundsValueName = localized(language, QStringLiteral("番茄"), QStringLiteral("Focus Rounds"));
    texts.tableTitle = localized(language, QStringLiteral("每日明细"), QStringLiteral("Daily Details"));
    texts.healthCaption = localized(language, QStringLiteral("健康分"), QStringLiteral("Health"));
    texts.roundsCaption = localized(language, QStringLiteral("番茄"), QStringLiteral("Rounds"));
    texts.activeFocusCaption
        = localized(language, QStringLiteral("有效专注"), QStringLiteral("Active Focus"));
    return texts;
}
