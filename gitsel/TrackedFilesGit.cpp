#include "gitsel/TrackedFiles.h"

#include <memory>
#include <string_view>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "gitsel/WorkTree.h"

namespace lintally::gitsel {

namespace {

// libgit2 holds a repository's whole index in memory, tens of MB for 100,000 files, all of it
// freed once the names are listed. Handing those pages back to the system keeps them off the
// count's peak: the counting threads allocate their rows in malloc arenas of their own, where
// the freed space would never be reused.
void ReleaseFreedMemory()
{
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}

struct IndexFree
{
    void operator()(git_index* index) const { git_index_free(index); }
};

// Adds the tracked files of repository whose path in it begins with prefix, named by the
// rest of their path after shown; a submodule's files through its own index.
GitStatus AddTracked(git_repository* repository, std::string_view workdir, std::string_view prefix,
                     const std::string& shown, std::vector<std::string>& names, std::string& error)
{
    git_index* opened = nullptr;
    if (git_repository_index(&opened, repository) != 0) {
        error = "cannot read the git index of " + std::string(workdir) + ": " +
                LastGitError("unknown error");
        return GitStatus::Failed;
    }
    const std::unique_ptr<git_index, IndexFree> index(opened);
    std::string_view previous;
    const std::size_t count = git_index_entrycount(index.get());
    for (std::size_t i = 0; i < count; ++i) {
        const git_index_entry* entry = git_index_get_byindex(index.get(), i);
        const std::string_view path(entry->path);
        // A path in conflict is listed once per side; it is one file.
        if (path == previous || path.substr(0, prefix.size()) != prefix ||
            (entry->flags_extended & GIT_INDEX_ENTRY_SKIP_WORKTREE) != 0) {
            continue;
        }
        previous = path;
        const std::string name = shown + std::string(path.substr(prefix.size()));
        if (entry->mode != GIT_FILEMODE_COMMIT) {
            names.push_back(name);
            continue;
        }
        // A submodule not checked out has no repository in its folder: nothing of it counts.
        const std::string folder = std::string(workdir) + std::string(path) + "/";
        git_repository* sub = nullptr;
        if (git_repository_open(&sub, folder.c_str()) != 0) {
            continue;
        }
        const RepositoryPtr owned(sub);
        const GitStatus status = AddTracked(sub, folder, {}, name + "/", names, error);
        if (status != GitStatus::Ok) {
            return status;
        }
    }
    return GitStatus::Ok;
}

}  // namespace

GitStatus ListTrackedFiles(const std::string& root, std::vector<std::string>& names,
                           std::string& error)
{
    names.clear();
    GitStatus status = GitStatus::Ok;
    {
        WorkTree tree;
        status = OpenWorkTree(root, tree, error);
        if (status == GitStatus::Ok) {
            status = AddTracked(tree.repository.get(), tree.workdir, tree.prefix, {}, names, error);
        }
    }
    ReleaseFreedMemory();
    return status;
}

}  // namespace lintally::gitsel
