// The counts of a history, one row per commit: its id, its date and, per group and in all,
// its files and lines. The one form every view of a history reads (the table, CSV and JSON
// printers), made from each commit's count as it ends.
//
// Plain values and pure functions; any thread may call them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "scan/CountSettings.h"
#include "scan/ScanResult.h"

namespace lintally::results {

// Files and lines of a group or of a whole commit; counted are the lines that count under
// the options, physical every line.
struct HistoryCounts
{
    std::uint64_t files = 0;
    std::uint64_t code = 0;
    std::uint64_t comment = 0;
    std::uint64_t blank = 0;
    std::uint64_t physical = 0;
    std::uint64_t counted = 0;

    friend bool operator==(const HistoryCounts&, const HistoryCounts&) = default;
};

struct HistoryGroup
{
    std::string name;
    HistoryCounts counts;

    friend bool operator==(const HistoryGroup&, const HistoryGroup&) = default;
};

struct HistoryRow
{
    std::string commit;  // 40 hex digits
    std::string date;    // the committer's, ISO 8601 in its own zone: 2024-05-01T09:30:00+02:00
    std::vector<HistoryGroup> groups;  // in name order
    HistoryCounts total;
};

struct HistoryRows
{
    std::string root;
    std::string rev;     // as given
    std::string commit;  // what rev resolved to
    std::string by;      // the grouping as --by takes it
    scan::CountSettings settings;
    std::vector<HistoryRow> rows;  // in the order asked for
    bool complete = true;          // false: an interrupt ended the history early
    bool oldestFirst = false;      // the order of rows
};

// The row of a commit's count (grouped; lines counted under flags).
[[nodiscard]] HistoryRow MakeHistoryRow(std::string commit, std::string date,
                                        const scan::ScanResult& result, std::uint32_t flags);

// seconds since 1970 UTC in the zone offset minutes east of UTC, as ISO 8601 with the offset.
[[nodiscard]] std::string IsoDateTime(std::int64_t seconds, int offset);

}  // namespace lintally::results
