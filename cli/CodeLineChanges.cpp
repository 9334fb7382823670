#include "cli/CodeLineChanges.h"

#include <algorithm>
#include <atomic>
#include <functional>
#include <mutex>
#include <new>
#include <optional>
#include <thread>

#include "cli/SideReader.h"
#include "fileio/MemoryStream.h"
#include "linecount/CodeLineHashes.h"
#include "linecount/HashDiff.h"
#include "results/FormatThousands.h"

namespace lintally::cli {

namespace {

// Pairs a thread takes at a time: few, so that a handful of huge files spread over the threads.
constexpr std::size_t kBatch = 8;
// A folder's file up to this size is read whole when a revision's blob may hold its bytes.
constexpr std::uint64_t kHeldBytes = std::uint64_t{16} << 20;

// What the threads share: the next batch to take and the files not computed.
struct Work
{
    std::atomic<std::size_t> next{0};
    std::mutex uncomputedLock;
    std::vector<UncomputedFile> uncomputed;
};

// One thread's readers of both sides and the room it compares in.
struct Scratch
{
    Scratch(const DiffSide& before, const DiffSide& after) : oldFiles(before), newFiles(after) {}

    SideReader oldFiles;
    SideReader newFiles;
    std::vector<std::uint64_t> oldLines;
    std::vector<std::uint64_t> newLines;
    std::string held;  // a folder's file read whole
    std::function<bool()> keepGoing;
};

enum class Outcome
{
    Done,
    TooManyLines,
    TooCostly,
    NoMemory,
    Stopped,
};

// Replaces bytes with those of file name when it is no larger than kHeldBytes; false when
// it is larger, cannot be read or cannot be held.
bool ReadHeld(SideReader& reader, std::string_view name, std::string& bytes)
{
    std::uint64_t size = 0;
    Brim::IStream* stream = reader.Open(name, size);
    if (stream == nullptr || size > kHeldBytes) {
        return false;
    }
    try {
        bytes.resize(static_cast<std::size_t>(size));
    } catch (const std::bad_alloc&) {
        return false;
    }
    std::size_t got = 0;
    while (got < bytes.size()) {
        const std::uint32_t read =
            stream->Read(bytes.data() + got, static_cast<std::uint32_t>(bytes.size() - got));
        if (read == 0) {
            break;
        }
        got += read;
    }
    bytes.resize(got);
    return true;
}

// The hashes of the code lines of one side's file: from held when given, else streamed.
// A file that cannot be read has none.
Outcome HashSide(SideReader& reader, const scan::RowView& row, const std::string* held,
                 std::uint32_t flags, const std::function<bool()>& keepGoing,
                 std::vector<std::uint64_t>& lines)
{
    lines.clear();
    std::optional<Brim::MemoryStream> memory;
    std::uint64_t size = 0;
    Brim::IStream* stream = held != nullptr ? &memory.emplace(*held) : reader.Open(row.name, size);
    if (stream == nullptr) {
        return Outcome::Done;
    }
    switch (
        PrjHelper::HashCodeLines(*stream, row.lang, flags, kMaxComparedLines, lines, keepGoing)) {
    case PrjHelper::HashedLines::TooMany:
        return Outcome::TooManyLines;
    case PrjHelper::HashedLines::NoMemory:
        return Outcome::NoMemory;
    case PrjHelper::HashedLines::Stopped:
        return Outcome::Stopped;
    case PrjHelper::HashedLines::Done:
        break;
    }
    return Outcome::Done;
}

// The changes of a pair both sides hold.
Outcome ComparePair(const DiffSide& before, const DiffSide& after, const results::FilePair& pair,
                    std::uint32_t flags, Scratch& scratch, results::LineChanges& changes)
{
    const scan::RowView old = before.files.rows[pair.before];
    const scan::RowView now = after.files.rows[pair.after];
    // A revision against a folder: the folder's file is read first, and when its bytes have
    // the blob's id the two are the same and the blob is not read at all.
    bool oldHeld = false;
    bool newHeld = false;
    if (!before.revision != !after.revision && old.lang == now.lang) {
        const bool folderIsNew = before.revision != nullptr;
        SideReader& folder = folderIsNew ? scratch.newFiles : scratch.oldFiles;
        const bool held = ReadHeld(folder, folderIsNew ? now.name : old.name, scratch.held);
        const DiffSide& revision = folderIsNew ? before : after;
        if (held && revision.Holds(folderIsNew ? old.name : now.name, scratch.held)) {
            return Outcome::Done;
        }
        (folderIsNew ? newHeld : oldHeld) = held;
    }
    Outcome outcome = HashSide(scratch.oldFiles, old, oldHeld ? &scratch.held : nullptr, flags,
                               scratch.keepGoing, scratch.oldLines);
    if (outcome == Outcome::Done) {
        outcome = HashSide(scratch.newFiles, now, newHeld ? &scratch.held : nullptr, flags,
                           scratch.keepGoing, scratch.newLines);
    }
    if (outcome != Outcome::Done) {
        return outcome;
    }
    PrjHelper::LineEdits edits;
    switch (PrjHelper::CountLineEdits(scratch.oldLines, scratch.newLines, kMaxDiffWork, edits,
                                      scratch.keepGoing)) {
    case PrjHelper::DiffEnd::TooCostly:
        return Outcome::TooCostly;
    case PrjHelper::DiffEnd::NoMemory:
        return Outcome::NoMemory;
    case PrjHelper::DiffEnd::Stopped:
        return Outcome::Stopped;
    case PrjHelper::DiffEnd::Done:
        break;
    }
    changes = {edits.added, edits.removed};
    return Outcome::Done;
}

std::string ReasonFor(Outcome outcome)
{
    switch (outcome) {
    case Outcome::TooManyLines:
        return "a version holds more than " +
               results::FormatThousands(static_cast<std::int64_t>(kMaxComparedLines)) +
               " code lines";
    case Outcome::NoMemory:
        return "there was not enough memory to compare it";
    default:
        break;
    }
    return "its versions differ too widely to be compared in bounded time";
}

void CompareBatches(const DiffSide& before, const DiffSide& after,
                    const std::vector<results::FilePair>& pairs, const std::vector<bool>& alike,
                    std::uint32_t flags, const scan::StopToken& stop,
                    std::vector<results::LineChanges>& changes, Work& work)
{
    Scratch scratch(before, after);
    scratch.keepGoing = [&stop] { return !stop.StopRequested(); };
    for (;;) {
        const std::size_t start = work.next.fetch_add(kBatch);
        if (start >= pairs.size() || stop.StopRequested()) {
            return;
        }
        for (std::size_t i = start; i < std::min(start + kBatch, pairs.size()); ++i) {
            const results::FilePair& pair = pairs[i];
            if (pair.before == results::FilePair::kNone || pair.after == results::FilePair::kNone ||
                alike[i]) {
                continue;
            }
            const Outcome outcome = ComparePair(before, after, pair, flags, scratch, changes[i]);
            if (outcome == Outcome::Stopped) {
                return;
            }
            if (outcome != Outcome::Done) {
                changes[i].known = false;
                const std::lock_guard<std::mutex> hold(work.uncomputedLock);
                work.uncomputed.push_back({i, ReasonFor(outcome)});
            }
        }
    }
}

}  // namespace

void CompareCodeLines(const DiffSide& before, const DiffSide& after,
                      const std::vector<results::FilePair>& pairs, std::uint32_t flags,
                      unsigned jobs, const scan::StopToken& stop,
                      std::vector<results::LineChanges>& changes,
                      std::vector<UncomputedFile>& uncomputed)
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
    Work work;
    const auto run = [&] {
        CompareBatches(before, after, pairs, alike, flags, stop, changes, work);
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
    uncomputed = std::move(work.uncomputed);
    std::sort(uncomputed.begin(), uncomputed.end(),
              [](const UncomputedFile& a, const UncomputedFile& b) { return a.pair < b.pair; });
}

}  // namespace lintally::cli
