#include "media/VideoDecoderProcess.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <fcntl.h>
#include <linux/close_range.h>
#include <unistd.h>

namespace {

// Frame memory is only reserved until written, so it is reserved for the whole screen: a window made larger
// then needs no new decoder. A frame larger still gets one.
std::size_t frameBytesFor(QSize frame)
{
    std::size_t pixels = std::size_t(frame.width()) * std::size_t(frame.height());
    if (const QScreen *screen = qobject_cast<QGuiApplication *>(QCoreApplication::instance())
            ? QGuiApplication::primaryScreen()
            : nullptr) {
        const QSize whole = screen->size() * screen->devicePixelRatio();
        pixels = std::max(pixels, std::size_t(whole.width()) * std::size_t(whole.height()));
    }
    return pixels * 4;
}

// Runs between fork and exec, so only calls that are safe there.
void closeOnExecFrom(int first)
{
    if (::close_range(unsigned(first), ~0U, CLOSE_RANGE_CLOEXEC) == 0)
        return;
    for (long open = sysconf(_SC_OPEN_MAX), descriptor = first; descriptor < open; ++descriptor)
        fcntl(int(descriptor), F_SETFD, FD_CLOEXEC);
}

QByteArray sizeCommand(QSize size)
{
    return "size " + QByteArray::number(size.width()) + ' ' + QByteArray::number(size.height()) + '\n';
}

} // namespace

VideoDecoderProcess::VideoDecoderProcess(QObject *parent)
    : QObject(parent)
    , m_clock([] { return QDeadlineTimer::current().deadline(); })
    , m_frames(std::make_shared<LatestVideoFrame>())
{ }

VideoDecoderProcess::~VideoDecoderProcess()
{
    stop(false);
    // A killed decoder ends at once; it is reaped here rather than left to the event loop, which may not run
    // again.
    for (QProcess *process : findChildren<QProcess *>())
        process->waitForFinished(1000);
}

QString VideoDecoderProcess::decoderProgram()
{
    return QCoreApplication::applicationDirPath()
        + QStringLiteral("/../libexec/quorvane/quorvane-video-decoder");
}

void VideoDecoderProcess::setSource(const QUrl &source)
{
    if (source == m_source)
        return;
    m_source = source;
    stop(false);
    setErrorString({});
    update();
    emit sourceChanged();
}

void VideoDecoderProcess::setMuted(bool muted)
{
    if (muted == m_muted)
        return;
    m_muted = muted;
    // The stream plays on: only its sound is switched.
    send(muted ? "mute 1\n" : "mute 0\n");
    emit mutedChanged();
}

void VideoDecoderProcess::setActive(bool active)
{
    if (active == m_active)
        return;
    m_active = active;
    // Shown again, a video that could not be played is tried once more.
    if (active) {
        m_deaths.clear();
        setErrorString({});
    }
    update();
    emit activeChanged();
}

void VideoDecoderProcess::setFrameSize(QSize size)
{
    if (size == m_frameSize)
        return;
    m_frameSize = size;
    if (m_process && !size.isEmpty() && frameBytesFor(size) <= m_shared->frameBytes()) {
        send(sizeCommand(size));
    } else {
        stop(true);
        update();
    }
    emit frameSizeChanged();
}

void VideoDecoderProcess::setShadeOpacity(qreal opacity)
{
    setShade({ std::clamp<qreal>(opacity, 0, 1), m_shade.gradient });
}

void VideoDecoderProcess::setShadeGradient(const QList<qreal> &opacities)
{
    FrameShade shade { m_shade.uniform, {} };
    for (const qreal opacity : opacities)
        shade.gradient.append(std::clamp<qreal>(opacity, 0, 1));
    setShade(shade);
}

void VideoDecoderProcess::setShade(const FrameShade &shade)
{
    if (shade == m_shade)
        return;
    m_shade = shade;
    sendShade();
    emit shadeChanged();
}

void VideoDecoderProcess::setShadedWhereDrawn(bool shadedWhereDrawn)
{
    if (shadedWhereDrawn == m_shadedWhereDrawn)
        return;
    m_shadedWhereDrawn = shadedWhereDrawn;
    sendShade();
    emit shadeChanged();
}

void VideoDecoderProcess::sendShade()
{
    send("shade " + (m_shadedWhereDrawn ? FrameShade() : m_shade).toCommand() + '\n');
}

qint64 VideoDecoderProcess::position() const
{
    return m_process ? m_lastFrameAt : -1;
}

void VideoDecoderProcess::restart()
{
    // A start that stalled goes on from where the video stood; one that failed stood nowhere.
    stop(true);
    // After the video was given up this is a new try; a stalled start asked again is not.
    if (!m_errorString.isEmpty())
        m_deaths.clear();
    setErrorString({});
    update();
}

void VideoDecoderProcess::update()
{
    const bool wanted
        = m_active && m_source.isLocalFile() && !m_frameSize.isEmpty() && m_errorString.isEmpty();
    if (!wanted)
        stop(true);
    else if (!m_process)
        start();
}

void VideoDecoderProcess::start()
{
    Result<std::shared_ptr<SharedVideoFrames>> shared = SharedVideoFrames::create(frameBytesFor(m_frameSize));
    if (!shared) {
        setErrorString(shared.error());
        return;
    }
    m_shared = std::move(shared).value();
    m_generation = m_frames->discard();
    m_lastFrameAt = -1;

    auto *process = new QProcess(this);
    process->setProgram(decoderProgram());
    process->setArguments(
        { m_source.toLocalFile(), QString::number(m_frameSize.width()), QString::number(m_frameSize.height()),
            m_muted ? QStringLiteral("1") : QStringLiteral("0"), QString::number(m_resumeAt) });
    // GStreamer's own warnings go where the program's go.
    process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // The frames' memory is the decoder's descriptor 3; dup2 leaves it open across exec. Nothing else of
    // this process goes along: GStreamer's players open sockets that are not closed on exec.
    const int descriptor = m_shared->descriptor();
    process->setChildProcessModifier([descriptor] {
        dup2(descriptor, 3);
        closeOnExecFrom(4);
    });
    connect(process, &QProcess::readyReadStandardOutput, this, &VideoDecoderProcess::readMessages);
    connect(process, &QProcess::finished, this, &VideoDecoderProcess::decoderEnded);
    connect(process, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
        if (error == QProcess::FailedToStart)
            decoderEnded();
    });
    m_process = process;
    process->start();
    // Read before the first frame is ready, which takes the pipeline far longer to make.
    sendShade();
    emit playingChanged();
}

void VideoDecoderProcess::stop(bool keepPosition)
{
    if (!keepPosition)
        m_resumeAt = 0;
    else if (m_process && m_lastFrameAt > 0)
        m_resumeAt = m_lastFrameAt;
    if (!m_process)
        return;
    QProcess *process = std::exchange(m_process, nullptr);
    disconnect(process, nullptr, this, nullptr);
    // The decoder keeps nothing worth a goodbye; killed, it cannot linger in GStreamer's shutdown.
    connect(process, &QProcess::finished, process, &QObject::deleteLater);
    process->kill();
    if (process->state() == QProcess::NotRunning)
        process->deleteLater();
    m_frames->discard();
    // A frame the view still draws keeps its slot; the others' memory goes now.
    m_shared->releaseFreeSlots();
    m_shared.reset();
    m_lastFrameAt = -1;
    emit playingChanged();
}

void VideoDecoderProcess::readMessages()
{
    while (m_process && m_process->canReadLine()) {
        const QByteArray line = m_process->readLine().trimmed();
        if (line.startsWith("frame ")) {
            bool isNumber = false;
            const int slot = line.mid(6).toInt(&isNumber);
            if (!isNumber)
                continue;
            const QImage frame = m_shared->take(slot);
            if (frame.isNull())
                continue;
            m_lastFrameAt = m_shared->positionOf(slot);
            if (m_frames->put(frame, m_generation)) {
                m_frames->noticeReceived();
                emit frameReady();
            }
        } else if (line.startsWith("error ")) {
            // A file that cannot be played fails the same way at every start: it is not started again
            // until asked to.
            setErrorString(QString::fromUtf8(line.mid(6)));
            stop(false);
        }
    }
}

void VideoDecoderProcess::decoderEnded()
{
    if (!m_process)
        return;
    readMessages();
    if (!m_process)
        return;
    if (m_process->error() == QProcess::FailedToStart) {
        setErrorString(QStringLiteral("The video decoder %1 could not be started").arg(decoderProgram()));
        stop(false);
        return;
    }
    // A decoder that was killed goes on where the video stood; one that dies at every start is given up.
    const qint64 now = m_clock();
    m_deaths.removeIf([now](qint64 died) { return now - died >= deathWindow.count(); });
    m_deaths.append(now);
    if (m_deaths.size() < maximumDeaths) {
        stop(true);
        update();
        return;
    }
    setErrorString(QStringLiteral("The video decoder stopped unexpectedly %1 times within %2 seconds")
                       .arg(m_deaths.size())
                       .arg(deathWindow.count() / 1000));
    stop(false);
}

void VideoDecoderProcess::send(const QByteArray &command)
{
    if (m_process)
        m_process->write(command);
}

void VideoDecoderProcess::setErrorString(const QString &text)
{
    if (text == m_errorString)
        return;
    m_errorString = text;
    emit errorStringChanged();
}
