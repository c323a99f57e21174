#pragma once

#include <QColor>
#include <QImage>
#include <QMetaObject>
#include <QPointer>
#include <QQuickPaintedItem>
#include <QTransform>

class BackdropCapture;

// A glass panel with a backdrop: the slice of the backdrop under it, blurred, under the tint and cut to the
// panel's rounded shape, within its outline. The slice is blurred once per change of the backdrop's
// picture or of the panel's place on it, from a reduced shared capture of the backdrop, so a still
// backdrop costs nothing per frame. The tint is laid on the small blurred slice rather than drawn over the
// panel: under Qt Quick's software adaptation a translucent fill of the panel's size is blended anew with
// every frame of a video behind it, on the raster engine's pooled threads.
class GlassBackdrop : public QQuickPaintedItem
{
    Q_OBJECT
    Q_PROPERTY(QQuickItem *backdrop READ backdrop WRITE setBackdrop NOTIFY backdropChanged FINAL)
    Q_PROPERTY(qreal radius READ radius WRITE setRadius NOTIFY radiusChanged FINAL)
    Q_PROPERTY(QColor tint READ tint WRITE setTint NOTIFY tintChanged FINAL)
    Q_PROPERTY(QColor borderColor READ borderColor WRITE setBorderColor NOTIFY borderColorChanged FINAL)

public:
    // How soft the blur is, in units of the backdrop: a Gaussian's standard deviation.
    static constexpr qreal blurSigma = 16;

    explicit GlassBackdrop(QQuickItem *parent = nullptr);
    ~GlassBackdrop() override;

    QQuickItem *backdrop() const { return m_backdrop; }
    void setBackdrop(QQuickItem *backdrop);
    qreal radius() const { return m_radius; }
    void setRadius(qreal radius);
    QColor tint() const { return m_tint; }
    void setTint(const QColor &tint);
    QColor borderColor() const { return m_borderColor; }
    void setBorderColor(const QColor &color);

    // The whole pixels of a capture of `captureSize` pixels, taken of a backdrop of `backdropSize`, that
    // cover `slice` (in the backdrop's units), within the capture. Empty when the slice lies outside it.
    static QRect captureCrop(const QRectF &slice, const QSizeF &backdropSize, const QSize &captureSize);

    void paint(QPainter *painter) override;

signals:
    void backdropChanged();
    void radiusChanged();
    void tintChanged();
    void borderColorChanged();

protected:
    void itemChange(ItemChange change, const ItemChangeData &data) override;
    void geometryChange(const QRectF &newGeometry, const QRectF &oldGeometry) override;

private:
    void followSlice();
    void followWindow(QQuickWindow *window);
    void followViewing();
    void captureChanged();
    void blurSlice();
    const QImage &tintedSlice();
    void shapePictures(const QTransform &toDevice, const QRect &area, qreal corner);

    QPointer<QQuickItem> m_backdrop;
    QPointer<BackdropCapture> m_capture;
    qreal m_radius = 0;
    QColor m_tint = Qt::transparent;
    QColor m_borderColor = Qt::transparent;
    QMetaObject::Connection m_frames;
    // The part of the backdrop under the panel, in the backdrop's units.
    QRectF m_slice;
    // The blurred crop of the capture and the capture pixels it was made of; made again only when the
    // crop or the capture changes, not when the panel moves by less than a capture pixel.
    QImage m_blurred;
    QRect m_blurredCrop;
    // The blurred crop under the tint it was last laid under; empty once either changes.
    QImage m_tinted;
    // The panel's shape as coverage and its outline, in device pixels, with the placement, corner and
    // colour they were painted for.
    QImage m_shape;
    QImage m_outline;
    QTransform m_shapeTransform;
    qreal m_shapeCorner = -1;
    QColor m_outlineColor;
    bool m_captureChanged = true;
    // An update for the new capture was asked for as the backdrop's next frame arrived, and is not painted
    // yet: asking again while that frame draws would draw the window once more, with nothing changed.
    bool m_joinedFrame = false;
    // Counted as a viewer of the capture only while shown: a hidden dialog's panel must not keep the
    // backdrop being captured.
    bool m_viewing = false;
};
