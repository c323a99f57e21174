#pragma once

#include "app/AppController.h"
#include "ui/statistics/ChartAreaGradient.h"
#include "ui/statistics/ChartDayLabels.h"
#include "ui/statistics/ChartPoints.h"
#include "ui/statistics/StatisticsModel.h"
#include "ui/statistics/StatisticsTexts.h"

#include <QtQml/qqml.h>

// Every type this module's QML uses (by name, or only through a property it reads), its own and those of
// the layers below, is declared to the module here, where the type registration and the QML tools read
// it: the classes keep no QML macros of their own.

struct ForeignStatisticsModel
{
    Q_GADGET
    QML_FOREIGN(StatisticsModel)
    QML_NAMED_ELEMENT(StatisticsModel)
};

struct ForeignStatisticsTexts
{
    Q_GADGET
    QML_FOREIGN(StatisticsTexts)
    QML_ANONYMOUS
};

struct ForeignChartAreaGradient
{
    Q_GADGET
    QML_FOREIGN(ChartAreaGradient)
    QML_NAMED_ELEMENT(ChartAreaGradient)
};

struct ForeignChartDayLabels
{
    Q_GADGET
    QML_FOREIGN(ChartDayLabels)
    QML_NAMED_ELEMENT(ChartDayLabels)
};

struct ForeignChartPoints
{
    Q_GADGET
    QML_FOREIGN(ChartPoints)
    QML_NAMED_ELEMENT(ChartPoints)
};
