// `lintally-cli history [ROOT]`: counts the chosen commits of a revision's first-parent
// history (see gitsel/History.h) and writes one row per commit in the chosen format; the
// files and submodules that could not be read are named on standard error.
//
// Runs on main's thread (the counts use threads of their own).
#pragma once

#include "cli/HistoryOptions.h"

namespace lintally::cli {

// Returns the exit status: 0 done, 1 the output could not be written, 2 a history that
// cannot be opened, 3 done but some files or submodules could not be read, 128 + N
// interrupted by signal N (the commits counted so far are written when -o was given).
[[nodiscard]] int RunHistory(HistoryOptions& options);

}  // namespace lintally::cli
