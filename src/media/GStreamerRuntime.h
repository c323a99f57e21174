#pragma once

#include "core/Result.h"

#include <QString>
#include <functional>
#include <gst/gst.h>

// What every pipeline of the program shares: the library's start, file addresses, error texts, and one
// queue that runs the calls which may wait for a pipeline's own threads.
namespace GStreamerRuntime {

// Starts the library once per process; later calls give the first call's outcome.
Status initialise();

// The file's address as GStreamer wants it; empty when the path cannot be one.
QString fileUri(const QString &filePath);

// The text of an error message.
QString errorText(GstMessage *errorMessage);

// Runs `work` on the pipeline away from the calling thread, in the order of the calls. State changes
// and flushing seeks wait for the pipeline's streaming threads; queued here they never hold up the
// thread that asks for them. The pipeline is kept alive until its work has run.
void control(GstElement *pipeline, std::function<void(GstElement *)> work);

// Stops the pipeline and frees it once its earlier calls on the control queue have run, beside that
// queue, taking over the caller's reference.
void release(GstElement *pipeline);

} // namespace GStreamerRuntime
