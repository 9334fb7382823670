// The command line of `lintally-cli diff OLD NEW` (or `diff --old-rev A --new-rev B [ROOT]`):
// the counting options of a count (both sides are counted alike), the output's format and
// grouping, and --fail-if-grows.
//
// Plain values and a parse function; used by main's thread only.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>

#include "cli/CliOptions.h"
#include "cli/DiffSide.h"

namespace lintally::cli {

struct DiffOptions
{
    CliOptions count;  // how a folder side is counted, and what a saved count must match
    SideRequest before;
    SideRequest after;
    OutputFormat format = OutputFormat::Table;
    RowGrouping by;  // by language for a table; by file for JSON and CSV unless --by is given
    std::string outputPath;
    std::optional<std::uint64_t> failIfGrows;  // lines of growth allowed in the counted total
};

[[nodiscard]] ParseOutcome ParseDiffCommandLine(int argc, const char* const* argv,
                                                DiffOptions& options, std::ostream& out,
                                                std::ostream& err);

}  // namespace lintally::cli
