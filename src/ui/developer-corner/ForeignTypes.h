#pragma once

#include "app/AppController.h"
#include "ui/developer-corner/DeveloperCornerController.h"
#include "ui/developer-corner/FeedbackPreviews.h"

#include <QtQml/qqml.h>

// Every type this module's QML uses (by name, or only through a property it reads), its own and those of
// the layers below, is declared to the module here, where the type registration and the QML tools read
// it: the classes keep no QML macros of their own.

struct ForeignDeveloperCornerController
{
    Q_GADGET
    QML_FOREIGN(DeveloperCornerController)
    QML_NAMED_ELEMENT(DeveloperCornerController)
};

struct ForeignFeedbackPreviews
{
    Q_GADGET
    QML_FOREIGN(FeedbackPreviews)
    QML_NAMED_ELEMENT(FeedbackPreviews)
    QML_SINGLETON
};
