#include "ui/shell/BreakScreenLayout.h"

#include <algorithm>
#include <cmath>

namespace {

// Room kept between the wheel and what it must not touch.
constexpr double gap = 8;

// How far right a wheel of `radius` at height `centreY` must be centred to keep clear of `card`.
double clearOf(const QRectF &card, double radius, double centreY)
{
    const double above = std::max({ 0.0, card.top() - centreY, centreY - card.bottom() });
    if (above >= radius)
        return -INFINITY;
    return card.right() + std::sqrt(radius * radius - above * above);
}

} // namespace

BreakScreenLayout BreakScreenLayout::compute(
    const QSizeF &screen, double headerBottom, const QSizeF &action, const QRectF &card)
{
    const double width = screen.width();
    const double height = screen.height();
    const double largest = std::max(0.0, std::min({ width - 80, height - 240, 540.0 }));
    const double actionY = std::min(height / 2 + largest / 2 + 54, height - 120);
    const double top = headerBottom + gap;
    const double bottom = actionY - action.height() / 2 - gap;
    const QRectF clearance = card.isEmpty() ? QRectF() : card.adjusted(-gap, -gap, gap, gap);

    double diameter = std::max(0.0, std::min(largest, bottom - top));
    double centreX = width / 2;
    double centreY = height / 2;
    // Smaller in steps of two until the wheel clears the card without leaving the screen's side margin.
    for (; diameter > 0; diameter -= 2) {
        centreY
            = std::clamp(height / 2, top + diameter / 2, std::max(top + diameter / 2, bottom - diameter / 2));
        centreX = width / 2;
        if (clearance.isEmpty())
            break;
        centreX = std::max(centreX, clearOf(clearance, diameter / 2, centreY));
        if (centreX + diameter / 2 <= width - 40)
            break;
    }
    diameter = std::max(0.0, diameter);
    const double actionX = clearance.isEmpty()
        ? width / 2
        : std::min(
            std::max(width / 2, card.right() + 16 + action.width() / 2), width - 32 - action.width() / 2);
    return { QRectF(centreX - diameter / 2, centreY - diameter / 2, diameter, diameter),
        { actionX, actionY } };
}
