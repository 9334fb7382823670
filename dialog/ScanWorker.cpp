#include "dialog/ScanWorker.h"

#include <utility>

CScanWorker::CScanWorker(Wake wake, std::string root, std::string types,
                         const lintally::scan::ScanOptions& options)
    : m_wake(std::move(wake)), m_root(std::move(root)), m_types(std::move(types)),
      m_options(options)
{}

CScanWorker::~CScanWorker()
{
    RequestStop();
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

void CScanWorker::Start(Procedure procedure)
{
    m_running.store(true, std::memory_order_release);
    m_thread = std::thread([this, procedure = std::move(procedure)] { Run(procedure); });
}

void CScanWorker::Run(const Procedure& procedure)
{
    procedure(*this);
    m_running.store(false, std::memory_order_release);
}

void CScanWorker::RequestStop()
{
    m_stop.RequestStop();
    m_gate.Open();
}

bool CScanWorker::WaitFinished(std::chrono::milliseconds timeout)
{
    // The thread clears m_running at its end, before at most one last report; joining after
    // that waits for nothing the UI thread holds.
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (IsRunning()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (m_thread.joinable()) {
        m_thread.join();
    }
    return true;
}

bool CScanWorker::Poll()
{
    m_gate.Pass();
    return !m_stop.WaitFor(std::chrono::milliseconds(1));
}

std::int64_t CScanWorker::AddToTotal(std::uint64_t lines)
{
    m_nTotal += static_cast<std::int64_t>(lines);
    return m_nTotal;
}

void CScanWorker::Post(ScanReport::Kind kind, std::string_view text, std::uint64_t lines)
{
    bool wasEmpty = false;
    {
        std::lock_guard lock(m_reportMutex);
        wasEmpty = m_reports.empty();
        m_reports.push_back(ScanReport{kind, std::string(text), lines, m_nTotal});
    }
    // One message per batch: the UI takes everything queued when it comes.
    if (wasEmpty) {
        m_wake();
    }
}

std::vector<ScanReport> CScanWorker::TakeReports()
{
    std::lock_guard lock(m_reportMutex);
    return std::exchange(m_reports, {});
}

void CScanWorker::ReportRootShown(const std::string& root)
{
    if (!IsStopping()) {
        Post(ScanReport::Kind::RootShown, root);
    }
}

void CScanWorker::ReportRow(std::string_view name, std::uint64_t lines)
{
    if (!IsStopping()) {
        Post(ScanReport::Kind::Row, name, lines);
        m_bTotalReported = true;
    }
}

void CScanWorker::ReportTotal()
{
    if (std::exchange(m_bTotalReported, false)) {
        return;
    }
    if (!IsStopping()) {
        Post(ScanReport::Kind::Total);
    }
}

void CScanWorker::ReportFinished()
{
    // Not running once its end is on the way, so a stop question is never asked for it.
    m_running.store(false, std::memory_order_release);
    if (!IsStopping()) {
        Post(ScanReport::Kind::Finished);
    }
}
