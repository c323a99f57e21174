#pragma once

#include "core/Result.h"

#include <QImage>
#include <QString>
#include <chrono>

// Decodes one frame of a video file, synchronously, through GStreamer. Each call builds and tears down a
// pipeline of its own, so calls are safe from any thread and from several threads at once.
namespace VideoFrameGrabber {

// The frame shown at `position`, turned upright by the file's orientation tag, with square pixels, and
// scaled down (never up) to fit a square of `maximumPixelSize`.
Result<QImage> frameAt(const QString &filePath, std::chrono::milliseconds position, int maximumPixelSize);

} // namespace VideoFrameGrabber
