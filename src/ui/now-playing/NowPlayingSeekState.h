#pragma once

#include "core/OneShotTimer.h"
#include "ui/now-playing/NowPlayingPresentation.h"

#include <QObject>
#include <memory>

// One now-playing card's seek drag, and the card's presentation for what its host hands it. A drag
// previews its position without seeking; the release seeks once and keeps the preview a moment longer,
// so the label does not flick back before the player's new record arrives. A new track drops the drag.
class NowPlayingSeekState : public QObject
{
    Q_OBJECT
    Q_PROPERTY(NowPlayingInfo info READ info WRITE setInfo NOTIFY presentationChanged FINAL)
    Q_PROPERTY(bool english READ english WRITE setEnglish NOTIFY presentationChanged FINAL)
    Q_PROPERTY(double volume READ volume WRITE setVolume NOTIFY presentationChanged FINAL)
    Q_PROPERTY(QColor accent READ accent WRITE setAccent NOTIFY presentationChanged FINAL)
    Q_PROPERTY(double width READ width WRITE setWidth NOTIFY presentationChanged FINAL)
    Q_PROPERTY(double barWidth READ barWidth WRITE setBarWidth NOTIFY presentationChanged FINAL)
    Q_PROPERTY(bool progressIsHovered READ progressIsHovered WRITE setProgressIsHovered NOTIFY
            presentationChanged FINAL)
    Q_PROPERTY(bool isSeeking READ isSeeking NOTIFY presentationChanged FINAL)
    Q_PROPERTY(NowPlayingPresentation presentation READ presentation NOTIFY presentationChanged FINAL)

public:
    explicit NowPlayingSeekState(QObject *parent = nullptr);
    NowPlayingSeekState(std::unique_ptr<OneShotTimer> endTimer, QObject *parent = nullptr);
    ~NowPlayingSeekState() override;

    static constexpr std::chrono::milliseconds previewHold { 180 };

    const NowPlayingInfo &info() const { return m_state.info; }
    void setInfo(const NowPlayingInfo &info);
    bool english() const { return m_state.language == AppLanguage::english; }
    void setEnglish(bool english);
    double volume() const { return m_state.volume; }
    void setVolume(double volume);
    const QColor &accent() const { return m_state.accent; }
    void setAccent(const QColor &accent);
    double width() const { return m_state.width; }
    void setWidth(double width);
    double barWidth() const { return m_state.barWidth; }
    void setBarWidth(double width);
    bool progressIsHovered() const { return m_state.progressIsHovered; }
    void setProgressIsHovered(bool hovered);
    bool isSeeking() const { return m_state.isSeeking; }
    double seekPreviewProgress() const { return m_state.seekPreviewProgress; }
    const NowPlayingPresentation &presentation() const { return m_presentation; }

    // The pointer in the strip's own coordinates. A press starts a new drag: an earlier release's
    // pending end must not cut the new preview short.
    Q_INVOKABLE void press(double x);
    Q_INVOKABLE void move(double x);
    Q_INVOKABLE void release(double x);
    // The drag lost its pointer (another item took the grab): it ends at once and seeks nothing.
    Q_INVOKABLE void cancel();
    // The accessible adjustments: ten seconds of the track either way, from the player's position.
    Q_INVOKABLE void increment();
    Q_INVOKABLE void decrement();

signals:
    void presentationChanged();
    // The card's seek action: a fraction of the track, 0 to 1.
    void seekRequested(double fraction);

private:
    bool canSeek() const;
    template<typename Change> void change(Change change);

    std::unique_ptr<OneShotTimer> m_endTimer;
    NowPlayingPresentation::State m_state;
    NowPlayingPresentation m_presentation;
};
