#pragma once

#include <QImage>
#include <QRectF>
#include <QSGRenderNode>
#include <cstdint>
#include <vector>

class QQuickWindow;
class QRegion;

// Copies `frame`, placed at `origin` in `target`, into the pixels of `region` alone, each line multiplied by
// its factor of `lineFactors` in 256ths. False, with nothing copied, for pixels of another format.
bool copyShadedFrame(QImage &target, const QImage &frame, const QPoint &origin, const QRegion &region,
    const std::vector<std::uint16_t> &lineFactors);

// A video frame drawn by Qt Quick's software adaptation, darkened line by line as it is copied into the
// window. The decoder then leaves the frame alone: darkening it there was a pass of its own over every
// frame, and the image node's copy into the window another.
class ShadedFrameNode : public QSGRenderNode
{
public:
    explicit ShadedFrameNode(QQuickWindow *window);

    // `lineFactors` multiply each line of `frame`, in 256ths; the frame fills `rect`.
    void show(const QImage &frame, const std::vector<std::uint16_t> &lineFactors, const QRectF &rect);

    void render(const RenderState *state) override;
    StateFlags changedStates() const override { return {}; }
    RenderingFlags flags() const override { return BoundedRectRendering | OpaqueRendering; }
    QRectF rect() const override { return m_rect; }

private:
    QQuickWindow *m_window;
    QImage m_frame;
    std::vector<std::uint16_t> m_lineFactors;
    QRectF m_rect;
};
