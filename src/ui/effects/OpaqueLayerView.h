#pragma once

#include <QPointer>
#include <QQuickItem>

class QSGTextureProvider;

// Shows the texture of a layer (a ShaderEffectSource) as an opaque picture, pixel for pixel: nothing is
// blended and nothing is filtered. A layer that covers the whole window is drawn again with every frame,
// and a software rasteriser draws it this way at a fraction of the cost of a blended layer. Only for a
// layer whose content covers it: what is transparent in it shows as black.
class OpaqueLayerView : public QQuickItem
{
    Q_OBJECT
    Q_PROPERTY(QQuickItem *source READ source WRITE setSource NOTIFY sourceChanged FINAL)

public:
    explicit OpaqueLayerView(QQuickItem *parent = nullptr);

    QQuickItem *source() const { return m_layer; }
    void setSource(QQuickItem *layer);

signals:
    void sourceChanged();

protected:
    QSGNode *updatePaintNode(QSGNode *oldNode, UpdatePaintNodeData *) override;

private:
    QPointer<QQuickItem> m_layer;
    // Touched only on the render thread, while this thread waits for it.
    QPointer<QSGTextureProvider> m_provider;
};
