#include "media/VideoFrameGrabber.h"

#include "media/GStreamerRuntime.h"
#include "media/GstHandles.h"
#include "media/ImageThumbnailReader.h"

#include <QTransform>
#include <charconv>
#include <gst/app/gstappsink.h>
#include <gst/gst.h>
#include <gst/video/video.h>
#include <memory>
#include <string_view>

namespace {

// A file that takes longer than this to preroll or to seek is treated as undecodable, so that a worker
// thread never waits forever on a broken file.
constexpr GstClockTime stepTimeout = 10 * GST_SECOND;

// playbin's flag that renders the video stream. Audio and subtitles stay off, so no audio device is needed.
constexpr guint playbinVideoOnly = 1;

// The grabber runs on a worker thread of its own, which may wait for the pipeline's threads.
struct ElementDeleter
{
    void operator()(GstElement *element) const
    {
        gst_element_set_state(element, GST_STATE_NULL);
        gst_object_unref(element);
    }
};
using Element = std::unique_ptr<GstElement, ElementDeleter>;

Error errorFromMessage(GstMessage *message)
{
    return Error { GStreamerRuntime::errorText(message) };
}

// Waits until the pipeline has prerolled, that is, until its sink holds the frame at the current position
// (or has reached the end of the stream).
Status waitForPreroll(GstElement *pipeline)
{
    const GstBusHandle bus(gst_element_get_bus(pipeline));
    const GstMessageHandle message(gst_bus_timed_pop_filtered(
        bus.get(), stepTimeout, static_cast<GstMessageType>(GST_MESSAGE_ASYNC_DONE | GST_MESSAGE_ERROR)));
    if (!message)
        return Error { QStringLiteral("Timed out while decoding the video") };
    if (GST_MESSAGE_TYPE(message.get()) == GST_MESSAGE_ERROR)
        return errorFromMessage(message.get());
    return Status::success();
}

Status pause(GstElement *pipeline)
{
    switch (gst_element_set_state(pipeline, GST_STATE_PAUSED)) {
    case GST_STATE_CHANGE_FAILURE: {
        const GstBusHandle bus(gst_element_get_bus(pipeline));
        const GstMessageHandle message(gst_bus_pop_filtered(bus.get(), GST_MESSAGE_ERROR));
        if (message)
            return errorFromMessage(message.get());
        return Error { QStringLiteral("The video cannot be opened") };
    }
    case GST_STATE_CHANGE_NO_PREROLL:
        return Error { QStringLiteral("A live stream has no frame to take") };
    case GST_STATE_CHANGE_SUCCESS:
        return Status::success();
    case GST_STATE_CHANGE_ASYNC:
        break;
    }
    return waitForPreroll(pipeline);
}

Status seek(GstElement *pipeline, std::chrono::milliseconds position)
{
    const auto nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(position).count();
    if (!gst_element_seek_simple(pipeline, GST_FORMAT_TIME,
            static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE), nanoseconds))
        return Error { QStringLiteral("The video cannot seek") };
    return waitForPreroll(pipeline);
}

std::string orientationTag(GstElement *playbin)
{
    GstTagList *rawTags = nullptr;
    g_signal_emit_by_name(playbin, "get-video-tags", 0, &rawTags);
    const GstTagListHandle tags(rawTags);
    gchar *rawValue = nullptr;
    if (!tags || !gst_tag_list_get_string(tags.get(), GST_TAG_IMAGE_ORIENTATION, &rawValue))
        return {};
    const GText value(rawValue);
    return value.get();
}

// "rotate-N" turns the picture N degrees clockwise; "flip-rotate-N" does the same and then mirrors it
// horizontally.
QImage oriented(const QImage &image, std::string_view tag)
{
    constexpr std::string_view flipPrefix = "flip-";
    constexpr std::string_view rotatePrefix = "rotate-";
    const bool flip = tag.starts_with(flipPrefix);
    if (flip)
        tag.remove_prefix(flipPrefix.size());
    if (!tag.starts_with(rotatePrefix))
        return image;
    tag.remove_prefix(rotatePrefix.size());
    int degrees = 0;
    const auto [end, error] = std::from_chars(tag.data(), tag.data() + tag.size(), degrees);
    if (error != std::errc() || end != tag.data() + tag.size() || degrees % 90 != 0)
        return image;
    QImage result = degrees % 360 == 0 ? image : image.transformed(QTransform().rotate(degrees));
    return flip ? result.mirrored(true, false) : result;
}

Result<QImage> imageFromSample(GstSample *sample, int maximumPixelSize)
{
    GstVideoInfo info;
    if (!gst_video_info_from_caps(&info, gst_sample_get_caps(sample)))
        return Error { QStringLiteral("The video frame has an unknown format") };
    GstVideoFrame frame;
    if (!gst_video_frame_map(&frame, &info, gst_sample_get_buffer(sample), GST_MAP_READ))
        return Error { QStringLiteral("The video frame cannot be read") };
    const int width = GST_VIDEO_FRAME_WIDTH(&frame);
    const int height = GST_VIDEO_FRAME_HEIGHT(&frame);
    const QImage mapped(static_cast<const uchar *>(GST_VIDEO_FRAME_PLANE_DATA(&frame, 0)), width, height,
        GST_VIDEO_FRAME_PLANE_STRIDE(&frame, 0), QImage::Format_RGBX8888);
    QImage image = mapped.copy();
    gst_video_frame_unmap(&frame);

    // Non-square pixels are stretched to their shown width before fitting the frame into the square.
    const bool squarePixels = info.par_n <= 0 || info.par_d <= 0 || info.par_n == info.par_d;
    const int shownWidth = squarePixels ? width : qMax(1, qRound(double(width) * info.par_n / info.par_d));
    const QSize target = ImageThumbnailReader::boundedSize(QSize(shownWidth, height), maximumPixelSize);
    if (target != image.size())
        image = image.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    return image;
}

} // namespace

namespace VideoFrameGrabber {

Result<QImage> frameAt(const QString &filePath, std::chrono::milliseconds position, int maximumPixelSize)
{
    if (const Status initialised = GStreamerRuntime::initialise(); !initialised)
        return Error { initialised.error() };

    const QString uri = GStreamerRuntime::fileUri(filePath);
    if (uri.isEmpty())
        return Error { QStringLiteral("The video path is not valid") };

    const Element playbin(gst_element_factory_make("playbin", nullptr));
    GstElement *sink = gst_element_factory_make("appsink", nullptr);
    // Never opens a sound device, even where playbin would otherwise probe one.
    GstElement *silence = gst_element_factory_make("fakesink", nullptr);
    if (!playbin || !sink || !silence) {
        for (GstElement *element : { sink, silence }) {
            if (element)
                gst_object_unref(gst_object_ref_sink(element));
        }
        return Error { QStringLiteral("The GStreamer playback elements are missing") };
    }
    GstCaps *caps = gst_caps_new_simple("video/x-raw", "format", G_TYPE_STRING, "RGBx", nullptr);
    g_object_set(sink, "caps", caps, "sync", FALSE, nullptr);
    gst_caps_unref(caps);
    g_object_set(playbin.get(), "uri", uri.toUtf8().constData(), "video-sink", sink, "audio-sink", silence,
        "flags", playbinVideoOnly, nullptr);

    if (const Status paused = pause(playbin.get()); !paused)
        return Error { paused.error() };
    if (position > std::chrono::milliseconds::zero()) {
        if (const Status sought = seek(playbin.get(), position); !sought)
            return Error { sought.error() };
    }

    // After preroll the sample is either there at once or the stream ended (or had no video) before it.
    const GstSampleHandle sample(gst_app_sink_try_pull_preroll(GST_APP_SINK(sink), 0));
    if (!sample)
        return Error { QStringLiteral("The video has no frame at that time") };
    Result<QImage> image = imageFromSample(sample.get(), maximumPixelSize);
    if (!image)
        return image;
    return oriented(image.value(), orientationTag(playbin.get()));
}

} // namespace VideoFrameGrabber
