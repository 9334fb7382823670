// The progress line on standard error: files and lines counted so far, files per second
// and the time taken, redrawn at most ten times a second by a thread of its own and
// erased when the scan ends. It is also the scan's sink, counting rows as they come.
//
// Owned by main. The sink members may be called from any thread; Start and Finish from
// the owning thread only. The destructor finishes a line still running.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

#include "cli/System.h"
#include "scan/ScanSink.h"

namespace lintally::cli {

class ProgressLine final : public scan::IScanSink
{
public:
    // stream is where the line is drawn; show false counts without drawing anything.
    ProgressLine(StdStream stream, bool show);
    ~ProgressLine();
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    void Start();
    // Stops the redrawing and erases the line.
    void Finish();

    // A history's progress: commits counted of total, shown before the files (total 0: none).
    void SetCommits(std::uint64_t done, std::uint64_t total);

    void OnRowCounted(std::string_view name, std::uint64_t lines) override;
    void OnEntryWalked() override {}
    void OnFinished(bool) override {}

    // The line as it would be drawn now (without the carriage return).
    [[nodiscard]] std::string Text() const;

private:
    void Redraw();
    void Draw(const std::string& text);

    const StdStream m_stream;
    const bool m_show;
    std::atomic<std::uint64_t> m_files{0};
    std::atomic<std::uint64_t> m_lines{0};
    std::atomic<std::uint64_t> m_commitsDone{0};
    std::atomic<std::uint64_t> m_commits{0};
    std::chrono::steady_clock::time_point m_started = std::chrono::steady_clock::now();
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_done = false;
    std::size_t m_drawnWidth = 0;  // only touched by the drawing thread, then by Finish
    std::thread m_thread;
};

}  // namespace lintally::cli
