#include "media/GStreamerRuntime.h"

#include "media/GstHandles.h"

#include <QFile>
#include <QThreadPool>
#include <malloc.h>
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

namespace {

struct Queues
{
    Queues()
    {
        control.setMaxThreadCount(1);
        control.setExpiryTimeout(-1);
    }

    // Stops run beside the control queue, several at once: a stop waits for the pipeline's start to
    // settle, and a start that never settles would hold every later call of every pipeline that long.
    QThreadPool stops;
    // One thread: the calls on a pipeline must keep their order. It lives as long as the process, and
    // its queue is run to the end when the process exits, so no pipeline is left playing; it goes before
    // the stops, which its last calls may still hand pipelines to.
    QThreadPool control;
};

Queues &queues()
{
    static Queues queues;
    return queues;
}

} // namespace

void control(GstElement *pipeline, std::function<void(GstElement *)> work)
{
    gst_object_ref(pipeline);
    queues().control.start([pipeline, work = std::move(work)] {
        work(pipeline);
        gst_object_unref(pipeline);
    });
}

void release(GstElement *pipeline)
{
    // The queue takes the caller's reference and hands the pipeline on once its earlier calls have run.
    queues().control.start([pipeline] {
        queues().stops.start([pipeline] {
            // Stopped while it still looks for a stream's type, playbin3 can deadlock in GStreamer 1.22:
            // the type finder's thread waits for a lock of the bin that the stopping state change holds
            // while it waits for that thread. A pipeline that is still starting is let finish first, for
            // a while.
            gst_element_get_state(pipeline, nullptr, nullptr, 5 * GST_SECOND);
            gst_element_set_state(pipeline, GST_STATE_NULL);
            gst_object_unref(pipeline);
            // Decoded frames are large blocks that the allocator keeps for later; a released pipeline has
            // no later, and a window closed to the tray should not hold its frames' memory.
            malloc_trim(0);
        });
    });
}

} // namespace GStreamerRuntime
