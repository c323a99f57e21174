#pragma once

#include "app/AppController.h"
#include "ui/statistics/StatisticsModel.h"
#include "ui/statistics/StatisticsTexts.h"

#include <QtQml/qqml.h>

// This feature's types that QML uses, declared to its module here, where the type registration and
// the QML tools read them: the classes keep no QML macros of their own.

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
