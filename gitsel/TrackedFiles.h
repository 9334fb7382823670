// The files git tracks under a folder of a work tree, read from the repository's index; a
// checked-out submodule's files are listed through its own index, one that is not checked
// out is left out. Files of the index that the work tree leaves out (sparse checkout) are
// not listed.
//
// A stateless function; any thread may call it.
#pragma once

#include <string>
#include <vector>

#include "gitsel/GitStatus.h"

namespace lintally::gitsel {

// Replaces names with the tracked files under root, as paths relative to root (native
// separators), each once, in the index's order. Not Ok with error set to one line that says
// why (root outside any work tree, an unreadable index).
[[nodiscard]] GitStatus ListTrackedFiles(const std::string& root, std::vector<std::string>& names,
                                         std::string& error);

}  // namespace lintally::gitsel
