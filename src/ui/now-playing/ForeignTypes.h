#pragma once

#include "app/AppController.h"
#include "ui/now-playing/NowPlayingPresentation.h"
#include "ui/now-playing/NowPlayingSeekState.h"

#include <QtQml/qqml.h>

// Every type this module's QML uses (by name, or only through a property it reads), its own and those of
// the layers below, is declared to the module here, where the type registration and the QML tools read
// it: the classes keep no QML macros of their own.

struct ForeignNowPlayingSeekState
{
    Q_GADGET
    QML_FOREIGN(NowPlayingSeekState)
    QML_NAMED_ELEMENT(NowPlayingSeekState)
};

struct ForeignNowPlayingPresentation
{
    Q_GADGET
    QML_FOREIGN(NowPlayingPresentation)
    QML_ANONYMOUS
};
