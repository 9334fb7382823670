// The code lines and files of a count's folders as a tree, a few levels deep and a few
// folders wide, for a treemap: every file adds to the folders on its path; the files that
// lie in a folder that also has sub-folders shown make a child named "."; past the widest
// children a folder keeps, the rest are summed into one child named "N more".
//
// Plain values and a pure function; any thread may call it on rows it owns.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "scan/RowList.h"

namespace lintally::results {

struct FolderNode
{
    std::string name;  // one path part; "." for the root
    std::uint64_t code = 0;
    std::uint64_t files = 0;
    std::vector<FolderNode> children;  // code largest first, ties by name; none with no code
};

// The tree of rows' folders down to levels levels under the root, each folder keeping its
// width children with the most code (the last of them the "N more" sum when any are left).
[[nodiscard]] FolderNode BuildFolderTree(const scan::RowList& rows, unsigned levels,
                                         std::size_t width);

}  // namespace lintally::results
