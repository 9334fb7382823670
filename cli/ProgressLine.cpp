#include "cli/ProgressLine.h"

#include <algorithm>
#include <cstdio>

#include "results/FormatThousands.h"

namespace lintally::cli {

namespace {

constexpr auto kRedrawInterval = std::chrono::milliseconds(100);

// Progress is a courtesy: a failed write to the terminal is not an error.
void WriteQuietly(StdStream stream, const std::string& text)
{
    std::string ignored;
    static_cast<void>(WriteStream(stream, text, ignored));
}

}  // namespace

ProgressLine::ProgressLine(StdStream stream, bool show) : m_stream(stream), m_show(show) {}

ProgressLine::~ProgressLine()
{
    Finish();
}

void ProgressLine::Start()
{
    m_started = std::chrono::steady_clock::now();
    if (m_show && !m_thread.joinable()) {
        m_thread = std::thread(&ProgressLine::Redraw, this);
    }
}

void ProgressLine::Finish()
{
    if (!m_thread.joinable()) {
        return;
    }
    {
        const std::lock_guard lock(m_mutex);
        m_done = true;
    }
    m_wake.notify_all();
    m_thread.join();
    if (m_drawnWidth > 0) {
        std::string blank(m_drawnWidth + 2, ' ');
        blank.front() = '\r';
        blank.back() = '\r';
        WriteQuietly(m_stream, blank);
        m_drawnWidth = 0;
    }
}

void ProgressLine::OnRowCounted(std::string_view, std::uint64_t lines)
{
    m_files.fetch_add(1, std::memory_order_relaxed);
    m_lines.fetch_add(lines, std::memory_order_relaxed);
}

void ProgressLine::SetCommits(std::uint64_t done, std::uint64_t total)
{
    m_commitsDone.store(done, std::memory_order_relaxed);
    m_commits.store(total, std::memory_order_relaxed);
}

std::string ProgressLine::Text() const
{
    const std::uint64_t commits = m_commits.load(std::memory_order_relaxed);
    const std::string done =
        commits == 0 ? std::string()
                     : results::FormatThousands(static_cast<std::int64_t>(
                           m_commitsDone.load(std::memory_order_relaxed))) +
                           " of " + results::FormatThousands(static_cast<std::int64_t>(commits)) +
                           " commits, ";
    const std::uint64_t files = m_files.load(std::memory_order_relaxed);
    const std::uint64_t lines = m_lines.load(std::memory_order_relaxed);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - m_started).count();
    const double rate = seconds > 0 ? static_cast<double>(files) / seconds : 0.0;
    char timing[64];
    std::snprintf(timing, sizeof timing, " files/s, %.1f s", seconds);
    return done + results::FormatThousands(static_cast<std::int64_t>(files)) + " files, " +
           results::FormatThousands(static_cast<std::int64_t>(lines)) + " lines, " +
           results::FormatThousands(static_cast<std::int64_t>(rate)) + timing;
}

void ProgressLine::Redraw()
{
    std::unique_lock lock(m_mutex);
    while (!m_wake.wait_for(lock, kRedrawInterval, [this] { return m_done; })) {
        Draw(Text());
    }
}

void ProgressLine::Draw(const std::string& text)
{
    // Pad over what the previous line left, so a shorter line leaves no stray characters.
    std::string line(1, '\r');
    line.append(text);
    if (text.size() < m_drawnWidth) {
        line.append(m_drawnWidth - text.size(), ' ');
    }
    m_drawnWidth = std::max(m_drawnWidth, text.size());
    WriteQuietly(m_stream, line);
}

}  // namespace lintally::cli
