#pragma once

#include "core/Result.h"
#include "media/GstBusRelay.h"
#include "media/GstHandles.h"
#include "media/LatestVideoFrame.h"

#include <QObject>
#include <QSize>
#include <gst/gst.h>
#include <memory>

class SharedVideoFrames;
struct VideoSinkContext;

// Plays one video file in an endless loop through a GStreamer pipeline of its own: the whole work of the
// video decoder process. GStreamer turns each frame upright by the file's orientation tag, crops it to the
// shape of the frame size about its centre, and converts and scales it to exactly that size, in its own
// threads; the frame is then handed over in `frames()`, ready to be drawn as it is. Nothing here waits for
// the pipeline's threads.
class LoopingVideoPipeline : public QObject
{
    Q_OBJECT

public:
    explicit LoopingVideoPipeline(QObject *parent = nullptr);
    ~LoopingVideoPipeline() override;

    // Before play(): the frames are written straight into free slots of `memory` where they can be.
    void writeFramesInto(std::shared_ptr<SharedVideoFrames> memory) { m_slots = std::move(memory); }
    // Starts `file` `fromMilliseconds` into it, with frames of `frameSize` device pixels. Once.
    void play(const QString &file, QSize frameSize, bool muted, qint64 fromMilliseconds);
    void setMuted(bool muted);
    void setFrameSize(QSize size);

    // Where the video stands, in milliseconds; -1 when not known.
    qint64 position() const;

    const std::shared_ptr<LatestVideoFrame> &frames() const { return m_frames; }

signals:
    // A frame waits in frames().
    void frameReady();
    // The video cannot be played, and the pipeline is gone.
    void failed(const QString &why);

private:
    Status build(const QString &file);
    void tearDown();
    void handle(GstMessage *message);
    void applyFrameSize();
    void selectStreams();

    bool m_muted = true;
    QSize m_frameSize;
    // Where the pipeline starts, in nanoseconds, until it has got there.
    gint64 m_resumeAt = 0;
    // The pipeline has played from where it started: the streams may be chosen again.
    bool m_settled = false;

    GstElement *m_pipeline = nullptr;
    GstElement *m_crop = nullptr;
    GstElement *m_caps = nullptr;
    std::unique_ptr<GstBusRelay> m_bus;
    // The file's streams, once the pipeline has told them.
    std::unique_ptr<GstStreamCollection, GstObjectUnref> m_streams;
    SharedMainThreadRelay m_frameNotices;
    // Owned by the pipeline's sink, which lives until the control queue has stopped the pipeline.
    VideoSinkContext *m_sinkContext = nullptr;
    // The frames' generation of the current pipeline.
    std::uint64_t m_generation = 0;
    std::shared_ptr<LatestVideoFrame> m_frames;
    std::shared_ptr<SharedVideoFrames> m_slots;
};
