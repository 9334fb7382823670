// CScanWorker: one background scan of the dialog. It owns its thread, its stop token and its
// pause gate, and takes everything the scan reads before it starts: the root it scans, the
// file type list, and the dialog's atomic scan options. So a stop confirmed for one scan
// never touches another, and editing the dialog during a scan changes nothing of the scan
// except the options, which are atomics.
//
// The scan procedure runs on the worker's thread and queues its reports in a mailbox
// (guarded by a mutex); when the mailbox goes from empty to not empty it calls the wake
// function, which posts a message to the UI thread, and the UI thread takes every queued
// report at once (TakeReports). Neither thread ever waits for the other: the worker never
// waits for a report to be shown, and the UI thread waiting for a stopped worker waits only
// for its poll. Once a stop was requested the reports are skipped.
//
// Created, started, paused, stopped and destroyed on the UI thread; the destructor stops
// the scan and waits for it. The report and poll members are for the worker's thread.
#pragma once

#include "dialog/PauseGate.h"
#include "scan/ScanOptions.h"
#include "scan/StopToken.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

struct ScanReport
{
    enum class Kind
    {
        RootShown,
        Row,
        Total,
        Finished
    };
    Kind kind = Kind::Total;
    std::string text;         // the root shown, or the row's relative name
    std::uint64_t lines = 0;  // the row's count
    std::int64_t total = 0;   // the running total after this report
};

class CScanWorker final
{
public:
    using Procedure = std::function<void(CScanWorker&)>;
    // Called on the worker thread when reports wait to be taken; must not block.
    using Wake = std::function<void()>;

    CScanWorker(Wake wake, std::string root, std::string types,
                const lintally::scan::ScanOptions& options);
    ~CScanWorker();
    CScanWorker(const CScanWorker&) = delete;
    CScanWorker& operator=(const CScanWorker&) = delete;

    // UI thread.
    void Start(Procedure procedure);
    // True until the scan has reported its end (or its procedure returned).
    [[nodiscard]] bool IsRunning() const { return m_running.load(std::memory_order_acquire); }
    void Pause() { m_gate.Close(); }
    void Resume() { m_gate.Open(); }
    // Asks the scan to end at its next poll; a paused scan is let go so it can.
    void RequestStop();
    [[nodiscard]] bool IsStopping() const { return m_stop.StopRequested(); }
    // Waits until the thread has ended, at most timeout. True when it has (and was joined).
    bool WaitFinished(std::chrono::milliseconds timeout);
    // Every report queued so far, oldest first.
    [[nodiscard]] std::vector<ScanReport> TakeReports();

    // The scan's inputs, fixed before it starts; any thread.
    [[nodiscard]] const std::string& Root() const { return m_root; }
    [[nodiscard]] const std::string& Types() const { return m_types; }
    [[nodiscard]] const lintally::scan::ScanOptions& Options() const { return m_options; }
    [[nodiscard]] const lintally::scan::StopToken& GetStopToken() const { return m_stop; }

    // Worker thread.
    // The stop poll before each entry: passes the pause gate, then waits up to 1 ms for a
    // stop. True while the scan is to go on.
    bool Poll();
    std::int64_t AddToTotal(std::uint64_t lines);
    void ReportRootShown(const std::string& root);
    // A counted file's row; the total after it travels in the same report.
    void ReportRow(std::string_view name, std::uint64_t lines);
    // The total after an entry; skipped when the entry's row already carried it.
    void ReportTotal();
    // The scan's last report: from here on IsRunning is false.
    void ReportFinished();

private:
    void Run(const Procedure& procedure);
    void Post(ScanReport::Kind kind, std::string_view text = {}, std::uint64_t lines = 0);

    const Wake m_wake;
    const std::string m_root;
    const std::string m_types;
    const lintally::scan::ScanOptions& m_options;
    lintally::scan::StopToken m_stop;
    CPauseGate m_gate;
    std::mutex m_reportMutex;
    std::vector<ScanReport> m_reports;  // guarded by m_reportMutex
    std::int64_t m_nTotal = 0;          // worker thread only
    bool m_bTotalReported = false;      // worker thread only
    std::atomic<bool> m_running{false};
    std::thread m_thread;
};
