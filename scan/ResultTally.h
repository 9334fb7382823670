// What a scan keeps of each counted file while it runs: the file's row, or only its share of
// a group's sums, and the totals either way.
//
// Owned by one counting thread; the shares of several are merged once at the end.
#pragma once

#include <string_view>

#include "scan/FileCount.h"
#include "scan/Grouping.h"
#include "scan/ScanResult.h"

namespace lintally::scan {

class ResultTally
{
public:
    // grouping null: keep one row per file.
    explicit ResultTally(const Grouping* grouping) : m_grouping(grouping) {}

    // A met file, counted with flags. A file left out for what it holds only adds to the skip
    // counts; an unreadable one keeps its row as well. Its embedded parts add to the totals;
    // grouped by language, each adds to its own language's group (with no file), grouped
    // otherwise, to the file's group.
    void Add(std::string_view relativeName, const FileLines& file, std::uint32_t flags);

    // Moves this tally's rows or groups and totals into result (the rows unsorted).
    void MoveInto(ScanResult& result);

private:
    const Grouping* m_grouping;
    RowList m_rows;
    GroupTable m_groups;
    std::uint64_t m_total = 0;
    std::uint64_t m_files = 0;
    std::uint64_t m_complexity = 0;
    PrjHelper::LineBreakdown m_kinds;
    SkipCounts m_skips;
};

// Sorts result's rows into list order and its groups into name order: call once, after the
// last MoveInto.
void FinishResult(ScanResult& result);

}  // namespace lintally::scan
