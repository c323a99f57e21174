#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// The frame a corner drag gives when the program resizes the window itself: the size follows the
// drag from the frame at its start, never below the minimum, and the top-left corner stays put.
QRect resizedWindowFrame(const QRect &startFrame, QPoint dragTranslation, QSize minimumSize);
