#include "media/SharedFramePool.h"

#include "media/SharedVideoFrames.h"

#include <gst/video/video.h>

namespace {

struct SlotPool
{
    GstBufferPool parent;
    std::shared_ptr<SharedVideoFrames> *frames;
    guint frameBytes;
};

struct SlotPoolClass
{
    GstBufferPoolClass parent;
};

G_DEFINE_TYPE(SlotPool, slot_pool, GST_TYPE_BUFFER_POOL)

// What a buffer over a lent slot keeps: its end gives the slot back unless the frame was put meanwhile.
struct LentSlot
{
    std::shared_ptr<SharedVideoFrames> frames;
    SharedVideoFrames::Lease lease;
};

gboolean setConfig(GstBufferPool *pool, GstStructure *config)
{
    gst_buffer_pool_config_get_params(
        config, nullptr, &reinterpret_cast<SlotPool *>(pool)->frameBytes, nullptr, nullptr);
    return GST_BUFFER_POOL_CLASS(slot_pool_parent_class)->set_config(pool, config);
}

GstFlowReturn acquire(GstBufferPool *pool, GstBuffer **buffer, GstBufferPoolAcquireParams *)
{
    auto *self = reinterpret_cast<SlotPool *>(pool);
    const SharedVideoFrames::Lease lease = (*self->frames)->lend(self->frameBytes);
    if (!lease.pixels) {
        *buffer = gst_buffer_new_allocate(nullptr, self->frameBytes, nullptr);
        return *buffer ? GST_FLOW_OK : GST_FLOW_ERROR;
    }
    *buffer = gst_buffer_new_wrapped_full(GstMemoryFlags(0), lease.pixels, self->frameBytes, 0,
        self->frameBytes, new LentSlot { *self->frames, lease }, [](gpointer data) {
            auto *lent = static_cast<LentSlot *>(data);
            lent->frames->giveBack(lent->lease);
            delete lent;
        });
    return GST_FLOW_OK;
}

void slot_pool_class_init(SlotPoolClass *type)
{
    auto *pool = GST_BUFFER_POOL_CLASS(type);
    pool->set_config = setConfig;
    pool->acquire_buffer = acquire;
    // Nothing is kept for reuse: a buffer's end settles its slot.
    pool->reset_buffer = [](GstBufferPool *, GstBuffer *) {};
    pool->release_buffer = [](GstBufferPool *, GstBuffer *buffer) { gst_buffer_unref(buffer); };
    G_OBJECT_CLASS(type)->finalize = [](GObject *object) {
        delete reinterpret_cast<SlotPool *>(object)->frames;
        G_OBJECT_CLASS(slot_pool_parent_class)->finalize(object);
    };
}

void slot_pool_init(SlotPool *pool)
{
    pool->frames = nullptr;
    pool->frameBytes = 0;
}

} // namespace

void writeFramesIntoSlots(GstElement *sink, std::shared_ptr<SharedVideoFrames> frames)
{
    GstPad *pad = gst_element_get_static_pad(sink, "sink");
    gst_pad_add_probe(
        pad, GstPadProbeType(GST_PAD_PROBE_TYPE_QUERY_DOWNSTREAM | GST_PAD_PROBE_TYPE_PUSH),
        [](GstPad *, GstPadProbeInfo *info, gpointer data) {
            GstQuery *query = GST_PAD_PROBE_INFO_QUERY(info);
            GstCaps *caps = nullptr;
            GstVideoInfo video;
            if (GST_QUERY_TYPE(query) != GST_QUERY_ALLOCATION)
                return GST_PAD_PROBE_OK;
            gst_query_parse_allocation(query, &caps, nullptr);
            if (!caps || !gst_video_info_from_caps(&video, caps))
                return GST_PAD_PROBE_OK;
            // A pool of its own for each negotiation: one that was in use cannot be configured again.
            auto *pool
                = static_cast<SlotPool *>(gst_object_ref_sink(g_object_new(slot_pool_get_type(), nullptr)));
            pool->frames = new std::shared_ptr<SharedVideoFrames>(
                *static_cast<std::shared_ptr<SharedVideoFrames> *>(data));
            gst_query_add_allocation_pool(query, GST_BUFFER_POOL(pool), guint(video.size), 0, 0);
            gst_object_unref(pool);
            return GST_PAD_PROBE_HANDLED;
        },
        new std::shared_ptr<SharedVideoFrames>(std::move(frames)),
        [](gpointer data) { delete static_cast<std::shared_ptr<SharedVideoFrames> *>(data); });
    gst_object_unref(pad);
}
