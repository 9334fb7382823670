// Opening the repository that holds a folder (a work tree's, or a bare repository) and
// resolving a revision's name in it to a commit, as git resolves it, refusing a name that
// is both a tag and a branch.
//
// Functions over a repository that one thread uses at a time.
#pragma once

#include <string>

#include "gitsel/GitObjects.h"
#include "gitsel/GitStatus.h"
#include "gitsel/WorkTree.h"

namespace lintally::gitsel {

// Why objects that should be there are not: a pack that no longer matches its index (libgit2
// then leaves the whole pack out); "" when every pack is whole.
[[nodiscard]] std::string DamagedPackNote(git_repository* repository);

// Opens the repository that holds root: a work tree's, or a bare one at root itself.
[[nodiscard]] GitStatus OpenRepository(const std::string& root, WorkTree& tree, std::string& error);

// The commit rev names, and its tree.
[[nodiscard]] GitStatus Resolve(git_repository* repository, const std::string& rev,
                                ObjectPtr& commit, TreePtr& tree, std::string& error);

}  // namespace lintally::gitsel
