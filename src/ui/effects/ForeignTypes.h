#pragma once

#include "media/VideoDecoderProcess.h"
#include "ui/effects/GlassBackdrop.h"
#include "ui/effects/OpaqueLayerView.h"
#include "ui/effects/RectangleGlow.h"
#include "ui/effects/RoundedGradient.h"
#include "ui/effects/TextDropShadow.h"
#include "ui/effects/VideoFrameView.h"

#include <QtQml/qqml.h>

// Every type this module's QML uses (by name, or only through a property it reads), its own and those of
// the layers below, is declared to the module here, where the type registration and the QML tools read
// it: the classes keep no QML macros of their own.

struct ForeignVideoDecoderProcess
{
    Q_GADGET
    QML_FOREIGN(VideoDecoderProcess)
    QML_NAMED_ELEMENT(VideoDecoderProcess)
};

struct ForeignGlassBackdrop
{
    Q_GADGET
    QML_FOREIGN(GlassBackdrop)
    QML_NAMED_ELEMENT(GlassBackdrop)
};

struct ForeignOpaqueLayerView
{
    Q_GADGET
    QML_FOREIGN(OpaqueLayerView)
    QML_NAMED_ELEMENT(OpaqueLayerView)
};

struct ForeignRectangleGlow
{
    Q_GADGET
    QML_FOREIGN(RectangleGlow)
    QML_NAMED_ELEMENT(RectangleGlow)
};

struct ForeignRoundedGradient
{
    Q_GADGET
    QML_FOREIGN(RoundedGradient)
    QML_NAMED_ELEMENT(RoundedGradient)
};

struct ForeignTextDropShadow
{
    Q_GADGET
    QML_FOREIGN(TextDropShadow)
    QML_NAMED_ELEMENT(TextDropShadow)
};

struct ForeignVideoFrameView
{
    Q_GADGET
    QML_FOREIGN(VideoFrameView)
    QML_NAMED_ELEMENT(VideoFrameView)
};
