#include "gitsel/TrackedFiles.h"

#include <fstream>
#include <memory>
#include <string_view>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "fileio/PathSeparator.h"
#include "gitsel/IndexFile.h"
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

GitStatus AddTracked(git_repository* repository, std::string_view workdir, std::string_view prefix,
                     const std::string& shown, std::vector<std::string>& names, std::string& error);

// Takes a repository's index entries in order and adds the files among them; one object per
// reading of an index.
class TrackedAdder
{
public:
    TrackedAdder(std::string_view workdir, std::string_view prefix, const std::string& shown,
                 std::vector<std::string>& names, std::string& error)
        : m_workdir(workdir), m_prefix(prefix), m_shown(shown), m_names(names), m_error(error)
    {}

    void Add(std::string_view path, std::uint32_t mode, bool skipWorktree)
    {
        // A path in conflict is listed once per side; it is one file.
        if (m_status != GitStatus::Ok || path == m_previous ||
            path.substr(0, m_prefix.size()) != m_prefix || skipWorktree) {
            return;
        }
        m_previous.assign(path);
        std::string name = m_shown + Brim::WithPathSeparator(path.substr(m_prefix.size()));
        if (mode != GIT_FILEMODE_COMMIT) {
            m_names.push_back(std::move(name));
            return;
        }
        // A submodule not checked out has no repository in its folder: nothing of it counts.
        const std::string folder = std::string(m_workdir) + std::string(path) + "/";
        git_repository* sub = nullptr;
        if (git_repository_open(&sub, folder.c_str()) != 0) {
            return;
        }
        const RepositoryPtr owned(sub);
        m_status = AddTracked(sub, folder, {}, name + Brim::kPathSeparator, m_names, m_error);
    }

    [[nodiscard]] GitStatus Status() const { return m_status; }

private:
    std::string_view m_workdir;
    std::string_view m_prefix;
    const std::string& m_shown;
    std::vector<std::string>& m_names;
    std::string& m_error;
    std::string m_previous;
    GitStatus m_status = GitStatus::Ok;
};

// The index file's bytes; false when it cannot be read whole.
bool ReadIndexFile(git_repository* repository, std::string& bytes)
{
    const std::string path = std::string(git_repository_path(repository)) + "index";
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    const std::streamoff size = in ? static_cast<std::streamoff>(in.tellg()) : -1;
    if (size < 0) {
        return false;
    }
    bytes.resize(static_cast<std::size_t>(size));
    in.seekg(0);
    return static_cast<bool>(in.read(bytes.data(), size));
}

// The same through libgit2, for the index files ReadIndexEntries does not read; damaged: the
// file was read and ReadIndexEntries refused it.
GitStatus AddTrackedThroughLibrary(git_repository* repository, std::string_view workdir,
                                   std::string_view prefix, const std::string& shown,
                                   std::vector<std::string>& names, bool damaged,
                                   std::string& error)
{
    git_index* opened = nullptr;
    if (git_repository_index(&opened, repository) != 0) {
        // Bytes neither reader takes are a damaged index, whatever libgit2 guesses.
        error = "cannot read the git index of " + std::string(workdir) + ": " +
                (damaged ? std::string(git_repository_path(repository)) +
                               "index is damaged (cut short or overwritten): it is not a git index"
                         : LastGitError("unknown error"));
        return GitStatus::Failed;
    }
    const std::unique_ptr<git_index, IndexFree> index(opened);
    TrackedAdder adder(workdir, prefix, shown, names, error);
    const std::size_t count = git_index_entrycount(index.get());
    for (std::size_t i = 0; i < count; ++i) {
        const git_index_entry* entry = git_index_get_byindex(index.get(), i);
        adder.Add(entry->path, entry->mode,
                  (entry->flags_extended & GIT_INDEX_ENTRY_SKIP_WORKTREE) != 0);
    }
    return adder.Status();
}

// Adds the tracked files of repository whose path in it begins with prefix, named by the
// rest of their path after shown; a submodule's files through its own index.
GitStatus AddTracked(git_repository* repository, std::string_view workdir, std::string_view prefix,
                     const std::string& shown, std::vector<std::string>& names, std::string& error)
{
    std::string bytes;
    const bool read = ReadIndexFile(repository, bytes);
    if (read) {
        const std::size_t mark = names.size();
        TrackedAdder adder(workdir, prefix, shown, names, error);
        if (ReadIndexEntries(bytes, [&adder](const IndexEntry& entry) {
                adder.Add(entry.path, entry.mode, entry.skipWorktree);
            })) {
            return adder.Status();
        }
        names.resize(mark);
        error.clear();
    }
    return AddTrackedThroughLibrary(repository, workdir, prefix, shown, names, read, error);
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
