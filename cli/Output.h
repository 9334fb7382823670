// The command line's output: the scan's result in the chosen format (written by main to
// standard output through cli/System.h or, replaced atomically, to a file).
//
// Functions of main's thread.
#pragma once

#include <string>

#include "cli/CliOptions.h"
#include "scan/ScanResult.h"

namespace lintally::cli {

// result's rows and groups may be reordered and cut by --sort and --top.
[[nodiscard]] std::string FormatOutput(const CliOptions& cli, scan::ScanResult& result);

}  // namespace lintally::cli
