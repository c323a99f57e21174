#include "ui/statistics/StatisticsTexts.h"

StatisticsTexts StatisticsTexts::make(AppLanguage language)
{
    const auto text = [language](const char16_t *chinese, const char16_t *english) {
        return localized(language, QString::fromUtf16(chinese), QString::fromUtf16(english));
    };
    StatisticsTexts texts;
    texts.title = text(u"每日节律", u"Daily Rhythm");
    texts.subtitle = text(u"健康不是中断工作，而是让工作可以持续",
        u"Health does not interrupt work; it makes work sustainable");
    texts.sevenDays = text(u"7 天", u"7 Days");
    texts.thirtyDays = text(u"30 天", u"30 Days");
    texts.periodName = text(u"统计周期", u"Statistics Period");
    texts.done = text(u"完成", u"Done");
    texts.healthChartTitle = text(u"健康分趋势", u"Health Trend");
    texts.healthChartSubtitle = text(u"每日休息项目累计", u"Daily points from break activities");
    texts.roundsChartTitle = text(u"完成番茄", u"Completed Focus Rounds");
    texts.roundsChartSubtitle = text(u"每日有效工作轮次", u"Daily active-work rounds");
    texts.dateValueName = text(u"日期", u"Date");
    texts.healthValueName = text(u"健康分", u"Health");
    texts.roundsValueName = text(u"番茄", u"Focus Rounds");
    texts.tableTitle = text(u"每日明细", u"Daily Details");
    texts.healthCaption = text(u"健康分", u"Health");
    texts.roundsCaption = text(u"番茄", u"Rounds");
    texts.activeFocusCaption = text(u"有效专注", u"Active Focus");
    return texts;
}
