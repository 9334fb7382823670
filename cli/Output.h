// The command line's output: the scan's result in the chosen format (written by main to
// standard output through cli/System.h or, replaced atomically, to a file).
//
// Functions of main's thread.
#pragma once

#include "cli/CliOptions.h"
#include "results/TextOut.h"
#include "scan/ScanResult.h"

namespace lintally::cli {

// Writes the output to text as it goes. result's rows and groups may be reordered and cut
// by --sort and --top; a second call writes the same text again.
void WriteOutput(const CliOptions& cli, scan::ScanResult& result, results::TextOut& text);

}  // namespace lintally::cli
