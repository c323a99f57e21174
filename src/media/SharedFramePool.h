#pragma once

#include <gst/gst.h>
#include <memory>

class SharedVideoFrames;

// Lets the element that converts or scales the frames for `sink` write each one straight into a free slot
// of `frames`, where the program reads it, instead of into memory of its own from which the frame would be
// copied: the answer to the allocation query reaching the sink is a buffer pool whose buffers are lent
// slots. While the program holds every slot a frame goes to ordinary memory, and is copied or skipped as
// before.
void writeFramesIntoSlots(GstElement *sink, std::shared_ptr<SharedVideoFrames> frames);
