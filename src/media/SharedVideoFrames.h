#pragma once

#include "core/Result.h"

#include <QImage>
#include <array>
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

    // Decoder: a free slot lent for a frame of `bytes` to be written straight into, so that it need not be
    // copied: its pixels and the lease that gives it back; no pixels when the program holds every slot or
    // the frame does not fit.
    struct Lease
    {
        uchar *pixels = nullptr;
        int slot = -1;
        std::uint64_t number = 0;
    };
    Lease lend(std::size_t bytes);
    // Decoder: a lent slot whose frame was not put is free again; one put belongs to the program.
    void giveBack(const Lease &lease);

    // Decoder: darkens `frame` (32-bit pixels), each line by its factor in 256ths where `lineFactors` has
    // one for each, in its lent slot if it was written into one, else copying it into a free slot. Gives
    // the slot's number, or -1 when the program still holds every slot or the frame does not fit.
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
    // The decoder's own record of its lent slots: the lease of each, 0 for none.
    std::array<std::atomic<std::uint64_t>, slotCount> m_leases {};
    std::atomic<std::uint64_t> m_lastLease = 0;
};
