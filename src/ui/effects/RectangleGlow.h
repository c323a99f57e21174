#pragma once

#include <QColor>
#include <QImage>
#include <QQuickItem>

class RectangleGlowPicture;

// A soft glow around a rounded rectangle: the item's own rectangle glows, reaching `glowRadius` past its
// edge with the falloff of the rectangular glow effect it stands in for, which needs shaders that Qt
// Quick's software renderer does not run. The glow is painted once per size, radius, colour or pixel ratio
// into a child that extends past the item, and only copied after that.
class RectangleGlow : public QQuickItem
{
    Q_OBJECT
    Q_PROPERTY(qreal glowRadius MEMBER m_glowRadius WRITE setGlowRadius NOTIFY glowRadiusChanged FINAL)
    // As the effect's: it rounds the glow's outer corners, so a shape of corner radius r glows well with
    // r + glowRadius.
    Q_PROPERTY(
        qreal cornerRadius MEMBER m_cornerRadius WRITE setCornerRadius NOTIFY cornerRadiusChanged FINAL)
    Q_PROPERTY(QColor color MEMBER m_colour WRITE setColor NOTIFY colorChanged FINAL)

public:
    explicit RectangleGlow(QQuickItem *parent = nullptr);

    void setGlowRadius(qreal radius);
    void setCornerRadius(qreal radius);
    void setColor(const QColor &colour);

    // How far the glow of a `shape`-sized rectangle reaches past each of its edges; 0 when it has none.
    static qreal extent(const QSizeF &shape, qreal glowRadius, qreal cornerRadius);
    // The glow of a `shape`-sized rectangle, `extent()` larger on every side, in device pixels.
    static QImage image(const QSizeF &shape, qreal glowRadius, qreal cornerRadius, const QColor &colour,
        qreal devicePixelRatio);

signals:
    void glowRadiusChanged();
    void cornerRadiusChanged();
    void colorChanged();

protected:
    void geometryChange(const QRectF &newGeometry, const QRectF &oldGeometry) override;

private:
    template<typename T> void assign(T &member, const T &value, void (RectangleGlow::*changed)());
    void placePicture();

    qreal m_glowRadius = 0;
    qreal m_cornerRadius = 0;
    QColor m_colour = Qt::white;
    RectangleGlowPicture *m_picture = nullptr;
};
