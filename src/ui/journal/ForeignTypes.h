#pragma once

#include "app/AppController.h"
#include "ui/journal/JournalController.h"
#include "ui/journal/JournalDayModel.h"

#include <QtQml/qqml.h>

// Every type this module's QML uses (by name, or only through a property it reads), its own and those of
// the layers below, is declared to the module here, where the type registration and the QML tools read
// it: the classes keep no QML macros of their own.

struct ForeignJournalDayModel
{
    Q_GADGET
    QML_FOREIGN(JournalDayModel)
    QML_NAMED_ELEMENT(JournalDayModel)
    QML_UNCREATABLE("Made by the journal")
};

struct ForeignJournalController
{
    Q_GADGET
    QML_FOREIGN(JournalController)
    QML_NAMED_ELEMENT(JournalController)
};
