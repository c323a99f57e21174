#include "media/GstTrackPlayer.h"

#include "core/CloseOnExec.h"
#include "media/GStreamerRuntime.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <limits>

namespace {

// playbin3's flags for sound alone, with its own volume control: a movie's picture is never decoded.
constexpr guint audioOnly = 0x2 | 0x10;

// Generous: a start on a busy machine may take a while, and a needless restart only costs one more start
// of a track that has not begun to play.
constexpr std::chrono::milliseconds startWait { 5000 };

double seconds(gint64 nanoseconds)
{
    return static_cast<double>(nanoseconds) / static_cast<double>(GST_SECOND);
}

} // namespace

GstTrackPlayer::GstTrackPlayer(QObject *parent)
    : TrackPlayer(parent)
{ }

GstTrackPlayer::~GstTrackPlayer()
{
    stop();
}

void GstTrackPlayer::load(const QString &filePath)
{
    stop();
    m_filePath = filePath;
    m_wanted = GST_STATE_PAUSED;
    m_restarted = false;
    start();
}

void GstTrackPlayer::start()
{
    if (const Status initialised = GStreamerRuntime::initialise(); !initialised) {
        emit failed(initialised.error());
        return;
    }
    const QString uri = GStreamerRuntime::fileUri(m_filePath);
    m_playbin = gst_element_factory_make("playbin3", nullptr);
    if (!m_playbin || uri.isEmpty()) {
        if (m_playbin)
            gst_object_unref(gst_object_ref_sink(m_playbin));
        m_playbin = nullptr;
        emit failed(uri.isEmpty() ? QStringLiteral("The track's path is not valid")
                                  : QStringLiteral("GStreamer's playbin3 is missing"));
        return;
    }
    gst_object_ref_sink(m_playbin);
    g_object_set(m_playbin, "uri", uri.toUtf8().constData(), "flags", audioOnly, "volume",
        static_cast<gdouble>(m_volume), nullptr);
    m_bus = std::make_unique<GstBusRelay>(m_playbin,
        GstMessageType(GST_MESSAGE_EOS | GST_MESSAGE_ERROR | GST_MESSAGE_ASYNC_DONE), this,
        [this](GstMessage *message) { handle(message); });
    setState(m_wanted);
    m_startAsked = false;
    if (!m_restarted)
        m_startTimer.start(startWait, [this] { restartIfStalled(); });
}

void GstTrackPlayer::restartIfStalled()
{
    // Not its messages: the pipeline reports its own start as done even when that start has stalled.
    GstState current = GST_STATE_VOID_PENDING;
    gst_element_get_state(m_playbin, &current, nullptr, 0);
    if (current >= GST_STATE_PAUSED)
        return;
    // Still stopped, the start waits behind other pipelines' calls on the control queue: it is late only
    // a whole wait after the queue has asked for it.
    if (current == GST_STATE_NULL || !m_startAsked) {
        m_startAsked = current != GST_STATE_NULL;
        m_startTimer.start(startWait, [this] { restartIfStalled(); });
        return;
    }
    m_restarted = true;
    stop();
    start();
}

void GstTrackPlayer::play()
{
    m_wanted = GST_STATE_PLAYING;
    setState(m_wanted);
}

void GstTrackPlayer::pause()
{
    m_wanted = GST_STATE_PAUSED;
    setState(m_wanted);
}

void GstTrackPlayer::stop()
{
    m_startTimer.cancel();
    m_bus.reset();
    if (m_playbin)
        GStreamerRuntime::release(std::exchange(m_playbin, nullptr));
}

double GstTrackPlayer::positionSeconds() const
{
    gint64 position = 0;
    if (!m_playbin || !gst_element_query_position(m_playbin, GST_FORMAT_TIME, &position) || position < 0)
        return std::numeric_limits<double>::quiet_NaN();
    return seconds(position);
}

double GstTrackPlayer::durationSeconds() const
{
    gint64 duration = 0;
    if (!m_playbin || !gst_element_query_duration(m_playbin, GST_FORMAT_TIME, &duration) || duration <= 0)
        return std::numeric_limits<double>::quiet_NaN();
    return seconds(duration);
}

void GstTrackPlayer::seek(double seconds)
{
    if (!m_playbin || !std::isfinite(seconds))
        return;
    const auto target = static_cast<gint64>(std::llround(std::max(seconds, 0.0) * GST_SECOND));
    GStreamerRuntime::control(m_playbin, [target](GstElement *playbin) {
        gst_element_seek_simple(playbin, GST_FORMAT_TIME,
            static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE), target);
    });
}

void GstTrackPlayer::setVolume(float volume)
{
    m_volume = volume;
    if (m_playbin)
        g_object_set(m_playbin, "volume", static_cast<gdouble>(volume), nullptr);
}

void GstTrackPlayer::handle(GstMessage *message)
{
    switch (GST_MESSAGE_TYPE(message)) {
    case GST_MESSAGE_EOS:
        emit playedToEnd();
        break;
    case GST_MESSAGE_ERROR:
        m_startTimer.cancel();
        emit failed(GStreamerRuntime::errorText(message));
        break;
    case GST_MESSAGE_ASYNC_DONE:
        // Prerolled, the pipeline has opened the file and its sockets.
        closeEveryDescriptorOnExec();
        break;
    default:
        break;
    }
}

void GstTrackPlayer::setState(GstState state)
{
    if (m_playbin)
        GStreamerRuntime::control(
            m_playbin, [state](GstElement *playbin) { gst_element_set_state(playbin, state); });
}
