#pragma once

#include "media/GstBusRelay.h"
#include "media/LatestVideoFrame.h"

#include <QObject>
#include <QSize>
#include <QUrl>
#include <gst/gst.h>
#include <memory>

struct VideoSinkContext;

// Plays a video file in an endless loop through a GStreamer pipeline of its own. GStreamer turns each
// frame upright by the file's orientation tag, crops it to the shape of `frameSize` about its centre,
// and converts and scales it to exactly that size, in its own threads; the frame is then handed over in
// `frames()`, ready to be drawn as it is. While not active the pipeline does not exist at all, and it
// goes on where it stood once active again. Nothing here waits for the pipeline's threads.
class LoopingVideoPipeline : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QUrl source READ source WRITE setSource NOTIFY sourceChanged FINAL)
    Q_PROPERTY(bool muted READ muted WRITE setMuted NOTIFY mutedChanged FINAL)
    Q_PROPERTY(bool active READ active WRITE setActive NOTIFY activeChanged FINAL)
    Q_PROPERTY(QSize frameSize READ frameSize WRITE setFrameSize NOTIFY frameSizeChanged FINAL)
    Q_PROPERTY(bool playing READ playing NOTIFY playingChanged FINAL)
    Q_PROPERTY(QString errorString READ errorString NOTIFY errorStringChanged FINAL)

public:
    explicit LoopingVideoPipeline(QObject *parent = nullptr);
    ~LoopingVideoPipeline() override;

    QUrl source() const { return m_source; }
    void setSource(const QUrl &source);
    bool muted() const { return m_muted; }
    void setMuted(bool muted);
    bool active() const { return m_active; }
    void setActive(bool active);
    // In device pixels.
    QSize frameSize() const { return m_frameSize; }
    void setFrameSize(QSize size);
    // A pipeline exists and has not failed.
    bool playing() const { return m_pipeline != nullptr; }
    // Why the video cannot be played; empty unless it failed.
    QString errorString() const { return m_errorString; }

    // Where the video stands, in milliseconds; -1 when not known.
    Q_INVOKABLE qint64 position() const;
    // Builds the pipeline anew, also after a failure, and plays on from where the video stood.
    Q_INVOKABLE void restart();
    // Where a pipeline built from now on starts, in milliseconds.
    void startFrom(qint64 milliseconds) { m_resumeAt = std::max<qint64>(milliseconds, 0) * GST_MSECOND; }

    const std::shared_ptr<LatestVideoFrame> &frames() const { return m_frames; }

signals:
    void sourceChanged();
    void mutedChanged();
    void activeChanged();
    void frameSizeChanged();
    void playingChanged();
    void errorStringChanged();
    // A frame waits in frames().
    void frameReady();

private:
    void update();
    void build();
    // Keeps the position to go on from when `keepPosition`.
    void tearDown(bool keepPosition);
    void handle(GstMessage *message);
    void applyFrameSize();
    void setErrorString(const QString &text);

    QUrl m_source;
    bool m_muted = true;
    bool m_active = false;
    QSize m_frameSize;
    QString m_errorString;
    // Where a rebuilt pipeline goes on from, in nanoseconds.
    gint64 m_resumeAt = 0;

    GstElement *m_pipeline = nullptr;
    GstElement *m_crop = nullptr;
    GstElement *m_caps = nullptr;
    std::unique_ptr<GstBusRelay> m_bus;
    SharedMainThreadRelay m_frameNotices;
    // Owned by the pipeline's sink, which lives until the control queue has stopped the pipeline.
    VideoSinkContext *m_sinkContext = nullptr;
    // The frames' generation of the current pipeline.
    std::uint64_t m_generation = 0;
    std::shared_ptr<LatestVideoFrame> m_frames;
};
