// What only a POSIX test tree holds: pipes, symbolic links, and whether permissions bind
// the test at all.
//
// Free functions over a TempFolder; used from the test thread only.
#pragma once

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "tests/support/TempFolder.h"

namespace lintally::testing {

inline void MakeLink(const TempFolder& tree, const std::string& relative, const std::string& target)
{
    std::filesystem::create_symlink(target, tree.Path(relative));
}

inline bool MakeFifo(const TempFolder& tree, const std::string& relative)
{
    return mkfifo(tree.Path(relative).c_str(), 0644) == 0;
}

// Permissions do not stop root, so tests of unreadable files only mean something without it.
inline bool RunningAsRoot()
{
    return geteuid() == 0;
}

}  // namespace lintally::testing
