#pragma once

#include <gst/gst.h>
#include <memory>

// Owning handles for the GStreamer objects that the media code keeps for a while or hands between
// threads. A pipeline's own handle does not stop it: stopping may wait for its threads, which is the
// control queue's work (GStreamerRuntime::release).
struct GstObjectUnref
{
    void operator()(gpointer object) const { gst_object_unref(object); }
};
struct GstMessageUnref
{
    void operator()(GstMessage *message) const { gst_message_unref(message); }
};
struct GstSampleUnref
{
    void operator()(GstSample *sample) const { gst_sample_unref(sample); }
};
struct GstTagListUnref
{
    void operator()(GstTagList *tags) const { gst_tag_list_unref(tags); }
};
struct GstCapsUnref
{
    void operator()(GstCaps *caps) const { gst_caps_unref(caps); }
};
struct GFreeText
{
    void operator()(gchar *text) const { g_free(text); }
};
struct GErrorFree
{
    void operator()(GError *error) const { g_error_free(error); }
};

using GstBusHandle = std::unique_ptr<GstBus, GstObjectUnref>;
using GstMessageHandle = std::unique_ptr<GstMessage, GstMessageUnref>;
using GstSampleHandle = std::unique_ptr<GstSample, GstSampleUnref>;
using GstTagListHandle = std::unique_ptr<GstTagList, GstTagListUnref>;
using GstCapsHandle = std::unique_ptr<GstCaps, GstCapsUnref>;
using GText = std::unique_ptr<gchar, GFreeText>;
using GErrorHandle = std::unique_ptr<GError, GErrorFree>;
