// The command line of `lintally-cli history [ROOT]`: the counting options of a count that
// make sense for a revision, the output's format and grouping, the revision whose history
// is counted and which of its commits.
//
// Plain values and a parse function; used by main's thread only.
#pragma once

#include <string>

#include "cli/CliOptions.h"
#include "cli/HistorySample.h"

namespace CLI {
class App;
}

namespace lintally::cli {

struct HistoryOptions
{
    CliOptions count;  // how each commit is counted, the format, grouping and output
    std::string rev = "HEAD";
    HistorySampling sampling;
};

// What the parse of history collects before the options are placed.
struct HistoryArguments
{
    std::string since;
    std::string until;
    bool byGiven = false;
};

inline constexpr const char* kHistoryDescription =
    "Counts the commits of a git revision's first-parent history, each as --rev counts it: "
    "how the code grew, and in which languages.";

// Adds history's options to its command.
void DefineHistoryCommand(CLI::App& history, HistoryOptions& options, HistoryArguments& arguments);
// After the parse: the defaults taken; what is wrong, or an empty text.
[[nodiscard]] std::string FinishHistoryOptions(const CLI::App& history, HistoryOptions& options,
                                               const HistoryArguments& arguments);

}  // namespace lintally::cli
