// `lintally-cli diff OLD NEW`: counts or reads both sides alike, pairs their files, compares
// the code lines of the files both hold when their texts can be read, and writes the
// difference by group or by file.
//
// Runs on main's thread (the counts and the line comparison use threads of their own).
#pragma once

#include "cli/DiffOptions.h"

namespace lintally::cli {

// Returns the exit status (see the footer of `diff --help`).
[[nodiscard]] int RunDiff(const DiffOptions& options);

}  // namespace lintally::cli
