// What one scan found: its rows in list order (or, when it grouped, its group sums in name
// order), the totals of every counted file, the folders it could not go into, how many
// entries it left out for each reason, and whether a stop request ended it early (the rows
// are then those counted up to the stop).
//
// A plain value owned by the caller.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "linecount/LineBreakdown.h"
#include "scan/Grouping.h"
#include "scan/RowList.h"
#include "scan/Selection.h"

namespace lintally::scan {

// A folder the walk could not read: its relative name (the root as given for the root) and
// the system's reason.
struct SkippedFolder
{
    std::string name;
    std::string reason;
};

struct ScanResult
{
    RowList rows;                        // empty when the scan grouped
    std::vector<GroupRow> groups;        // empty when it did not
    std::vector<SkippedFolder> skipped;  // in the order the walk met them
    SkipCounts skips;
    std::uint64_t total = 0;  // lines that count, over every file
    std::uint64_t files = 0;
    PrjHelper::LineBreakdown kinds;  // every file's lines by kind, embedded lines too
    std::uint64_t complexity = 0;    // every file's branch tokens (see BranchCount.h)
    bool stopped = false;
};

}  // namespace lintally::scan
