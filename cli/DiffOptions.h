// The command line of `lintally-cli diff OLD NEW` (or `diff --old-rev A --new-rev B [ROOT]`):
// the counting options of a count (both sides are counted alike), the output's format and
// grouping, and --fail-if-grows.
//
// Plain values and a parse function; used by main's thread only.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/CliOptions.h"
#include "cli/DiffSide.h"

namespace CLI {
class App;
}

namespace lintally::cli {

struct DiffOptions
{
    CliOptions count;  // how a folder side is counted, and what a saved count must match
    SideRequest before;
    SideRequest after;
    OutputFormat format = OutputFormat::Table;
    RowGrouping by;  // by language for a table; by file for JSON and CSV unless --by is given
    SortKey sort = SortKey::Default;
    std::size_t top = 0;  // 0: every row
    std::string outputPath;
    std::optional<std::uint64_t> failIfGrows;  // lines of growth allowed in the counted total
};

// What the parse of diff collects before the options are placed.
struct DiffArguments
{
    // OLD and NEW, or the ROOT of the revisions as OLD. Two positionals: a "--" before NEW
    // stays diff's while NEW is still to come.
    std::string oldSide;
    std::vector<std::string> newSides;
    bool byGiven = false;
};

inline constexpr const char* kDiffDescription =
    "Compares two counts of a project: for each group the code, comment, blank and counted "
    "lines before and after, and the files added, removed and changed.";

// Adds diff's options to its command.
void DefineDiffCommand(CLI::App& diff, DiffOptions& options, DiffArguments& arguments);
// After the parse: the sides placed and the defaults taken; what is wrong, or an empty text.
[[nodiscard]] std::string FinishDiffOptions(const CLI::App& diff, DiffOptions& options,
                                            const DiffArguments& arguments);

}  // namespace lintally::cli
