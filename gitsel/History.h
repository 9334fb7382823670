// The first-parent history of a git revision, each commit counted as a count of that
// revision would count it (see Revision.h: the same files, submodules and links), at a cost
// that grows with what changed rather than with commits times files:
// - a blob already counted under the same file name is not read again: its tally is kept
//   by blob id and name (the name chooses the language);
// - a folder whose tree, path and repository are those of a folder already summed is not
//   walked again: its sums are kept by tree id and path. A folder holding a link or a
//   submodule is always walked (a link may lead out of it; a submodule's commit may be
//   missing), its unchanged sub-folders still taken whole.
// Both caches grow with the distinct blobs and folders met, not with the commits counted.
//
// Owned by its caller, used by one thread at a time; a count uses counting threads of its
// own when many files are new.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gitsel/GitStatus.h"
#include "gitsel/Revision.h"
#include "scan/CountRequest.h"

namespace lintally::gitsel {

struct HistoryCommit
{
    std::string id;         // 40 hex digits
    std::int64_t time = 0;  // the committer's time, seconds since 1970 UTC
    int offset = 0;         // the committer's time zone, minutes east of UTC
};

// What the counts of a history have read so far: files counted from their bytes, and
// folders walked entry by entry.
struct HistoryWork
{
    std::uint64_t blobsCounted = 0;
    std::uint64_t treesWalked = 0;
};

class History
{
public:
    // Opens the repository that holds root (a folder of a work tree, or a bare repository),
    // resolves rev to a commit and lists its first-parent history, newest first (a merge's
    // other parents are not followed). shape says how each commit is counted: its settings,
    // grouping (required), selection and jobs; its files are each commit's. shape and what
    // it points to outlive the history. Not Ok with error set to one line as Revision::Open.
    [[nodiscard]] static GitStatus Open(const std::string& root, const std::string& rev,
                                        const scan::CountRequest& shape,
                                        std::unique_ptr<History>& history, std::string& error);
    ~History();
    History(const History&) = delete;
    History& operator=(const History&) = delete;

    [[nodiscard]] const std::vector<HistoryCommit>& Commits() const;

    // Counts Commits()[index] into result: its groups (in name order), totals, and the
    // submodules left out as skipped folders; counted rows are told to sink. A stop leaves
    // result.stopped set and nothing of the commit kept. Failed with error set to one line
    // when a tree cannot be read.
    [[nodiscard]] GitStatus Count(std::size_t index, const scan::StopToken& stop,
                                  scan::IScanSink& sink, scan::ScanResult& result,
                                  std::string& error);

    [[nodiscard]] const HistoryWork& Work() const;
    // The files that could not be read so far, each with why.
    [[nodiscard]] std::vector<UnreadFile> Unread() const;

    struct State;  // the platform's repositories and caches

private:
    explicit History(std::unique_ptr<State> state);
    std::unique_ptr<State> m_state;
};

}  // namespace lintally::gitsel
