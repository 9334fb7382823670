// Reading the blobs of listed files for a count: each counting thread gets a reader with
// repositories of its own (libgit2 objects are not shared between threads). A blob stored
// whole is streamed as it is counted; one stored as a delta is rebuilt whole in memory.
//
// The lists given to NewBlobReader outlive the reader; UnreadList may be added to from any
// thread.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include <git2.h>

#include "gitsel/Revision.h"
#include "scan/ContentSource.h"

namespace lintally::gitsel {

// Where a listed file's bytes are: a blob of one of the revision's repositories.
struct Blob
{
    git_oid id;
    std::uint32_t repository;  // index into State::repositories
    bool readable;             // false: a link that leads to no file
};

// Files the counting threads could not read, with why; any thread may add one.
struct UnreadList
{
    std::mutex lock;
    std::vector<UnreadFile> files;
};

// A reader of blobs[i] for file i; paths are the folders of the repositories the blobs name
// by index, and files name the files in what unread records.
[[nodiscard]] std::unique_ptr<scan::IContentReader> NewBlobReader(
    const std::vector<std::string>& paths, const std::vector<Blob>& blobs,
    const std::vector<std::string>& files, UnreadList& unread);

}  // namespace lintally::gitsel
