#pragma once

#include "media/FrameShade.h"
#include "media/LatestVideoFrame.h"
#include "media/SharedVideoFrames.h"

#include <QObject>
#include <QPointer>
#include <QProcess>
#include <QSize>
#include <QUrl>
#include <chrono>
#include <functional>
#include <memory>

// Plays a video file in an endless loop in a decoder process of its own (a LoopingVideoPipeline there):
// turned upright, cropped to the shape of `frameSize` about its centre and scaled to exactly that size, each
// frame is handed over in `frames()` from memory both processes map, ready to be drawn as it is. While not
// active no decoder runs, so a window closed to the tray holds neither GStreamer's decoding libraries nor
// their threads and buffers; active again, the video goes on where it stood. Nothing here waits for the
// decoder, and a decoder that fails or dies shows as an error, never as a fault of the program.
class VideoDecoderProcess : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QUrl source READ source WRITE setSource NOTIFY sourceChanged FINAL)
    Q_PROPERTY(bool muted READ muted WRITE setMuted NOTIFY mutedChanged FINAL)
    Q_PROPERTY(bool active READ active WRITE setActive NOTIFY activeChanged FINAL)
    Q_PROPERTY(QSize frameSize READ frameSize WRITE setFrameSize NOTIFY frameSizeChanged FINAL)
    // How each frame is darkened before it is handed over: black of `shadeOpacity` over it all, and black
    // running from top to bottom through the evenly spaced opacities of `shadeGradient`.
    Q_PROPERTY(qreal shadeOpacity READ shadeOpacity WRITE setShadeOpacity NOTIFY shadeChanged FINAL)
    Q_PROPERTY(QList<qreal> shadeGradient READ shadeGradient WRITE setShadeGradient NOTIFY shadeChanged FINAL)
    Q_PROPERTY(bool playing READ playing NOTIFY playingChanged FINAL)
    Q_PROPERTY(QString errorString READ errorString NOTIFY errorStringChanged FINAL)

public:
    explicit VideoDecoderProcess(QObject *parent = nullptr);
    ~VideoDecoderProcess() override;

    // Where the decoder lies beside the program, in the build as when installed.
    static QString decoderProgram();

    QUrl source() const { return m_source; }
    void setSource(const QUrl &source);
    bool muted() const { return m_muted; }
    void setMuted(bool muted);
    bool active() const { return m_active; }
    void setActive(bool active);
    // In device pixels.
    QSize frameSize() const { return m_frameSize; }
    void setFrameSize(QSize size);
    qreal shadeOpacity() const { return m_shade.uniform; }
    void setShadeOpacity(qreal opacity);
    QList<qreal> shadeGradient() const { return m_shade.gradient; }
    void setShadeGradient(const QList<qreal> &opacities);
    // Whoever draws the frames darkens them as it copies them into the window, sparing the decoder a pass
    // over every frame: the decoder then hands them over as decoded.
    void setShadedWhereDrawn(bool shadedWhereDrawn);
    // The darkening the frames in `frames()` still need: none when the decoder applies it.
    FrameShade pendingShade() const { return m_shadedWhereDrawn ? m_shade : FrameShade(); }
    // A decoder runs and has not failed.
    bool playing() const { return m_process != nullptr; }
    // Why the video cannot be played; empty unless it failed.
    QString errorString() const { return m_errorString; }

    // Where the video stands by its last frame, in milliseconds; -1 when not known.
    Q_INVOKABLE qint64 position() const;
    // Starts the decoder anew, also after a failure, and plays on from where the video stood.
    Q_INVOKABLE void restart();

    // Decoders that die within `deathWindow` of each other before the video is given up as one that cannot
    // be played; deaths farther apart (a decoder killed now and then over a long day) never add up.
    static constexpr int maximumDeaths = 3;
    static constexpr std::chrono::milliseconds deathWindow { 120'000 };
    // The steady clock the deaths are timed by, in milliseconds; tests give their own.
    void setClock(std::function<qint64()> milliseconds) { m_clock = std::move(milliseconds); }

    const std::shared_ptr<LatestVideoFrame> &frames() const { return m_frames; }

signals:
    void sourceChanged();
    void mutedChanged();
    void activeChanged();
    void frameSizeChanged();
    void shadeChanged();
    void playingChanged();
    void errorStringChanged();
    // A frame waits in frames().
    void frameReady();

private:
    void update();
    void start();
    // Keeps the position to go on from when `keepPosition`.
    void stop(bool keepPosition);
    void readMessages();
    void decoderEnded();
    void send(const QByteArray &command);
    void setErrorString(const QString &text);
    void setShade(const FrameShade &shade);
    void sendShade();

    QUrl m_source;
    bool m_muted = true;
    bool m_active = false;
    QSize m_frameSize;
    FrameShade m_shade;
    bool m_shadedWhereDrawn = false;
    QString m_errorString;
    // Where the next decoder goes on from, and where the running one's last frame stood, in milliseconds.
    qint64 m_resumeAt = 0;
    qint64 m_lastFrameAt = -1;
    // When the decoders that died within the window died.
    QList<qint64> m_deaths;
    std::function<qint64()> m_clock;

    QPointer<QProcess> m_process;
    std::shared_ptr<SharedVideoFrames> m_shared;
    std::uint64_t m_generation = 0;
    std::shared_ptr<LatestVideoFrame> m_frames;
};
