#include "core/WindowFrame.h"

#include "core/ScreenFit.h"

#include <algorithm>
#include <cmath>

namespace {

// A whole number of pixels that a window's coordinate can be; anything else counts as missing.
std::optional<int> pixels(const QJsonObject &object, const QString &key)
{
    const QJsonValue value = object.value(key);
    constexpr double limit = 1 << 20;
    if (!value.isDouble() || value.toDouble() != double(value.toInt()) || std::abs(value.toDouble()) > limit)
        return std::nullopt;
    return value.toInt();
}

// The window's own area for one that wants `wanted`: shrunk (never below `minimumSize`) and moved just
// enough that with its `frame` around it, it lies inside `available`.
QRect fitted(const QRect &wanted, const QRect &available, const QSize &minimumSize, const QMargins &frame)
{
    const QSize size
        = wanted.size().boundedTo(available.marginsRemoved(frame).size()).expandedTo(minimumSize);
    const QRect framed = QRect(wanted.topLeft(), size).marginsAdded(frame);
    return { ScreenFit::movedInside(framed, available) + QPoint(frame.left(), frame.top()), size };
}

} // namespace

WindowFrame WindowFrame::of(const QRect &geometry, const ScreenArea &screen)
{
    return { screen.name, geometry.topLeft() - screen.geometry.topLeft(), geometry.size() };
}

QJsonObject WindowFrame::toJson() const
{
    return { { QStringLiteral("screen"), screen }, { QStringLiteral("x"), offset.x() },
        { QStringLiteral("y"), offset.y() }, { QStringLiteral("width"), size.width() },
        { QStringLiteral("height"), size.height() }, { QStringLiteral("maximized"), maximized } };
}

std::optional<WindowFrame> WindowFrame::fromJson(const QJsonObject &object)
{
    const auto x = pixels(object, QStringLiteral("x"));
    const auto y = pixels(object, QStringLiteral("y"));
    const auto width = pixels(object, QStringLiteral("width"));
    const auto height = pixels(object, QStringLiteral("height"));
    const QJsonValue screen = object.value(QStringLiteral("screen"));
    // Written only since maximised windows are kept: an older file means a window left unmaximised.
    const QJsonValue maximized = object.value(QStringLiteral("maximized"));
    if (!x || !y || !width || !height || *width <= 0 || *height <= 0 || !screen.isString()
        || !(maximized.isBool() || maximized.isUndefined()))
        return std::nullopt;
    return WindowFrame { screen.toString(), { *x, *y }, { *width, *height }, maximized.toBool() };
}

std::optional<QRect> WindowFrame::restoredGeometry(
    const QList<ScreenArea> &screens, const QSize &minimumSize, const QMargins &frame) const
{
    if (screens.isEmpty())
        return std::nullopt;
    const auto same = std::find_if(
        screens.begin(), screens.end(), [this](const ScreenArea &area) { return area.name == screen; });
    const ScreenArea &area = same != screens.end() ? *same : screens.first();
    return fitted(QRect(area.geometry.topLeft() + offset, size), area.available, minimumSize, frame);
}

std::optional<QRect> WindowFrame::firstGeometry(const QList<ScreenArea> &screens, const QSize &defaultSize,
    const QSize &minimumSize, const QMargins &frame)
{
    if (screens.isEmpty())
        return std::nullopt;
    const QRect &available = screens.first().available;
    const QSize framed = fitted(QRect(available.topLeft(), defaultSize), available, minimumSize, frame)
                             .marginsAdded(frame)
                             .size();
    const QRect centred(available.x() + (available.width() - framed.width()) / 2,
        available.y() + (available.height() - framed.height()) / 2, framed.width(), framed.height());
    return fitted(centred.marginsRemoved(frame), available, minimumSize, frame);
}
