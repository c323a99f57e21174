#include "media/GstBusRelay.h"

#include "media/GstHandles.h"

namespace {

struct Route
{
    GstMessageType types;
    SharedMainThreadRelay relay;
    GstBusRelay::Handler handler;
};

GstBusSyncReply forward(GstBus *, GstMessage *message, gpointer data)
{
    auto *route = static_cast<Route *>(data);
    if (!(GST_MESSAGE_TYPE(message) & route->types))
        return GST_BUS_DROP;
    std::shared_ptr<GstMessage> kept(gst_message_ref(message), GstMessageUnref());
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
