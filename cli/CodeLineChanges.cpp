#include "cli/CodeLineChanges.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>

#include "fileio/MessageText.h"
#include "linecount/CodeLines.h"

namespace lintally::cli {

namespace {

constexpr std::size_t kBatch = 64;  // pairs a thread takes at a time

// What the threads share: the next batch to take and the first failure.
struct Work
{
    std::atomic<std::size_t> next{0};
    std::atomic<bool> failed{false};
    std::mutex errorLock;
    std::string error;
};

// The changes of the pair at index, when both sides hold the file.
bool ComparePair(const DiffSide& before, const DiffSide& after, const results::FilePair& pair,
                 std::uint32_t flags, const gitsel::LineDiff& lines, results::LineChanges& changes,
                 std::string& error)
{
    const scan::RowView old = before.files.rows[pair.before];
    const scan::RowView now = after.files.rows[pair.after];
    // A revision against a folder: the folder's file is read first, and when its text has
    // the blob's id the two are the same and the blob is not read at all.
    std::string oldText;
    std::string newText;
    if (before.revision && !after.revision) {
        newText = after.ReadText(now.name);
        if (old.lang == now.lang && before.Holds(old.name, newText)) {
            return true;
        }
        oldText = before.ReadText(old.name);
    } else {
        oldText = before.ReadText(old.name);
        if (!before.revision && old.lang == now.lang && after.Holds(now.name, oldText)) {
            return true;
        }
        newText = after.ReadText(now.name);
    }
    if (oldText == newText && old.lang == now.lang) {
        return true;
    }
    const std::string oldCode = PrjHelper::CodeLines(oldText, old.lang, flags);
    const std::string newCode = PrjHelper::CodeLines(newText, now.lang, flags);
    if (oldCode == newCode) {
        return true;
    }
    gitsel::LineCounts counts;
    if (!lines.Compare(oldCode, newCode, counts, error)) {
        error = "cannot compare the lines of " + Brim::EscapeControlBytes(now.name) + ": " + error;
        return false;
    }
    changes = {counts.added, counts.removed};
    return true;
}

void CompareBatches(const DiffSide& before, const DiffSide& after,
                    const std::vector<results::FilePair>& pairs, const std::vector<bool>& alike,
                    std::uint32_t flags, const gitsel::LineDiff& lines, const scan::StopToken& stop,
                    std::vector<results::LineChanges>& changes, Work& work)
{
    std::string error;
    for (;;) {
        const std::size_t start = work.next.fetch_add(kBatch);
        if (start >= pairs.size() || work.failed.load() || stop.StopRequested()) {
            return;
        }
        for (std::size_t i = start; i < std::min(start + kBatch, pairs.size()); ++i) {
            const results::FilePair& pair = pairs[i];
            if (pair.before == results::FilePair::kNone || pair.after == results::FilePair::kNone ||
                alike[i]) {
                continue;
            }
            if (!ComparePair(before, after, pair, flags, lines, changes[i], error)) {
                const std::lock_guard<std::mutex> hold(work.errorLock);
                if (!work.failed.exchange(true)) {
                    work.error = error;
                }
                return;
            }
        }
    }
}

}  // namespace

bool CompareCodeLines(const DiffSide& before, const DiffSide& after,
                      const std::vector<results::FilePair>& pairs, std::uint32_t flags,
                      unsigned jobs, const scan::StopToken& stop,
                      std::vector<results::LineChanges>& changes, std::string& error)
{
    changes.assign(pairs.size(), results::LineChanges{});
    // Files two revisions hold with the same bytes are known without reading them.
    std::vector<bool> alike(pairs.size(), false);
    if (before.revision && after.revision) {
        for (std::size_t i = 0; i < pairs.size(); ++i) {
            const results::FilePair& pair = pairs[i];
            alike[i] = pair.before != results::FilePair::kNone &&
                       pair.after != results::FilePair::kNone &&
                       before.SameContent(before.files.rows[pair.before].name, after,
                                          after.files.rows[pair.after].name) &&
                       before.files.rows[pair.before].lang == after.files.rows[pair.after].lang;
        }
    }
    const gitsel::LineDiff lines;
    Work work;
    const auto run = [&] {
        CompareBatches(before, after, pairs, alike, flags, lines, stop, changes, work);
    };
    std::vector<std::thread> threads;
    const std::size_t extra = std::min<std::size_t>(jobs, pairs.size() / kBatch + 1) - 1;
    for (std::size_t i = 0; i < extra; ++i) {
        threads.emplace_back(run);
    }
    run();
    for (std::thread& thread : threads) {
        thread.join();
    }
    error = work.error;
    return !work.failed.load();
}

}  // namespace lintally::cli
