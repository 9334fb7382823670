#include "app/ScanWorker.h"

#include <QCoreApplication>

#include <utility>

CScanWorker::CScanWorker(QObject* receiver, std::string root, std::vector<std::string> patterns,
                         const lintally::scan::ScanOptions& options)
    : m_receiver(receiver)
    , m_root(std::move(root))
    , m_patterns(std::move(patterns))
    , m_options(options)
{
}

CScanWorker::~CScanWorker()
{
    RequestStop();
    while (!WaitFinished(std::chrono::milliseconds(1000))) {
    }
}

void CScanWorker::Start(Procedure procedure)
{
    m_running.store(true, std::memory_order_release);
    {
        std::lock_guard lock(m_doneMutex);
        m_threadDone = false;
    }
    m_thread = std::thread([this, procedure = std::move(procedure)] { Run(procedure); });
}

void CScanWorker::Run(const Procedure& procedure)
{
    procedure(*this);
    m_running.store(false, std::memory_order_release);
    {
        std::lock_guard lock(m_doneMutex);
        m_threadDone = true;
    }
    m_done.notify_all();
}

void CScanWorker::RequestStop()
{
    m_stop.RequestStop();
    m_gate.Open();
}

bool CScanWorker::WaitFinished(std::chrono::milliseconds timeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        {
            std::unique_lock lock(m_doneMutex);
            if (m_done.wait_for(lock, std::chrono::milliseconds(1), [this] { return m_threadDone; })) {
                break;
            }
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        // The worker may be parked in a blocking call into the receiver: deliver it.
        QCoreApplication::sendPostedEvents(m_receiver, QEvent::MetaCall);
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
    {
        std::lock_guard lock(m_reportMutex);
        m_report.kind = kind;
        m_report.text.assign(text);
        m_report.lines = lines;
        m_report.total = m_nTotal;
    }
    emit Reported();
}

ScanReport CScanWorker::TakeReport()
{
    std::lock_guard lock(m_reportMutex);
    return m_report;
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
    m_running.store(false, std::memory_order_release);
    if (!IsStopping()) {
        Post(ScanReport::Kind::Finished);
    }
}
