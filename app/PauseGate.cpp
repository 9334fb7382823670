#include "app/PauseGate.h"

void CPauseGate::Close()
{
    std::lock_guard lock(m_mutex);
    m_closed = true;
}

void CPauseGate::Open()
{
    {
        std::lock_guard lock(m_mutex);
        m_closed = false;
    }
    m_opened.notify_all();
}

void CPauseGate::Pass()
{
    std::unique_lock lock(m_mutex);
    m_opened.wait(lock, [this] { return !m_closed; });
}
