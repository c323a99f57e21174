#include "app/WindowResizeGeometry.h"

#include <algorithm>

QRect resizedWindowFrame(const QRect &startFrame, QPoint dragTranslation, QSize minimumSize)
{
    const int width = std::max(startFrame.width() + dragTranslation.x(), minimumSize.width());
    const int height = std::max(startFrame.height() + dragTranslation.y(), minimumSize.height());
    return QRect(startFrame.topLeft(), QSize(width, height));
}
