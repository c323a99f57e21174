#pragma once

#include <QImage>
#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>

// The newest decoded frame, handed from a pipeline's streaming thread to whoever draws it. A frame only
// replaces the one before it, and one notice waits at a time: a window that draws late never piles
// frames up. Each pipeline built puts under a generation of its own, so a pipeline being torn down
// cannot put a frame after it has been discarded.
class LatestVideoFrame
{
public:
    // From the streaming thread. True when the caller is to send the notice that a frame waits.
    bool put(const QImage &frame, std::uint64_t generation);
    // On the receiving thread, when the notice arrives: the next frame is noticed again.
    void noticeReceived() { m_noticePending = false; }
    // From the drawing thread: the frame put since the last take, if any.
    std::optional<QImage> takeNew();
    // Drops the frame and starts a new generation, whose number is returned.
    std::uint64_t discard();

private:
    std::mutex m_mutex;
    QImage m_frame;
    bool m_isNew = false;
    std::uint64_t m_generation = 0;
    std::atomic<bool> m_noticePending = false;
};
