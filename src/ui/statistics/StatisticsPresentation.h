#pragma once

#include "core/AppLanguage.h"
#include "core/DailyStat.h"
#include "ui/statistics/StatisticsChartScale.h"
#include "ui/statistics/StatisticsTexts.h"

#include <QColor>
#include <QDateTime>
#include <QList>
#include <QPointF>
#include <QString>
#include <QTimeZone>

// What the statistics sheet reads: the controller's recent days and today's totals, the chosen period,
// the clock and the preferences.
struct StatisticsInputs
{
    QList<DailyStat> dailyStats;
    // 7 or 30.
    int range = 7;
    qint64 todayHealthScore = 0;
    qint64 todayCompletedSessions = 0;
    QDateTime now;
    // The zone whose calendar days the statistics count: today, and each day's start.
    QTimeZone timeZone = QTimeZone::systemTimeZone();
    AppLanguage language = AppLanguage::chinese;
    QColor accent;
};

// One metric card: today's health score, today's rounds, or the active focus over the period.
struct StatisticsCard
{
    QString title;
    QString value;
    QString detail;
    QString symbol;

    friend bool operator==(const StatisticsCard &, const StatisticsCard &) = default;
};

// One day of the daily table, as texts.
struct StatisticsRow
{
    // The day as "yyyy-MM-dd".
    QString id;
    QString dayLabel;
    QString healthScore;
    QString completedSessions;
    QString activeFocus;

    friend bool operator==(const StatisticsRow &, const StatisticsRow &) = default;
};

// A date under the charts, at its day index.
struct StatisticsDateLabel
{
    int day = 0;
    QString text;

    friend bool operator==(const StatisticsDateLabel &, const StatisticsDateLabel &) = default;
};

// Everything the statistics sheet shows, ready to draw. Days are plotted by their index in
// `visibleStats`, oldest 0, so that the day steps stay even across a change of daylight saving time.
struct StatisticsPresentation
{
    static StatisticsPresentation make(const StatisticsInputs &inputs);

    // The last `range` recent days, oldest first.
    QList<DailyStat> visibleStats;
    // The newest recent day whatever its date; today's totals when there is none.
    DailyStat today;
    // The active seconds of `visibleStats`, summed before the one division into minutes.
    qint64 activeFocusMinutes = 0;
    QList<StatisticsCard> cards;
    // Newest first.
    QList<StatisticsRow> rows;
    StatisticsTexts texts;

    // The health chart: one point per day, the smooth line through them, and its axis.
    QList<QPointF> healthPoints;
    QList<QPointF> healthCurve;
    StatisticsChartScale::ValueAxis healthAxis;
    // The rounds chart: one bar per day (day index, rounds), and its axis.
    QList<QPointF> roundBars;
    StatisticsChartScale::ValueAxis roundsAxis;
    // The day axis runs from -0.5 to this, so that even a single day sits inside it.
    double dayAxisMaximum = 0.5;
    QList<StatisticsDateLabel> dateLabels;
    QColor accent;

    friend bool operator==(const StatisticsPresentation &, const StatisticsPresentation &) = default;
};
