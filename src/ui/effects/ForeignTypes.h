#pragma once

#include "media/LoopingVideoPipeline.h"

#include <QtQml/qqml.h>

// The pipeline whose frames the video view draws lives in the media layer, which has no QML: it is
// declared to the module here, where the type registration and the QML tools read it.

struct ForeignLoopingVideoPipeline
{
    Q_GADGET
    QML_FOREIGN(LoopingVideoPipeline)
    QML_NAMED_ELEMENT(LoopingVideoPipeline)
};
