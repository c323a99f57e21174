#pragma once

#include "services/MainThreadRelay.h"

#include <functional>
#include <gst/gst.h>

// Delivers a pipeline's bus messages on the thread of a receiver, as they are posted, without a glib
// main loop: the bus's own handler only queues them.
class GstBusRelay
{
public:
    using Handler = std::function<void(GstMessage *)>;

    GstBusRelay(GstElement *pipeline, QObject *receiver, Handler handler);
    ~GstBusRelay();
    GstBusRelay(const GstBusRelay &) = delete;
    GstBusRelay &operator=(const GstBusRelay &) = delete;

private:
    GstBus *m_bus;
    SharedMainThreadRelay m_relay;
};
