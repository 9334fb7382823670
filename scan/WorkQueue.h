// A bounded first-in first-out queue between one producer and several consumers. Push
// waits while the queue is full, so a fast walk cannot run far ahead of the counting;
// Pop waits while it is empty and not yet closed.
//
// Owned by the scan that links the threads; every member may be called from any thread.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <utility>

namespace lintally::scan {

template <class T>
class WorkQueue
{
public:
    explicit WorkQueue(std::size_t capacity) : m_capacity(capacity == 0 ? 1 : capacity) {}
    WorkQueue(const WorkQueue&) = delete;
    WorkQueue& operator=(const WorkQueue&) = delete;

    void Push(T item)
    {
        std::unique_lock lock(m_mutex);
        m_notFull.wait(lock, [this] { return m_items.size() < m_capacity; });
        m_items.push_back(std::move(item));
        lock.unlock();
        m_notEmpty.notify_one();
    }

    // No more items will come; consumers drain what is left and then get false.
    void Close()
    {
        {
            const std::lock_guard lock(m_mutex);
            m_closed = true;
        }
        m_notEmpty.notify_all();
    }

    // False once the queue is closed and empty.
    bool Pop(T& item)
    {
        std::unique_lock lock(m_mutex);
        m_notEmpty.wait(lock, [this] { return !m_items.empty() || m_closed; });
        if (m_items.empty()) {
            return false;
        }
        item = std::move(m_items.front());
        m_items.pop_front();
        lock.unlock();
        m_notFull.notify_one();
        return true;
    }

private:
    const std::size_t m_capacity;
    std::mutex m_mutex;
    std::condition_variable m_notFull;
    std::condition_variable m_notEmpty;
    std::deque<T> m_items;
    bool m_closed = false;
};

}  // namespace lintally::scan
