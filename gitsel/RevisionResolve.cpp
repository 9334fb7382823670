#include "gitsel/RevisionResolve.h"

#include <vector>

#include "gitsel/ObjectGuard.h"
#include "gitsel/PackIndex.h"

namespace lintally::gitsel {

namespace {

// The references a short name stands for, in the order git tries them; more than one makes
// the name ambiguous (git warns and takes the first; a count would silently pick one).
std::vector<std::string> RefsNamed(git_repository* repository, const std::string& rev)
{
    std::vector<std::string> found;
    for (const char* form : {"%s", "refs/%s", "refs/tags/%s", "refs/heads/%s", "refs/remotes/%s",
                             "refs/remotes/%s/HEAD"}) {
        std::string name = form;
        name.replace(name.find("%s"), 2, rev);
        git_reference* reference = nullptr;
        int valid = 0;
        if (git_reference_name_is_valid(&valid, name.c_str()) == 0 && valid != 0 &&
            git_reference_lookup(&reference, repository, name.c_str()) == 0) {
            git_reference_free(reference);
            found.push_back(std::move(name));
        }
    }
    return found;
}

}  // namespace

std::string DamagedPackNote(git_repository* repository)
{
    const std::vector<std::string> packs = DamagedPacks(ObjectsFolder(repository));
    return packs.empty() ? std::string()
                         : "the pack " + packs.front() +
                               " is damaged (cut short or changed: it no longer ends as its "
                               "index says), so none of its objects can be read";
}

GitStatus OpenRepository(const std::string& root, WorkTree& tree, std::string& error)
{
    const GitStatus status = OpenWorkTree(root, tree, error);
    if (status != GitStatus::NotAWorkTree) {
        return status;
    }
    git_repository* bare = nullptr;
    if (git_repository_open_bare(&bare, root.c_str()) != 0) {
        error = root + " is not in a git repository";
        return GitStatus::NotAWorkTree;
    }
    tree.repository.reset(bare);
    (void)GuardObjects(bare);
    tree.workdir.clear();
    tree.prefix.clear();
    return GitStatus::Ok;
}

GitStatus Resolve(git_repository* repository, const std::string& rev, ObjectPtr& commit,
                  TreePtr& tree, std::string& error)
{
    if (const std::vector<std::string> names = RefsNamed(repository, rev); names.size() > 1) {
        error = "revision '" + rev + "' is ambiguous: it names " + names[0] + " and " + names[1] +
                "; give the full name of the one to count";
        return GitStatus::Failed;
    }
    git_object* found = nullptr;
    const int code = git_revparse_single(&found, repository, rev.c_str());
    if (code == GIT_ENOTFOUND || code == GIT_EINVALIDSPEC) {
        const std::string damaged = DamagedPackNote(repository);
        error = damaged.empty() ? "unknown revision '" + rev + "'"
                                : "cannot read revision '" + rev + "': " + damaged;
        return GitStatus::Failed;
    }
    if (code != 0) {
        error = "cannot resolve revision '" + rev + "': " + LastGitError("unknown error");
        return GitStatus::Failed;
    }
    const ObjectPtr object(found);
    git_object* peeled = nullptr;
    if (git_object_peel(&peeled, object.get(), GIT_OBJECT_COMMIT) != 0) {
        error = "revision '" + rev + "' names no commit";
        return GitStatus::Failed;
    }
    commit.reset(peeled);
    git_tree* top = nullptr;
    if (git_commit_tree(&top, reinterpret_cast<git_commit*>(peeled)) != 0) {
        error = "cannot read the tree of revision '" + rev + "': " + LastGitError("unknown error");
        return GitStatus::Failed;
    }
    tree.reset(top);
    return GitStatus::Ok;
}

}  // namespace lintally::gitsel
