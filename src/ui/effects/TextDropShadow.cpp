#include "ui/effects/TextDropShadow.h"

#include <QPainter>
#include <QQuickWindow>

TextDropShadow::TextDropShadow(QQuickItem *parent)
    : QQuickPaintedItem(parent)
{ }

template<typename T> void TextDropShadow::assign(T &member, const T &value)
{
    if (member == value)
        return;
    member = value;
    rebuild();
    emit appearanceChanged();
}

void TextDropShadow::setText(const QString &text)
{
    assign(m_text, text);
}
void TextDropShadow::setFont(const QFont &font)
{
    assign(m_font, font);
}
void TextDropShadow::setColor(const QColor &colour)
{
    assign(m_colour, colour);
}
void TextDropShadow::setTextColor(const QColor &colour)
{
    assign(m_textColour, colour);
}
void TextDropShadow::setRadius(qreal radius)
{
    assign(m_radius, radius);
}
void TextDropShadow::setVerticalOffset(qreal offset)
{
    assign(m_verticalOffset, offset);
}
void TextDropShadow::setTextPosition(const QPointF &position)
{
    assign(m_textPosition, position);
}

void TextDropShadow::componentComplete()
{
    QQuickPaintedItem::componentComplete();
    rebuild();
}

void TextDropShadow::itemChange(ItemChange change, const ItemChangeData &value)
{
    QQuickPaintedItem::itemChange(change, value);
    if (change == ItemDevicePixelRatioHasChanged || (change == ItemSceneChange && value.window))
        rebuild();
}

void TextDropShadow::rebuild()
{
    if (!isComponentComplete())
        return;
    const QFontMetricsF metrics(m_font);
    m_textBounds = QRectF(QPointF(0, 0), QSizeF(metrics.horizontalAdvance(m_text), metrics.height()));
    const QRectF &textBounds = m_textBounds;
    const QString &text = m_text;
    const QFont &font = m_font;
    // ShadowImage's blur radius is two deviations.
    const double blurRadius = 2 * (m_radius + 1) / 3.3333;
    m_shadow = ShadowImage(
        textBounds,
        [&text, &font, &textBounds](QPainter &painter) {
            painter.setFont(font);
            painter.drawText(textBounds, Qt::AlignLeft | Qt::AlignTop, text);
        },
        m_colour, blurRadius, QPointF(0, m_verticalOffset),
        window() ? window()->effectiveDevicePixelRatio() : 1);
    const QRectF bounds = m_shadow.bounds();
    setPosition(m_textPosition + bounds.topLeft());
    setSize(bounds.size());
    update();
}

void TextDropShadow::paint(QPainter *painter)
{
    painter->translate(-m_shadow.bounds().topLeft());
    m_shadow.draw(*painter);
    painter->setFont(m_font);
    painter->setPen(m_textColour);
    painter->drawText(m_textBounds, Qt::AlignLeft | Qt::AlignTop, m_text);
}
