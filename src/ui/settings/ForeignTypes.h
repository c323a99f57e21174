#pragma once

#include "app/AppController.h"
#include "app/SettingsSession.h"
#include "ui/settings/AppearanceSettings.h"
#include "ui/settings/SymbolPickerModel.h"
#include "ui/settings/WheelItemsModel.h"
#include "ui/settings/WheelPaneValues.h"

#include <QtQml/qqml.h>

// This feature's types that QML uses, declared to its module here, where the type registration and
// the QML tools read them: the classes keep no QML macros of their own.

struct ForeignWheelItemsModel
{
    Q_GADGET
    QML_FOREIGN(WheelItemsModel)
    QML_NAMED_ELEMENT(WheelItemsModel)
};

struct ForeignWheelPaneValues
{
    Q_GADGET
    QML_FOREIGN(WheelPaneValues)
    QML_NAMED_ELEMENT(WheelPaneValues)
};

struct ForeignSymbolPickerModel
{
    Q_GADGET
    QML_FOREIGN(SymbolPickerModel)
    QML_NAMED_ELEMENT(SymbolPickerModel)
};

struct ForeignAppearanceSettings
{
    Q_GADGET
    QML_FOREIGN(AppearanceSettings)
    QML_NAMED_ELEMENT(AppearanceSettings)
};
