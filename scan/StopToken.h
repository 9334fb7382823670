// A stop request for one scan: set once by whoever owns the scan, polled by the walk
// before every directory entry, and waited on by a paced walk (the dialog waits up to a
// millisecond per entry here).
//
// Owned by the scan's owner; every member may be called from any thread.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>

namespace lintally::scan {

class StopToken
{
public:
    StopToken() = default;
    StopToken(const StopToken&) = delete;
    StopToken& operator=(const StopToken&) = delete;

    void RequestStop()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_stop.store(true, std::memory_order_release);
        }
        m_changed.notify_all();
    }

    // The same from a signal handler: sets the flag only (a lock-free store, safe there),
    // so a WaitFor under way notices it at its timeout rather than at once.
    void RequestStopFromSignal() { m_stop.store(true, std::memory_order_release); }

    // Makes the token usable for another scan.
    void Reset() { m_stop.store(false, std::memory_order_release); }

    [[nodiscard]] bool StopRequested() const { return m_stop.load(std::memory_order_acquire); }

    // Waits until a stop is requested or the time has passed; true when stopped.
    [[nodiscard]] bool WaitFor(std::chrono::microseconds timeout) const
    {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, timeout, [this] { return StopRequested(); });
    }

private:
    static_assert(std::atomic<bool>::is_always_lock_free);
    std::atomic<bool> m_stop{false};
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
};

}  // namespace lintally::scan
