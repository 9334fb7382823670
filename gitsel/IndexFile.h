// The entry table of a git index file (versions 2, 3 and 4), read straight from its bytes.
//
// libgit2 reads the whole file, checks its SHA-1 and builds an entry object for every path
// before it hands out the first; a count only needs the paths, their modes and flags, and
// this reads them in one pass over the bytes. Files it cannot read exactly (another version,
// a split index whose entries live in a second file, a sparse index's folder entries, bytes
// cut short) are refused, and the caller reads them through libgit2 instead.
//
// Pure functions over bytes the caller owns; any thread may call them.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

namespace lintally::gitsel {

struct IndexEntry
{
    std::string_view path;  // '/'-separated, valid only during the call that gives it
    std::uint32_t mode = 0;
    unsigned stage = 0;         // 0, or 1 to 3 for the sides of a conflict
    bool skipWorktree = false;  // left out of the work tree (sparse checkout)
};

// Calls visit for each entry in the file's order. False (having called visit for none or
// some) when bytes are not an index this reader reads exactly.
[[nodiscard]] bool ReadIndexEntries(std::string_view bytes,
                                    const std::function<void(const IndexEntry&)>& visit);

}  // namespace lintally::gitsel
