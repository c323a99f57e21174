#pragma once

#include "app/AppController.h"
#include "ui/journal/JournalController.h"
#include "ui/journal/JournalDayModel.h"

#include <QtQml/qqml.h>

// This feature's types that QML uses, declared to its module here, where the type registration and
// the QML tools read them: the classes keep no QML macros of their own.

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
