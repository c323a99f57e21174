#pragma once

#include "app/AppController.h"
#include "ui/developer-corner/DeveloperCornerController.h"

#include <QtQml/qqml.h>

// This feature's types that QML uses, declared to its module here, where the type registration and
// the QML tools read them: the classes keep no QML macros of their own.

struct ForeignDeveloperCornerController
{
    Q_GADGET
    QML_FOREIGN(DeveloperCornerController)
    QML_NAMED_ELEMENT(DeveloperCornerController)
};
