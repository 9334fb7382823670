// `lintally-cli diff OLD NEW`: counts or reads both sides alike, pairs their files, compares
// the code lines of the files both hold when their texts can be read, and writes the
// difference by group or by file.
//
// Runs on main's thread (the counts and the line comparison use threads of their own).
#pragma once

#include "cli/DiffSide.h"

namespace lintally::cli {

// argv[0] is "diff". count counts a folder as the count command does. Returns the exit
// status (see the footer of `diff --help`).
[[nodiscard]] int RunDiff(int argc, const char* const* argv, CountFolders count);

}  // namespace lintally::cli
