// CPauseGate: where a scan worker waits while the dialog asks "Stop current searching?".
// The worker passes the gate at its stop poll, a point where it holds no lock and no
// half-made result, so the UI thread never waits for anything a paused worker holds.
//
// Owned by one CScanWorker. Close/Open on the UI thread; Pass on the worker thread.
#pragma once

#include <condition_variable>
#include <mutex>

class CPauseGate
{
public:
    CPauseGate() = default;
    CPauseGate(const CPauseGate&) = delete;
    CPauseGate& operator=(const CPauseGate&) = delete;

    void Close();
    void Open();
    // Returns at once while the gate is open; otherwise waits until it opens.
    void Pass();

private:
    std::mutex m_mutex;
    std::condition_variable m_opened;
    bool m_closed = false;
};
