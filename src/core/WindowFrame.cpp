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

} // namespace

WindowFrame WindowFrame::of(const QRect &geometry, const ScreenArea &screen)
{
    return { screen.name, geometry.topLeft() - screen.geometry.topLeft(), geometry.size() };
}

QJsonObject WindowFrame::toJson() const
{
    return { { QStringLiteral("screen"), screen }, { QStringLiteral("x"), offset.x() },
        { QStringLiteral("y"), offset.y() }, { QStringLiteral("width"), size.width() },
        { QStringLiteral("height"), size.height() } };
}

std::optional<WindowFrame> WindowFrame::fromJson(const QJsonObject &object)
{
    const auto x = pixels(object, QStringLiteral("x"));
    const auto y = pixels(object, QStringLiteral("y"));
    const auto width = pixels(object, QStringLiteral("width"));
    const auto height = pixels(object, QStringLiteral("height"));
    const QJsonValue screen = object.value(QStringLiteral("screen"));
    if (!x || !y || !width || !height || *width <= 0 || *height <= 0 || !screen.isString())
        return std::nullopt;
    return WindowFrame { screen.toString(), { *x, *y }, { *width, *height } };
}

std::optional<QRect> WindowFrame::restoredGeometry(
    const QList<ScreenArea> &screens, const QSize &minimumSize) const
{
    if (screens.isEmpty())
        return std::nullopt;
    const auto same = std::find_if(
        screens.begin(), screens.end(), [this](const ScreenArea &area) { return area.name == screen; });
    const ScreenArea &area = same != screens.end() ? *same : screens.first();
    const QSize fitted = size.boundedTo(area.available.size()).expandedTo(minimumSize);
    const QRect wanted(area.geometry.topLeft() + offset, fitted);
    return QRect(ScreenFit::movedInside(wanted, area.available), fitted);
}
