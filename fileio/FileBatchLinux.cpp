// FileBatch over io_uring: the opens of a batch go to the kernel in one submission and are
// reaped together, and so do the closes. The kernel opens a file whose folder entry it holds
// cached without waiting, within the call that submits it.
#include "fileio/FileBatch.h"

#include <fcntl.h>
#include <liburing.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>

namespace Brim {

struct FileBatch::Ring
{
    Ring() { set = io_uring_queue_init(kMax, &ring, 0) == 0; }
    Ring(const Ring&) = delete;
    Ring& operator=(const Ring&) = delete;
    ~Ring()
    {
        if (set)
            io_uring_queue_exit(&ring);
    }

    io_uring ring{};
    bool set = false;
};

namespace {

// Hands the count queued entries to the kernel: how many it took, in queue order. The kernel
// refuses more only when it fails; the entries it did not take are then dropped with the ring.
unsigned Submit(io_uring& ring, unsigned count)
{
    unsigned taken = 0;
    while (taken < count) {
        const int done = io_uring_submit(&ring);
        if (done > 0)
            taken += static_cast<unsigned>(done);
        else if (done != -EINTR)
            break;
    }
    return taken;
}

// Waits for the next completion; false when the ring fails.
bool Reap(io_uring& ring, std::uint64_t& data, int& result)
{
    io_uring_cqe* cqe = nullptr;
    int status;
    do
        status = io_uring_wait_cqe(&ring, &cqe);
    while (status == -EINTR);
    if (status != 0 || cqe == nullptr)
        return false;
    data = cqe->user_data;
    result = cqe->res;
    io_uring_cqe_seen(&ring, cqe);
    return true;
}

}  // namespace

FileBatch::FileBatch()
{
    auto ring = std::make_unique<Ring>();
    if (ring->set)
        m_ring = std::move(ring);
}

FileBatch::~FileBatch() = default;

void FileBatch::OpenListed(std::span<const int> folders, std::span<const char* const> names,
                           std::span<int> results)
{
    for (int& result : results)
        result = kNotTried;
    if (!m_ring)
        return;
    io_uring& ring = m_ring->ring;
    unsigned queued = 0;
    for (std::size_t i = 0; i < names.size() && i < kMax; ++i) {
        io_uring_sqe* sqe = io_uring_get_sqe(&ring);
        if (sqe == nullptr)
            break;
        io_uring_prep_openat(sqe, folders[i], names[i],
                             O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW, 0);
        io_uring_sqe_set_data64(sqe, i);
        ++queued;
    }
    const unsigned taken = Submit(ring, queued);
    for (unsigned reaped = 0; reaped < taken; ++reaped) {
        std::uint64_t at = 0;
        int result = 0;
        if (!Reap(ring, at, result)) {
            // Opens under way are lost with the ring (their descriptors stay open).
            m_ring.reset();
            return;
        }
        // An open cut short, or refused for want of descriptors while the batch holds some,
        // is left to the caller to try on its own.
        const bool retry =
            result == -EINTR || result == -EAGAIN || result == -EMFILE || result == -ENFILE;
        results[at] = retry ? kNotTried : result;
    }
    if (taken < queued)
        m_ring.reset();
}

void FileBatch::Close(std::span<const int> descriptors)
{
    int queuedFds[kMax];
    unsigned queued = 0;
    for (const int fd : descriptors) {
        io_uring_sqe* sqe =
            fd >= 0 && m_ring && queued < kMax ? io_uring_get_sqe(&m_ring->ring) : nullptr;
        if (sqe == nullptr) {
            if (fd >= 0)
                ::close(fd);
            continue;
        }
        io_uring_prep_close(sqe, fd);
        io_uring_sqe_set_data64(sqe, 0);
        queuedFds[queued++] = fd;
    }
    if (queued == 0)
        return;
    const unsigned taken = Submit(m_ring->ring, queued);
    for (unsigned reaped = 0; reaped < taken; ++reaped) {
        std::uint64_t data = 0;
        int result = 0;
        if (!Reap(m_ring->ring, data, result)) {
            m_ring.reset();
            return;
        }
    }
    // Those the kernel did not take are closed here, and the ring, which failed, is dropped.
    for (unsigned i = taken; i < queued; ++i)
        ::close(queuedFds[i]);
    if (taken < queued)
        m_ring.reset();
}

}  // namespace Brim
