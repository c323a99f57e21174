#include "media/LoopingVideoPipeline.h"

#include "media/GStreamerRuntime.h"
#include "media/SharedFramePool.h"

#include <atomic>
#include <gst/app/gstappsink.h>
#include <gst/video/video.h>
#include <numeric>

// What the sink's streaming thread hands its frames to. Until a pipeline that goes on from a position has
// got there, its generation matches no frame's, so the frame it opened at is never shown.
struct VideoSinkContext
{
    std::shared_ptr<LatestVideoFrame> frames;
    std::atomic<std::uint64_t> generation;
    SharedMainThreadRelay notices;
    LoopingVideoPipeline *owner;
};

namespace {

// playbin3's flags: picture and sound, its own volume control (the mute switch), and no conversion of its
// own in front of the sink, which converts and scales once, to the drawn size.
constexpr guint pictureAndSound = 0x1 | 0x2 | 0x10 | 0x40;

// The sample's frame as a picture over the frame's own memory, which is held until the picture goes. The
// sample itself is given back at once: the sink fills the same sample object again for its next frame.
QImage imageOf(GstSample *sample)
{
    GstVideoInfo info;
    auto *mapped = new GstVideoFrame {};
    const bool readable = gst_video_info_from_caps(&info, gst_sample_get_caps(sample))
        && gst_video_frame_map(mapped, &info, gst_sample_get_buffer(sample), GST_MAP_READ);
    gst_sample_unref(sample);
    if (!readable) {
        delete mapped;
        return {};
    }
    // BGRA in memory is ARGB in a 32-bit word of this byte order. The converter makes every pixel opaque,
    // so the picture is taken as one without alpha, which copies where one with alpha would blend.
    static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN);
    return QImage(
        static_cast<const uchar *>(GST_VIDEO_FRAME_PLANE_DATA(mapped, 0)), GST_VIDEO_FRAME_WIDTH(mapped),
        GST_VIDEO_FRAME_HEIGHT(mapped), GST_VIDEO_FRAME_PLANE_STRIDE(mapped, 0), QImage::Format_RGB32,
        [](void *data) {
            auto *done = static_cast<GstVideoFrame *>(data);
            gst_video_frame_unmap(done);
            delete done;
        },
        mapped);
}

// On the streaming thread.
GstFlowReturn deliver(GstAppSink *sink, gpointer data, bool preroll)
{
    auto *context = static_cast<VideoSinkContext *>(data);
    GstSample *sample = preroll ? gst_app_sink_pull_preroll(sink) : gst_app_sink_pull_sample(sink);
    if (!sample)
        return GST_FLOW_OK;
    const QImage frame = imageOf(sample);
    if (!frame.isNull() && context->frames->put(frame, context->generation))
        context->notices->post([frames = context->frames, owner = context->owner] {
            frames->noticeReceived();
            emit owner->frameReady();
        });
    return GST_FLOW_OK;
}

void seekTo(GstElement *pipeline, gint64 nanoseconds)
{
    gst_element_seek_simple(pipeline, GST_FORMAT_TIME,
        static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE), nanoseconds);
}

void setState(GstElement *pipeline, GstState state)
{
    GStreamerRuntime::control(
        pipeline, [state](GstElement *element) { gst_element_set_state(element, state); });
}

} // namespace

LoopingVideoPipeline::LoopingVideoPipeline(QObject *parent)
    : QObject(parent)
    , m_frames(std::make_shared<LatestVideoFrame>())
{ }

LoopingVideoPipeline::~LoopingVideoPipeline()
{
    tearDown();
}

void LoopingVideoPipeline::setMuted(bool muted)
{
    if (muted == m_muted)
        return;
    m_muted = muted;
    // The picture plays on: only its sound is switched.
    if (m_pipeline) {
        g_object_set(m_pipeline, "mute", gboolean(muted), nullptr);
        selectStreams();
    }
}

void LoopingVideoPipeline::setFrameSize(QSize size)
{
    if (size == m_frameSize || size.isEmpty())
        return;
    m_frameSize = size;
    if (m_pipeline)
        applyFrameSize();
}

qint64 LoopingVideoPipeline::position() const
{
    gint64 nanoseconds = 0;
    if (!m_pipeline || !gst_element_query_position(m_pipeline, GST_FORMAT_TIME, &nanoseconds)
        || nanoseconds < 0)
        return -1;
    return nanoseconds / GST_MSECOND;
}

void LoopingVideoPipeline::play(const QString &file, QSize frameSize, bool muted, qint64 fromMilliseconds)
{
    if (m_pipeline || frameSize.isEmpty())
        return;
    m_frameSize = frameSize;
    m_muted = muted;
    m_resumeAt = std::max<qint64>(fromMilliseconds, 0) * GST_MSECOND;
    if (const Status built = build(file); !built)
        emit failed(built.error());
}

Status LoopingVideoPipeline::build(const QString &file)
{
    if (const Status initialised = GStreamerRuntime::initialise(); !initialised)
        return initialised;
    const QString uri = GStreamerRuntime::fileUri(file);
    GstElement *playbin = gst_element_factory_make("playbin3", nullptr);
    GstElement *flip = gst_element_factory_make("videoflip", nullptr);
    GstElement *crop = gst_element_factory_make("aspectratiocrop", nullptr);
    // Converted first and scaled after, in two elements: in GStreamer 1.22 this costs less than the one
    // element that does both.
    GstElement *convert = gst_element_factory_make("videoconvert", nullptr);
    GstElement *scale = gst_element_factory_make("videoscale", nullptr);
    GstElement *caps = gst_element_factory_make("capsfilter", nullptr);
    GstElement *sink = gst_element_factory_make("appsink", nullptr);
    if (uri.isEmpty() || !playbin || !flip || !crop || !convert || !scale || !caps || !sink) {
        for (GstElement *element : { playbin, flip, crop, convert, scale, caps, sink }) {
            if (element)
                gst_object_unref(gst_object_ref_sink(element));
        }
        return Error { uri.isEmpty() ? QStringLiteral("The video's path is not valid")
                                     : QStringLiteral("The GStreamer video elements are missing") };
    }

    GstElement *output = gst_bin_new(nullptr);
    gst_bin_add_many(GST_BIN(output), flip, crop, convert, scale, caps, sink, nullptr);
    gst_element_link_many(flip, crop, convert, scale, caps, sink, nullptr);
    GstPad *input = gst_element_get_static_pad(flip, "sink");
    gst_element_add_pad(output, gst_ghost_pad_new("sink", input));
    gst_object_unref(input);
    g_object_set(flip, "video-direction", GST_VIDEO_ORIENTATION_AUTO, nullptr);
    // The crop already gave the frame the drawn shape; a pixel of rounding is not worth a black line.
    g_object_set(scale, "add-borders", FALSE, nullptr);
    // Chosen by measurement in GStreamer 1.22, scaling 1280x720 cropped to 1240x880: the cheapest smooth
    // method. Nearest neighbour costs a sixth less but shows blocks; bilinear2 costs 5 % more, 4-tap 40 %.
    gst_util_set_object_arg(G_OBJECT(scale), "method", "bilinear");
    // The sink keeps no frame of its own beside the one handed over.
    g_object_set(sink, "max-buffers", 1u, "enable-last-sample", FALSE, nullptr);
    if (m_slots)
        writeFramesIntoSlots(sink, m_slots);

    m_pipeline = GST_ELEMENT(gst_object_ref_sink(playbin));
    g_object_set(m_pipeline, "uri", uri.toUtf8().constData(), "video-sink", output, "flags", pictureAndSound,
        "mute", gboolean(m_muted), nullptr);
    m_crop = crop;
    m_caps = caps;
    applyFrameSize();

    m_frameNotices = MainThreadRelay::create(this);
    GstAppSinkCallbacks callbacks {};
    callbacks.new_preroll = [](GstAppSink *appSink, gpointer data) { return deliver(appSink, data, true); };
    callbacks.new_sample = [](GstAppSink *appSink, gpointer data) { return deliver(appSink, data, false); };
    m_generation = m_frames->discard();
    m_sinkContext
        = new VideoSinkContext { m_frames, m_resumeAt > 0 ? 0 : m_generation, m_frameNotices, this };
    gst_app_sink_set_callbacks(GST_APP_SINK(sink), &callbacks, m_sinkContext,
        [](gpointer data) { delete static_cast<VideoSinkContext *>(data); });
    m_bus = std::make_unique<GstBusRelay>(m_pipeline,
        GstMessageType(
            GST_MESSAGE_ASYNC_DONE | GST_MESSAGE_EOS | GST_MESSAGE_ERROR | GST_MESSAGE_STREAM_COLLECTION),
        this, [this](GstMessage *message) { handle(message); });

    // Going on from a position needs the stream open first; the seek follows once it is.
    setState(m_pipeline, m_resumeAt > 0 ? GST_STATE_PAUSED : GST_STATE_PLAYING);
    return Status::success();
}

void LoopingVideoPipeline::tearDown()
{
    if (!m_pipeline)
        return;
    m_bus.reset();
    m_streams.reset();
    m_settled = false;
    m_frameNotices->detach();
    m_frameNotices.reset();
    m_frames->discard();
    m_crop = nullptr;
    m_caps = nullptr;
    m_sinkContext = nullptr;
    GStreamerRuntime::release(std::exchange(m_pipeline, nullptr));
}

void LoopingVideoPipeline::handle(GstMessage *message)
{
    switch (GST_MESSAGE_TYPE(message)) {
    case GST_MESSAGE_ASYNC_DONE:
        if (m_resumeAt > 0) {
            // Prerolled and waiting: no frame comes between taking frames and the seek.
            GStreamerRuntime::control(m_pipeline,
                [at = std::exchange(m_resumeAt, 0), context = m_sinkContext, generation = m_generation](
                    GstElement *pipeline) {
                    context->generation = generation;
                    seekTo(pipeline, at);
                    gst_element_set_state(pipeline, GST_STATE_PLAYING);
                });
        } else if (!std::exchange(m_settled, true) && m_muted) {
            selectStreams();
        }
        break;
    case GST_MESSAGE_STREAM_COLLECTION: {
        GstStreamCollection *streams = nullptr;
        gst_message_parse_stream_collection(message, &streams);
        m_streams.reset(streams);
        // Only once the first streams are linked and playing: a selection that reaches GStreamer 1.22's
        // decodebin3 while it still links them fails its stream assertions and, at many starts, leaves the
        // video without a single frame. The sound is decoded for that moment, then left out.
        if (m_settled)
            selectStreams();
        break;
    }
    case GST_MESSAGE_EOS:
        GStreamerRuntime::control(m_pipeline, [](GstElement *pipeline) { seekTo(pipeline, 0); });
        break;
    case GST_MESSAGE_ERROR: {
        const QString why = GStreamerRuntime::errorText(message);
        tearDown();
        emit failed(why);
        break;
    }
    default:
        break;
    }
}

void LoopingVideoPipeline::applyFrameSize()
{
    // A new shape makes the crop hand its format downstream, which waits for the streaming thread, and a
    // prerolled pipeline's streaming thread waits for the main thread's next step: never on this thread.
    GStreamerRuntime::control(m_pipeline, [crop = m_crop, filter = m_caps, size = m_frameSize](GstElement *) {
        const int divisor = std::gcd(size.width(), size.height());
        g_object_set(crop, "aspect-ratio", size.width() / divisor, size.height() / divisor, nullptr);
        GstCaps *caps = gst_caps_new_simple("video/x-raw", "format", G_TYPE_STRING, "BGRA", "width",
            G_TYPE_INT, size.width(), "height", G_TYPE_INT, size.height(), "pixel-aspect-ratio",
            GST_TYPE_FRACTION, 1, 1, nullptr);
        g_object_set(filter, "caps", caps, nullptr);
        gst_caps_unref(caps);
    });
}

void LoopingVideoPipeline::selectStreams()
{
    // Muted, the sound is not decoded at all, rather than decoded and played silent all day: the audio
    // decoder and sink go, and their wake-ups with them. Unmuted, the first sound stream joins the picture
    // where it stands.
    const auto first = [streams = m_streams.get()](GstStreamType type) -> const gchar * {
        for (guint index = 0; index < gst_stream_collection_get_size(streams); ++index) {
            GstStream *stream = gst_stream_collection_get_stream(streams, index);
            if (gst_stream_get_stream_type(stream) & type)
                return gst_stream_get_stream_id(stream);
        }
        return nullptr;
    };
    const gchar *picture = m_streams ? first(GST_STREAM_TYPE_VIDEO) : nullptr;
    if (!picture)
        return;
    GList *chosen = g_list_append(nullptr, const_cast<gchar *>(picture));
    if (const gchar *sound = m_muted ? nullptr : first(GST_STREAM_TYPE_AUDIO))
        chosen = g_list_append(chosen, const_cast<gchar *>(sound));
    GstEvent *selection = gst_event_new_select_streams(chosen);
    g_list_free(chosen);
    GStreamerRuntime::control(
        m_pipeline, [selection](GstElement *pipeline) { gst_element_send_event(pipeline, selection); });
}
