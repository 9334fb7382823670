// The command line's output: the scan's result in the chosen format, written to standard
// output or, replaced atomically, to a file.
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

enum class WriteStatus
{
    Written,
    PipeClosed,  // the reader of standard output went away; not an error
    Failed,
};

// Writes bytes to fd until all are written; error names the reason on failure.
[[nodiscard]] WriteStatus WriteToDescriptor(int fd, std::string_view bytes, std::string& error);

}  // namespace lintally::cli
