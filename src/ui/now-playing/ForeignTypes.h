#pragma once

#include "app/AppController.h"
#include "ui/now-playing/NowPlayingPresentation.h"
#include "ui/now-playing/NowPlayingSeekState.h"

#include <QtQml/qqml.h>

// This feature's types that QML uses, declared to its module here, where the type registration and
// the QML tools read them: the classes keep no QML macros of their own.

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
