#include "media/LatestVideoFrame.h"

bool LatestVideoFrame::put(const QImage &frame, std::uint64_t generation)
{
    const std::lock_guard lock(m_mutex);
    if (generation != m_generation)
        return false;
    m_frame = frame;
    m_isNew = true;
    return !m_noticePending.exchange(true);
}

std::optional<QImage> LatestVideoFrame::takeNew()
{
    const std::lock_guard lock(m_mutex);
    if (!m_isNew)
        return std::nullopt;
    m_isNew = false;
    return std::exchange(m_frame, QImage());
}

std::uint64_t LatestVideoFrame::discard()
{
    const std::lock_guard lock(m_mutex);
    m_frame = QImage();
    m_isNew = false;
    // A notice posted by the discarded pipeline may never arrive.
    m_noticePending = false;
    return ++m_generation;
}
