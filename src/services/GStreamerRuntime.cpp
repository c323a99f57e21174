#include "services/GStreamerRuntime.h"

#include "services/GstHandles.h"

#include <QFile>
#include <QThreadPool>
#include <mutex>

namespace GStreamerRuntime {

Status initialise()
{
    static std::once_flag once;
    static QString failure;
    std::call_once(once, [] {
        GError *error = nullptr;
        if (!gst_init_check(nullptr, nullptr, &error)) {
            const GErrorHandle owned(error);
            failure = owned ? QString::fromUtf8(owned->message) : QStringLiteral("GStreamer is unavailable");
        }
    });
    if (!failure.isEmpty())
        return Error { failure };
    return Status::success();
}

QString fileUri(const QString &filePath)
{
    GError *error = nullptr;
    const GText uri(gst_filename_to_uri(QFile::encodeName(filePath).constData(), &error));
    const GErrorHandle ownedError(error);
    return uri ? QString::fromUtf8(uri.get()) : QString();
}

QString errorText(GstMessage *errorMessage)
{
    GError *error = nullptr;
    gchar *debug = nullptr;
    gst_message_parse_error(errorMessage, &error, &debug);
    const GErrorHandle ownedError(error);
    const GText ownedDebug(debug);
    return ownedError ? QString::fromUtf8(ownedError->message) : QStringLiteral("Playback failed");
}

void control(GstElement *pipeline, std::function<void(GstElement *)> work)
{
    // One thread: the calls on a pipeline must keep their order. It lives as long as the process, and
    // its queue is run to the end when the process exits, so no pipeline is left playing.
    static QThreadPool queue;
    static std::once_flag once;
    std::call_once(once, [] {
        queue.setMaxThreadCount(1);
        queue.setExpiryTimeout(-1);
    });
    gst_object_ref(pipeline);
    queue.start([pipeline, work = std::move(work)] {
        work(pipeline);
        gst_object_unref(pipeline);
    });
}

void release(GstElement *pipeline)
{
    control(pipeline, [](GstElement *element) { gst_element_set_state(element, GST_STATE_NULL); });
    gst_object_unref(pipeline);
}

} // namespace GStreamerRuntime
