#pragma once

#include "media/MainThreadRelay.h"

#include <functional>
#include <gst/gst.h>

// Delivers a pipeline's bus messages of the given types on the thread of a receiver, as they are posted,
// without a glib main loop: the bus's own handler only queues them, and drops the rest.
class GstBusRelay
{
public:
    using Handler = std::function<void(GstMessage *)>;

    GstBusRelay(GstElement *pipeline, GstMessageType types, QObject *receiver, Handler handler);
    ~GstBusRelay();
    GstBusRelay(const GstBusRelay &) = delete;
    GstBusRelay &operator=(const GstBusRelay &) = delete;

private:
    GstBus *m_bus;
    SharedMainThreadRelay m_relay;
};
