#pragma once

#include <QImage>
#include <QRectF>
#include <QSizeF>

class QVideoFrame;

// Video frames as pictures, converted on the processor. Qt's own conversion renders through a graphics
// context of its own, which would load the OpenGL driver into a program that draws without it.
namespace VideoFrameImage {

// The frame as an opaque picture, turned upright by the frame's rotation. The frame formats GStreamer
// hands a sink without graphics (planar and semi-planar 4:2:0, 4:2:2, packed RGB) are converted here;
// any other goes through Qt's conversion. A frame that cannot be read gives a null image.
QImage upright(const QVideoFrame &frame);

// The part of a picture of `picture` size that covers a view of `view` size when scaled to fill it
// and cropped about its centre. Empty when either is empty.
QRectF coverSource(const QSizeF &picture, const QSizeF &view);

} // namespace VideoFrameImage
