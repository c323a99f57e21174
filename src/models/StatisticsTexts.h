#pragma once

#include "AppLanguage.h"

#include <QObject>
#include <QString>

// The fixed texts of the statistics sheet in the interface language.
struct StatisticsTexts
{
    Q_GADGET
    Q_PROPERTY(QString title MEMBER title CONSTANT)
    Q_PROPERTY(QString subtitle MEMBER subtitle CONSTANT)
    Q_PROPERTY(QString sevenDays MEMBER sevenDays CONSTANT)
    Q_PROPERTY(QString thirtyDays MEMBER thirtyDays CONSTANT)
    Q_PROPERTY(QString periodName MEMBER periodName CONSTANT)
    Q_PROPERTY(QString done MEMBER done CONSTANT)
    Q_PROPERTY(QString healthChartTitle MEMBER healthChartTitle CONSTANT)
    Q_PROPERTY(QString healthChartSubtitle MEMBER healthChartSubtitle CONSTANT)
    Q_PROPERTY(QString roundsChartTitle MEMBER roundsChartTitle CONSTANT)
    Q_PROPERTY(QString roundsChartSubtitle MEMBER roundsChartSubtitle CONSTANT)
    Q_PROPERTY(QString dateValueName MEMBER dateValueName CONSTANT)
    Q_PROPERTY(QString healthValueName MEMBER healthValueName CONSTANT)
    Q_PROPERTY(QString roundsValueName MEMBER roundsValueName CONSTANT)
    Q_PROPERTY(QString tableTitle MEMBER tableTitle CONSTANT)
    Q_PROPERTY(QString healthCaption MEMBER healthCaption CONSTANT)
    Q_PROPERTY(QString roundsCaption MEMBER roundsCaption CONSTANT)
    Q_PROPERTY(QString activeFocusCaption MEMBER activeFocusCaption CONSTANT)

public:
    static StatisticsTexts make(AppLanguage language);

    QString title;
    QString subtitle;
    // The two segments of the period picker and its accessible name.
    QString sevenDays;
    QString thirtyDays;
    QString periodName;
    QString done;
    QString healthChartTitle;
    QString healthChartSubtitle;
    QString roundsChartTitle;
    QString roundsChartSubtitle;
    // The names of the plotted values: the date, the health score and the completed rounds.
    QString dateValueName;
    QString healthValueName;
    QString roundsValueName;
    // The daily table's title and column captions.
    QString tableTitle;
    QString healthCaption;
    QString roundsCaption;
    QString activeFocusCaption;

    friend bool operator==(const StatisticsTexts &, const StatisticsTexts &) = default;
};
