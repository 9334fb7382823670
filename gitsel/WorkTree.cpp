#include "gitsel/WorkTree.h"

#include <filesystem>
#include <system_error>

#include "fileio/JoinPath.h"
#include "fileio/PathSeparator.h"
#include "fileio/RealPath.h"
#include "gitsel/ObjectGuard.h"

namespace lintally::gitsel {

namespace {

// The folder's path with every link and ".." resolved and a separator after it, so it
// compares with the work tree's.
bool RealFolder(const char* path, std::string& real)
{
    if (!Brim::RealPath(path, real)) {
        return false;
    }
    real = Brim::JoinPath(real, {});
    return true;
}

// Whether folder holds an entry of that name; true too when it cannot be told.
bool Holds(const std::filesystem::path& folder, const char* name)
{
    std::error_code code;
    const std::filesystem::file_status status =
        std::filesystem::symlink_status(folder / name, code);
    if (!code) {
        return std::filesystem::exists(status);
    }
    return code != std::errc::no_such_file_or_directory && code != std::errc::not_a_directory;
}

}  // namespace

bool MayBeInRepository(const std::string& folder)
{
    std::string real;
    if (!Brim::RealPath(folder, real)) {
        return true;
    }
    for (std::filesystem::path at(real);; at = at.parent_path()) {
        if (Holds(at, ".git") || Holds(at, "HEAD")) {
            return true;
        }
        if (at == at.parent_path()) {
            return false;
        }
    }
}

std::string NotInWorkTree(const std::string& folder)
{
    return folder + " is not in a git work tree";
}

std::string LastGitError(const char* fallback)
{
    const git_error* error = git_error_last();
    return error != nullptr && error->message != nullptr ? std::string(error->message)
                                                         : std::string(fallback);
}

GitStatus OpenWorkTree(const std::string& folder, WorkTree& tree, std::string& error)
{
    const std::string notATree = NotInWorkTree(folder);
    git_repository* opened = nullptr;
    const int code = git_repository_open_ext(&opened, folder.c_str(), 0, nullptr);
    if (code == GIT_ENOTFOUND) {
        error = notATree;
        return GitStatus::NotAWorkTree;
    }
    if (code != 0) {
        error =
            "cannot open the git repository of " + folder + ": " + LastGitError("unknown error");
        return GitStatus::Failed;
    }
    tree.repository.reset(opened);
    (void)GuardObjects(opened);
    const char* workdir = git_repository_workdir(opened);
    std::string real;
    if (workdir == nullptr || !RealFolder(workdir, tree.workdir) ||
        !RealFolder(folder.c_str(), real) ||
        real.compare(0, tree.workdir.size(), tree.workdir) != 0) {
        error = notATree;
        return GitStatus::NotAWorkTree;
    }
    tree.prefix = Brim::WithSlashes(real.substr(tree.workdir.size()));
    // Inside the repository's own folder nothing is tracked or ignored: it is no work tree.
    if (tree.prefix.rfind(".git/", 0) == 0) {
        error = notATree;
        return GitStatus::NotAWorkTree;
    }
    return GitStatus::Ok;
}

}  // namespace lintally::gitsel
