#pragma once

#include "media/VideoDecoderProcess.h"

#include <QtQml/qqml.h>

// The decoder whose frames the video view draws lives in the media layer, which has no QML: it is
// declared to the module here, where the type registration and the QML tools read it.

struct ForeignVideoDecoderProcess
{
    Q_GADGET
    QML_FOREIGN(VideoDecoderProcess)
    QML_NAMED_ELEMENT(VideoDecoderProcess)
};
