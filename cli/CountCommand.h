// `lintally-cli [ROOT...]`: plans the selection, counts the ROOTs and writes the result in
// the chosen format; the folders that could not be read are named on standard error.
//
// Runs on main's thread (the count uses threads of its own).
#pragma once

#include "cli/CliOptions.h"
#include "scan/ScanResult.h"

namespace lintally::cli {

// Returns the exit status: 0 done, 1 the output could not be written, 2 a selection that
// cannot be planned, 3 done but some folders could not be read, 128 + N interrupted by
// signal N.
[[nodiscard]] int RunCount(CliOptions& options);

// One line per folder of result that could not be read, then how many there were: the rows
// and total leave them out, and nothing else would tell.
void ReportSkipped(const scan::ScanResult& result);

}  // namespace lintally::cli
