// The state of an open history that its walk (HistoryWalk.h) and its driver (HistoryGit.cpp)
// share: what is kept of files and folders from commit to commit, the repositories, the files
// of a commit still to count.
//
// Used by the one thread that counts the history (the counting threads only read blobs).
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "gitsel/BlobReader.h"
#include "gitsel/GitObjects.h"
#include "gitsel/History.h"
#include "gitsel/WorkTree.h"

namespace lintally::gitsel {

// A file's tally as a count keeps it: counted (a row, also when unreadable) or left out for
// what it holds.
struct FileTally
{
    bool counted = false;
    std::int32_t lang = 0;
    PrjHelper::LineBreakdown kinds;
};

// A folder's sums, as the groups and totals of the files under it.
struct FolderSums
{
    std::vector<scan::GroupRow> groups;  // in name order
    std::uint64_t files = 0;
    std::uint64_t total = 0;
    PrjHelper::LineBreakdown kinds;
};

// A repository the history reads: ROOT's, or a submodule's found in the work tree.
struct Repository
{
    RepositoryPtr owned;  // null for ROOT's, which the state's work tree owns
    git_repository* handle = nullptr;
    std::string workdir;  // "" for a bare repository
};

struct History::State final : scan::IContentSource
{
    std::unique_ptr<scan::IContentReader> NewReader() const override
    {
        return NewBlobReader(paths, pendingBlobs, pendingNames, unread);
    }

    WorkTree tree;
    const scan::CountRequest* shape = nullptr;
    std::vector<std::string> patterns;
    std::vector<HistoryCommit> commits;
    std::vector<Repository> repositories;
    std::vector<std::string> paths;  // each repository's folder, for the blob readers
    std::unordered_map<std::string, std::uint32_t> byWorkdir;  // submodules opened so far
    std::unordered_map<std::string, FileTally> blobs;          // by blob id, link flag, name
    std::unordered_map<std::string, FolderSums> folders;       // by repository, tree id, path
    // The files of the commit being counted that are new: their names, blobs and keys.
    std::vector<std::string> pendingNames;
    std::vector<Blob> pendingBlobs;
    std::vector<std::string> pendingKeys;
    std::unique_ptr<scan::IContentReader> inlineReader;
    std::size_t inlineReaderPaths = 0;  // the repositories the inline reader was made for
    HistoryWork work;
    mutable UnreadList unread;
};

// Counts the state's pending files, keeping each one's tally and clearing the lists; false
// when a stop cut the count short (nothing of it is kept then).
[[nodiscard]] bool CountPending(History::State& state, const scan::StopToken& stop,
                                scan::IScanSink& sink);

}  // namespace lintally::gitsel
