// `lintally-cli [ROOT...]`: plans the selection, counts the ROOTs and writes the result in
// the chosen format; the folders that could not be read are named on standard error.
//
// Runs on main's thread (the count uses threads of its own).
#pragma once

#include "cli/CliOptions.h"

namespace lintally::cli {

// Returns the exit status: 0 done, 1 the output could not be written, 2 a selection that
// cannot be planned, 3 done but some folders could not be read, 128 + N interrupted by
// signal N.
[[nodiscard]] int RunCount(CliOptions& options);

}  // namespace lintally::cli
