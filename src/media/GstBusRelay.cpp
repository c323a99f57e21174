#include "media/GstBusRelay.h"

#include "media/GstHandles.h"

namespace {

struct Route
{
    GstMessageType types;
    SharedMainThreadRelay relay;
    GstBusRelay::Handler handler;
};

// A message dropped here is the handler's to unref. Kept, it would hold its source element, and with
// it the whole pipeline and its bus's wake-up sockets, for the rest of the process.
GstBusSyncReply forward(GstBus *, GstMessage *message, gpointer data)
{
    auto *route = static_cast<Route *>(data);
    if (!(GST_MESSAGE_TYPE(message) & route->types)) {
        gst_message_unref(message);
        return GST_BUS_DROP;
    }
    std::shared_ptr<GstMessage> kept(message, GstMessageUnref());
    route->relay->post([handler = route->handler, kept] { handler(kept.get()); });
    return GST_BUS_DROP;
}

} // namespace

GstBusRelay::GstBusRelay(GstElement *pipeline, GstMessageType types, QObject *receiver, Handler handler)
    : m_bus(gst_element_get_bus(pipeline))
    , m_relay(MainThreadRelay::create(receiver))
{
    gst_bus_set_sync_handler(m_bus, forward, new Route { types, m_relay, std::move(handler) },
        [](gpointer data) { delete static_cast<Route *>(data); });
}

GstBusRelay::~GstBusRelay()
{
    m_relay->detach();
    gst_bus_set_sync_handler(m_bus, nullptr, nullptr, nullptr);
    gst_object_unref(m_bus);
}
