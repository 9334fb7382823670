// `lintally-cli merge COUNT.json...`: sums counts saved by `-f json` (with their files, made
// with the same options, of distinct files) into one count, written as a count is: a table
// by default, `-f json` a saved count that merge and diff read again (see CountMerge.h).
//
// Functions of main's thread.
#pragma once

#include <string>

#include "cli/CliOptions.h"

namespace CLI {
class App;
}

namespace lintally::cli {

inline constexpr const char* kMergeDescription =
    "Sums counts saved by -f json (of distinct files, made with the same options) into one "
    "count, as a count of all their ROOTs would be: the parts of a sharded count.";

// Adds merge's options to its command; the saved counts go into options.roots.
void DefineMergeCommand(CLI::App& merge, CliOptions& options, bool& byGiven);
// After the parse: the defaults taken; what is wrong, or an empty text.
[[nodiscard]] std::string FinishMergeOptions(CliOptions& options, bool byGiven);

// Reads, sums and writes; the exit status.
[[nodiscard]] int RunMerge(CliOptions& options);

}  // namespace lintally::cli
