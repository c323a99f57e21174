#pragma once

#include "core/AppLanguage.h"

#include <QObject>
#include <QString>

// The fixed texts of the statistics sheet in the interface language.
struct StatisticsTexts
{
    Q_GADGET
    Q_PROPERTY(QString title MEMBER title CONSTANT FINAL)
    Q_PROPERTY(QString subtitle MEMBER subtitle CONSTANT FINAL)
    Q_PROPERTY(QString sevenDays MEMBER sevenDays CONSTANT FINAL)
    Q_PROPERTY(QString thirtyDays MEMBER thirtyDays CONSTANT FINAL)
    Q_PROPERTY(QString periodName MEMBER periodName CONSTANT FINAL)
    Q_PROPERTY(QString done MEMBER done CONSTANT FINAL)
    Q_PROPERTY(QString healthChartTitle MEMBER healthChartTitle CONSTANT FINAL)
    Q_PROPERTY(QString healthChartSubtitle MEMBER healthChartSubtitle CONSTANT FINAL)
    Q_PROPERTY(QString roundsChartTitle MEMBER roundsChartTitle CONSTANT FINAL)
    Q_PROPERTY(QString roundsChartSubtitle MEMBER roundsChartSubtitle CONSTANT FINAL)
    Q_PROPERTY(QString dateValueName MEMBER dateValueName CONSTANT FINAL)
    Q_PROPERTY(QString healthValueName MEMBER healthValueName CONSTANT FINAL)
    Q_PROPERTY(QString roundsValueName MEMBER roundsValueName CONSTANT FINAL)
    Q_PROPERTY(QString tableTitle MEMBER tableTitle CONSTANT FINAL)
    Q_PROPERTY(QString healthCaption MEMBER healthCaption CONSTANT FINAL)
    Q_PROPERTY(QString roundsCaption MEMBER roundsCaption CONSTANT FINAL)
    Q_PROPERTY(QString activeFocusCaption MEMBER activeFocusCaption CONSTANT FINAL)

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
