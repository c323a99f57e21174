#pragma once

#include "core/Result.h"

#include <QImage>
#include <atomic>
#include <cstdint>
#include <memory>
#include <span>

// The frames a video decoder process hands to the program, in memory both map: a few slots, each taken
// by the decoder for one frame and given back when the program no longer draws it. Nothing is copied on
// the program's side, and a program that draws late makes the decoder skip frames, never wait.
class SharedVideoFrames
{
public:
    static constexpr int slotCount = 3;

    SharedVideoFrames(const SharedVideoFrames &) = delete;
    SharedVideoFrames &operator=(const SharedVideoFrames &) = delete;
    ~SharedVideoFrames();

    // On the program's side: new memory for frames of up to `frameBytes` bytes, behind a descriptor that a
    // child process can map.
    static Result<std::shared_ptr<SharedVideoFrames>> create(std::size_t frameBytes);
    // On the decoder's side: the memory behind `descriptor`, as its creator laid it out.
    static Result<std::shared_ptr<SharedVideoFrames>> attach(int descriptor);

    int descriptor() const { return m_descriptor; }
    std::size_t frameBytes() const { return m_frameBytes; }

    // Decoder: copies `frame` (32-bit pixels) into a free slot, each line darkened by its factor in 256ths
    // where `lineFactors` has one for each, and gives the slot's number, or -1 when the program still holds
    // every slot or the frame does not fit.
    int put(const QImage &frame, std::int64_t positionMilliseconds,
        std::span<const std::uint16_t> lineFactors = {});

    // Program: the frame in `slot` over the shared memory itself; the slot is free again once the last copy
    // of the picture is gone. The memory stays mapped as long as a picture of it lives.
    QImage take(int slot);
    // Where the video stood at the frame in `slot`, in milliseconds.
    std::int64_t positionOf(int slot) const;

    // Program: gives the memory of every free slot back to the system; a held slot keeps its frame.
    void releaseFreeSlots();

private:
    struct Slot;
    SharedVideoFrames(int descriptor, std::size_t frameBytes, void *mapping, std::size_t mappingBytes);
    Slot &slot(int index) const;
    uchar *pixels(int index) const;

    int m_descriptor;
    std::size_t m_frameBytes;
    void *m_mapping;
    std::size_t m_mappingBytes;
    std::weak_ptr<SharedVideoFrames> m_self;
};
