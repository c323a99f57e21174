#pragma once

#include "ui/effects/ShadowImage.h"

#include <QColor>
#include <QFont>
#include <QQuickPaintedItem>

// A soft shadow under one line of text with the text drawn once more over it, as a shadow effect draws
// its source, placed at the text's own position. The blur is made once per text, font or colour, in C++:
// a shadow effect over a text that changes every second would redraw its layers and the whole window twice
// a second.
class TextDropShadow : public QQuickPaintedItem
{
    Q_OBJECT
    Q_PROPERTY(QString text MEMBER m_text WRITE setText NOTIFY appearanceChanged FINAL)
    Q_PROPERTY(QFont font MEMBER m_font WRITE setFont NOTIFY appearanceChanged FINAL)
    Q_PROPERTY(QColor color MEMBER m_colour WRITE setColor NOTIFY appearanceChanged FINAL)
    Q_PROPERTY(QColor textColor MEMBER m_textColour WRITE setTextColor NOTIFY appearanceChanged FINAL)
    // As a Gaussian shadow effect's radius: its deviation is (radius + 1) / 3.3333.
    Q_PROPERTY(qreal radius MEMBER m_radius WRITE setRadius NOTIFY appearanceChanged FINAL)
    Q_PROPERTY(
        qreal verticalOffset MEMBER m_verticalOffset WRITE setVerticalOffset NOTIFY appearanceChanged FINAL)
    // Where the text's top-left corner is, in the parent's coordinates.
    Q_PROPERTY(
        QPointF textPosition MEMBER m_textPosition WRITE setTextPosition NOTIFY appearanceChanged FINAL)

public:
    explicit TextDropShadow(QQuickItem *parent = nullptr);

    void setText(const QString &text);
    void setFont(const QFont &font);
    void setColor(const QColor &colour);
    void setTextColor(const QColor &colour);
    void setRadius(qreal radius);
    void setVerticalOffset(qreal offset);
    void setTextPosition(const QPointF &position);

    void paint(QPainter *painter) override;

signals:
    void appearanceChanged();

protected:
    void componentComplete() override;
    void itemChange(ItemChange change, const ItemChangeData &value) override;

private:
    template<typename T> void assign(T &member, const T &value);
    void rebuild();

    QString m_text;
    QFont m_font;
    QColor m_colour = QColor(0, 0, 0, 128);
    QColor m_textColour = Qt::transparent;
    qreal m_radius = 0;
    qreal m_verticalOffset = 0;
    QPointF m_textPosition;
    QRectF m_textBounds;
    ShadowImage m_shadow;
};
