#include "ui/effects/OpaqueLayerView.h"

#include <QQuickWindow>
#include <QSGDynamicTexture>
#include <QSGImageNode>
#include <QSGTextureProvider>

namespace {

// A live layer draws itself only when a node that shows it asks, before the frame is rendered.
class LayerNode final : public QSGNode
{
public:
    explicit LayerNode(QSGImageNode *image)
        : m_image(image)
    {
        setFlag(UsePreprocess);
        appendChildNode(image);
    }

    void preprocess() override
    {
        if (auto *dynamic = qobject_cast<QSGDynamicTexture *>(m_image->texture());
            dynamic && dynamic->updateTexture())
            m_image->markDirty(DirtyMaterial);
    }

    QSGImageNode *image() const { return m_image; }

private:
    QSGImageNode *m_image;
};

} // namespace

OpaqueLayerView::OpaqueLayerView(QQuickItem *parent)
    : QQuickItem(parent)
{
    setFlag(ItemHasContents);
}

void OpaqueLayerView::setSource(QQuickItem *layer)
{
    if (m_layer == layer)
        return;
    m_layer = layer;
    update();
    emit sourceChanged();
}

QSGNode *OpaqueLayerView::updatePaintNode(QSGNode *oldNode, UpdatePaintNodeData *)
{
    QSGTextureProvider *provider
        = m_layer && m_layer->isTextureProvider() ? m_layer->textureProvider() : nullptr;
    if (provider != m_provider) {
        if (m_provider)
            disconnect(m_provider, nullptr, this, nullptr);
        m_provider = provider;
        if (provider)
            connect(provider, &QSGTextureProvider::textureChanged, this, &QQuickItem::update,
                Qt::QueuedConnection);
    }
    QSGTexture *texture = provider ? provider->texture() : nullptr;
    if (!texture || width() <= 0 || height() <= 0) {
        delete oldNode;
        return nullptr;
    }
    auto *node = static_cast<LayerNode *>(oldNode);
    if (!node) {
        QSGImageNode *image = window()->createImageNode();
        image->setFiltering(QSGTexture::Nearest);
        node = new LayerNode(image);
    }
    QSGImageNode *image = node->image();
    if (image->texture() != texture)
        image->setTexture(texture);
    image->setRect(boundingRect());
    image->setSourceRect(QRectF(QPointF(0, 0), texture->textureSize()));
    image->markDirty(QSGNode::DirtyMaterial);
    return node;
}
