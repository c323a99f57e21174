#include "app/TitleBandDoubleClick.h"

#include <QMouseEvent>
#include <algorithm>

namespace {
constexpr qreal bandHeight = 72;
constexpr qreal leftMargin = 72;
constexpr qreal rightMargin = 180;
} // namespace

bool isInTitleBand(QPointF position, QSizeF windowSize)
{
    // A window lower than the band is band all over.
    const bool inHeight = windowSize.height() < bandHeight || position.y() <= bandHeight;
    const qreal right = std::max(windowSize.width() - rightMargin, leftMargin);
    return inHeight && position.x() >= leftMargin && position.x() <= right;
}

bool TitleBandDoubleClick::handle(const QEvent &event, QSizeF windowSize, int doubleClickIntervalMs)
{
    if (event.type() != QEvent::MouseButtonPress)
        return false;
    const auto &press = static_cast<const QMouseEvent &>(event);
    if (press.button() != Qt::LeftButton || !isInTitleBand(press.position(), windowSize))
        return false;
    const quint64 timestampMs = press.timestamp();
    // Event times may wrap or come from another clock after a reconnect; a press earlier than the
    // stored one starts a new pair.
    if (m_lastBandPress && timestampMs >= *m_lastBandPress
        && timestampMs - *m_lastBandPress <= quint64(std::max(doubleClickIntervalMs, 0))) {
        m_lastBandPress.reset();
        return true;
    }
    m_lastBandPress = timestampMs;
    return false;
}
