// The command line's output: the scan's result in the chosen format (written by main to
// standard output through cli/System.h or, replaced atomically, to a file).
//
// Functions of main's thread.
#pragma once

#include <string>
#include <string_view>

#include "cli/CliOptions.h"
#include "scan/ScanResult.h"

namespace lintally::cli {

[[nodiscard]] std::string FormatOutput(OutputFormat format, std::string_view root,
                                       const scan::ScanResult& result);

}  // namespace lintally::cli
