// Opening the git work tree that holds a folder, through libgit2: the library's use count,
// the open repository, and where the folder lies in the work tree.
//
// Each WorkTree owns its repository; one thread uses it at a time.
#pragma once

#include <memory>
#include <string>

#include <git2.h>

#include "gitsel/GitStatus.h"

namespace lintally::gitsel {

// Holds the library initialised while it lives (the library counts its users).
class GitLibrary
{
public:
    GitLibrary() { git_libgit2_init(); }
    ~GitLibrary() { git_libgit2_shutdown(); }
    GitLibrary(const GitLibrary&) = delete;
    GitLibrary& operator=(const GitLibrary&) = delete;
};

struct RepositoryFree
{
    void operator()(git_repository* repository) const { git_repository_free(repository); }
};
using RepositoryPtr = std::unique_ptr<git_repository, RepositoryFree>;

struct WorkTree
{
    GitLibrary library;  // declared first: it outlives the repository
    RepositoryPtr repository;
    std::string workdir;  // the work tree's folder, ending in '/'
    std::string prefix;   // the folder's path in the work tree, ending in '/' ("" at its top)
};

// Opens the work tree that holds folder (searching upwards from it).
[[nodiscard]] GitStatus OpenWorkTree(const std::string& folder, WorkTree& tree, std::string& error);

// False when neither folder (links resolved) nor a folder above it holds a ".git" or a "HEAD"
// (a repository's own folder): the search of OpenWorkTree cannot find a repository there.
// Asked before the library is started, whose start-up loads the system's certificates.
[[nodiscard]] bool MayBeInRepository(const std::string& folder);

// The message of a folder in no work tree.
[[nodiscard]] std::string NotInWorkTree(const std::string& folder);

// libgit2's message for its last failure, or fallback when it has none.
[[nodiscard]] std::string LastGitError(const char* fallback);

}  // namespace lintally::gitsel
