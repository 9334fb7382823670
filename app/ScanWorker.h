// CScanWorker: one background scan of the main dialog. It owns its thread, its stop token
// and its pause gate, and takes everything the scan reads before it starts: the root it
// scans, the suffix patterns, and the dialog's atomic scan options. So a stop confirmed for
// one scan never touches another, and editing the dialog during a scan changes nothing of
// the scan except the options, which are atomics.
//
// The scan procedure runs on the worker's thread and reports into the dialog one report at
// a time: it leaves the report in its mailbox (guarded by a mutex) and emits Reported, which
// the dialog connects with Qt::BlockingQueuedConnection and answers with TakeReport, so each
// report is done before the scan goes on. Once a stop was requested the reports are
// skipped, and a UI thread that waits for the worker keeps delivering the calls still
// pending (WaitFinished), so the two threads never wait for each other.
//
// Created, started, paused, stopped and destroyed on the UI thread; the destructor stops
// the scan and waits for it. The report and poll members are for the worker's thread.
#pragma once

#include "app/PauseGate.h"
#include "scan/ScanOptions.h"
#include "scan/StopToken.h"

#include <QObject>

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
    enum class Kind { RootShown, Row, Total, Finished };
    Kind kind = Kind::Total;
    std::string text;          // the root shown, or the row's relative name
    std::uint64_t lines = 0;   // the row's count
    std::int64_t total = 0;    // the running total after this report
};

class CScanWorker final : public QObject
{
    Q_OBJECT

public:
    using Procedure = std::function<void(CScanWorker&)>;

    // receiver is the object the reports are connected to (the dialog); it outlives the worker.
    CScanWorker(QObject* receiver, std::string root, std::vector<std::string> patterns,
                const lintally::scan::ScanOptions& options);
    ~CScanWorker() override;
    CScanWorker(const CScanWorker&) = delete;
    CScanWorker& operator=(const CScanWorker&) = delete;

    // UI thread.
    void Start(Procedure procedure);
    // True until the scan has reported its end (or its procedure returned); after that the
    // thread does nothing but deliver its last report and end.
    [[nodiscard]] bool IsRunning() const { return m_running.load(std::memory_order_acquire); }
    void Pause() { m_gate.Close(); }
    void Resume() { m_gate.Open(); }
    // Asks the scan to end at its next poll; a paused scan is let go so it can.
    void RequestStop();
    [[nodiscard]] bool IsStopping() const { return m_stop.StopRequested(); }
    // Waits until the thread has ended, at most timeout, delivering the receiver's pending
    // blocking calls meanwhile. True when the thread has ended (and was joined).
    bool WaitFinished(std::chrono::milliseconds timeout);

    // The scan's inputs, fixed before it starts; any thread.
    [[nodiscard]] const std::string& Root() const { return m_root; }
    [[nodiscard]] const std::vector<std::string>& Patterns() const { return m_patterns; }
    [[nodiscard]] const lintally::scan::ScanOptions& Options() const { return m_options; }
    [[nodiscard]] const lintally::scan::StopToken& GetStopToken() const { return m_stop; }
    // The report Reported announced; UI thread, from the slot connected to Reported.
    [[nodiscard]] ScanReport TakeReport();

    // Worker thread.
    // The stop poll before each entry: passes the pause gate, then waits up to 1 ms for a
    // stop. True while the scan is to go on.
    bool Poll();
    std::int64_t AddToTotal(std::uint64_t lines);
    void ReportRootShown(const std::string& root);
    // A counted file's row; the total after it travels in the same call.
    void ReportRow(std::string_view name, std::uint64_t lines);
    // The total after an entry; skipped when the entry's row already carried it.
    void ReportTotal();
    // The scan's last report: from here on IsRunning is false.
    void ReportFinished();

signals:
    void Reported();

private:
    void Run(const Procedure& procedure);
    void Post(ScanReport::Kind kind, std::string_view text = {}, std::uint64_t lines = 0);

    QObject* const m_receiver;
    const std::string m_root;
    const std::vector<std::string> m_patterns;
    const lintally::scan::ScanOptions& m_options;
    lintally::scan::StopToken m_stop;
    CPauseGate m_gate;
    std::mutex m_reportMutex;
    ScanReport m_report;  // guarded by m_reportMutex
    std::int64_t m_nTotal = 0;        // worker thread only
    bool m_bTotalReported = false;    // worker thread only
    std::atomic<bool> m_running{false};
    bool m_threadDone = true;  // guarded by m_doneMutex
    std::mutex m_doneMutex;
    std::condition_variable m_done;
    std::thread m_thread;
};
