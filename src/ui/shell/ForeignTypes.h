#pragma once

#include "ui/shell/BreakScreenLayout.h"
#include "ui/shell/FocusInterfaceState.h"
#include "ui/shell/GraphicsAdaptation.h"
#include "ui/shell/KeyboardLockGuard.h"
#include "ui/shell/WeightedWheelGraphic.h"
#include "ui/shell/WindowResizeHandle.h"

#include <QtQml/qqml.h>

// Every type this module's QML uses (by name, or only through a property it reads), its own and those of
// the layers below, is declared to the module here, where the type registration and the QML tools read
// it: the classes keep no QML macros of their own.

struct ForeignBreakScreenGeometry
{
    Q_GADGET
    QML_FOREIGN(BreakScreenGeometry)
    QML_NAMED_ELEMENT(BreakGeometry)
    QML_SINGLETON
};

struct ForeignGraphicsAdaptation
{
    Q_GADGET
    QML_FOREIGN(GraphicsAdaptation)
    QML_NAMED_ELEMENT(GraphicsAdaptation)
    QML_SINGLETON
};

struct ForeignFocusInterfaceState
{
    Q_GADGET
    QML_FOREIGN(FocusInterfaceState)
    QML_NAMED_ELEMENT(FocusInterfaceState)
};

struct ForeignKeyboardLockGuard
{
    Q_GADGET
    QML_FOREIGN(KeyboardLockGuard)
    QML_NAMED_ELEMENT(KeyboardLockGuard)
};

struct ForeignWeightedWheelGraphic
{
    Q_GADGET
    QML_FOREIGN(WeightedWheelGraphic)
    QML_NAMED_ELEMENT(WeightedWheelGraphic)
};

struct ForeignWindowResizeHandle
{
    Q_GADGET
    QML_FOREIGN(WindowResizeHandle)
    QML_NAMED_ELEMENT(WindowResizeHandle)
};
