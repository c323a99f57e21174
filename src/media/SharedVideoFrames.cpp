#include "media/SharedVideoFrames.h"

#include "media/FrameShade.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

// What each slot says of its frame. `held` is the only field both sides write: the decoder takes a free
// slot, fills it and names it to the program; the program frees it once its picture is gone.
struct SharedVideoFrames::Slot
{
    std::atomic<std::uint32_t> held;
    std::uint32_t width;
    std::uint32_t height;
    std::uint32_t bytesPerLine;
    std::int64_t position;
};

namespace {

static_assert(std::atomic<std::uint32_t>::is_always_lock_free, "the slots are shared between processes");

std::size_t pageAligned(std::size_t bytes)
{
    const auto page = std::size_t(sysconf(_SC_PAGESIZE));
    return (bytes + page - 1) / page * page;
}

// The slots' descriptions come first, each frame after them on a page of its own, so that a free frame's
// pages can be given back alone.
std::size_t headerBytes()
{
    return pageAligned(sizeof(std::size_t) + SharedVideoFrames::slotCount * 64);
}

Error systemError(const char *what)
{
    return Error { QStringLiteral("%1: %2").arg(
        QLatin1String(what), QString::fromLocal8Bit(strerror(errno))) };
}

} // namespace

SharedVideoFrames::SharedVideoFrames(
    int descriptor, std::size_t frameBytes, void *mapping, std::size_t mappingBytes)
    : m_descriptor(descriptor)
    , m_frameBytes(frameBytes)
    , m_mapping(mapping)
    , m_mappingBytes(mappingBytes)
{ }

SharedVideoFrames::~SharedVideoFrames()
{
    munmap(m_mapping, m_mappingBytes);
    close(m_descriptor);
}

Result<std::shared_ptr<SharedVideoFrames>> SharedVideoFrames::create(std::size_t frameBytes)
{
    frameBytes = pageAligned(std::max<std::size_t>(frameBytes, 1));
    const int descriptor = memfd_create("quorvane-video-frames", MFD_CLOEXEC);
    if (descriptor < 0)
        return systemError("memfd_create");
    const std::size_t total = headerBytes() + slotCount * frameBytes;
    // The memory is only reserved: a page costs something once a frame is written to it.
    if (ftruncate(descriptor, off_t(total)) != 0) {
        const Error error = systemError("ftruncate");
        close(descriptor);
        return error;
    }
    Result<std::shared_ptr<SharedVideoFrames>> attached = attach(descriptor);
    if (attached)
        *static_cast<std::size_t *>(attached.value()->m_mapping) = frameBytes;
    return attached;
}

Result<std::shared_ptr<SharedVideoFrames>> SharedVideoFrames::attach(int descriptor)
{
    struct stat status
    {
    };
    if (fstat(descriptor, &status) != 0) {
        const Error error = systemError("fstat");
        close(descriptor);
        return error;
    }
    const auto total = std::size_t(status.st_size);
    void *mapping = total > headerBytes()
        ? mmap(nullptr, total, PROT_READ | PROT_WRITE, MAP_SHARED, descriptor, 0)
        : MAP_FAILED;
    if (mapping == MAP_FAILED) {
        const Error error
            = total > headerBytes() ? systemError("mmap") : Error { QStringLiteral("No frame memory") };
        close(descriptor);
        return error;
    }
    // The creator wrote the frame size first; a decoder takes it from there and checks it against the size.
    const std::size_t frameBytes = *static_cast<const std::size_t *>(mapping);
    std::shared_ptr<SharedVideoFrames> frames(new SharedVideoFrames(
        descriptor, frameBytes ? frameBytes : (total - headerBytes()) / slotCount, mapping, total));
    if (headerBytes() + slotCount * frames->m_frameBytes > total)
        return Error { QStringLiteral("The frame memory is smaller than it says") };
    frames->m_self = frames;
    return frames;
}

SharedVideoFrames::Slot &SharedVideoFrames::slot(int index) const
{
    return *reinterpret_cast<Slot *>(static_cast<uchar *>(m_mapping) + sizeof(std::size_t) + index * 64);
}

uchar *SharedVideoFrames::pixels(int index) const
{
    return static_cast<uchar *>(m_mapping) + headerBytes() + std::size_t(index) * m_frameBytes;
}

SharedVideoFrames::Lease SharedVideoFrames::lend(std::size_t bytes)
{
    if (bytes > m_frameBytes)
        return {};
    for (int index = 0; index < slotCount; ++index) {
        std::uint32_t expected = 0;
        if (slot(index).held.compare_exchange_strong(expected, 1, std::memory_order_acquire)) {
            const std::uint64_t number = ++m_lastLease;
            m_leases[std::size_t(index)] = number;
            return { pixels(index), index, number };
        }
    }
    return {};
}

void SharedVideoFrames::giveBack(const Lease &lease)
{
    // A slot put meanwhile, and perhaps lent again, is not this lease's to free.
    std::uint64_t expected = lease.number;
    if (lease.slot >= 0 && lease.slot < slotCount
        && m_leases[std::size_t(lease.slot)].compare_exchange_strong(expected, 0))
        slot(lease.slot).held.store(0, std::memory_order_release);
}

int SharedVideoFrames::put(
    const QImage &frame, std::int64_t positionMilliseconds, std::span<const std::uint16_t> lineFactors)
{
    const auto bytesPerLine = std::size_t(frame.width()) * 4;
    if (frame.depth() != 32 || bytesPerLine * std::size_t(frame.height()) > m_frameBytes)
        return -1;
    // A frame written straight into its lent slot is darkened where it lies; any other is copied.
    int index = 0;
    while (index < slotCount
        && !(m_leases[std::size_t(index)] != 0 && frame.constBits() == pixels(index)
            && std::size_t(frame.bytesPerLine()) == bytesPerLine))
        ++index;
    for (int free = 0; index == slotCount && free < slotCount; ++free) {
        std::uint32_t expected = 0;
        if (slot(free).held.compare_exchange_strong(expected, 1, std::memory_order_acquire))
            index = free;
    }
    if (index == slotCount)
        return -1;
    // The frame is the program's now: the end of the buffer it was written into no longer frees the slot.
    m_leases[std::size_t(index)] = 0;
    uchar *target = pixels(index);
    const bool shaded = lineFactors.size() == std::size_t(frame.height());
    for (int line = 0; line < frame.height(); ++line) {
        copyShaded(reinterpret_cast<std::uint32_t *>(target + line * bytesPerLine),
            reinterpret_cast<const std::uint32_t *>(frame.constScanLine(line)), frame.width(),
            shaded ? lineFactors[std::size_t(line)] : 256);
    }
    Slot &taken = slot(index);
    taken.width = std::uint32_t(frame.width());
    taken.height = std::uint32_t(frame.height());
    taken.bytesPerLine = std::uint32_t(bytesPerLine);
    taken.position = positionMilliseconds;
    return index;
}

QImage SharedVideoFrames::take(int slot)
{
    if (slot < 0 || slot >= slotCount)
        return {};
    Slot &taken = this->slot(slot);
    const auto release = [](void *data) {
        auto *held = static_cast<std::pair<std::shared_ptr<SharedVideoFrames>, int> *>(data);
        held->first->slot(held->second).held.store(0, std::memory_order_release);
        delete held;
    };
    auto *keep = new std::pair<std::shared_ptr<SharedVideoFrames>, int>(m_self.lock(), slot);
    // A decoder that lies about a frame's size gets nothing drawn beyond its slot.
    if (std::size_t(taken.bytesPerLine) * taken.height > m_frameBytes
        || taken.bytesPerLine < taken.width * 4) {
        release(keep);
        return {};
    }
    return QImage(pixels(slot), int(taken.width), int(taken.height), qsizetype(taken.bytesPerLine),
        QImage::Format_RGB32, release, keep);
}

std::int64_t SharedVideoFrames::positionOf(int slot) const
{
    return slot >= 0 && slot < slotCount ? this->slot(slot).position : -1;
}

void SharedVideoFrames::releaseFreeSlots()
{
    for (int index = 0; index < slotCount; ++index) {
        if (slot(index).held.load(std::memory_order_acquire) == 0)
            madvise(pixels(index), m_frameBytes, MADV_REMOVE);
    }
}
