// How a question put to a git repository ended.
#pragma once

namespace lintally::gitsel {

enum class GitStatus
{
    Ok,
    NotAWorkTree,  // the folder lies in no git work tree
    Failed,        // a repository was found but could not be read
};

}  // namespace lintally::gitsel
