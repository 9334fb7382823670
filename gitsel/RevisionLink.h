// Following a symbolic link of a revision inside the revision's tree, as the system would
// follow it in a checkout: its target taken from the link's folder, "." and ".." resolved,
// further links followed up to a limit.
//
// Stateless functions over a repository that one thread uses at a time.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include <git2.h>

namespace lintally::gitsel {

// The path under the tree's top that target names from a link at linkPath (both with '/'
// between parts); none when it is absolute, empty, holds a NUL or climbs above the top.
[[nodiscard]] std::optional<std::string> LinkTargetPath(std::string_view linkPath,
                                                        std::string_view target);

// The blob of the file that the link at linkPath (whose own blob is link) leads to within
// top; none when it leads to a folder, out of the tree, in a loop or nowhere.
[[nodiscard]] std::optional<git_oid> FollowLink(git_repository* repository, git_tree* top,
                                                std::string linkPath, git_oid link);

}  // namespace lintally::gitsel
