// A history of counts as an HTML page: code by group (language) over time as a stacked area
// with every number on hover, key figures of the newest point, and a table of the points.
//
// Plain values and a function of the thread that owns the text.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "results/TextOut.h"

namespace lintally::results {

// One counted commit: its date, its id, and the code lines of each group (as many as the
// series has groups, in the same order).
struct HistoryPoint
{
    std::string date;
    std::string commit;
    std::vector<std::uint64_t> code;
};

// Points oldest first.
struct HistorySeries
{
    std::vector<std::string> groups;
    std::vector<HistoryPoint> points;
};

// The leading groups (most code at the newest point) get a band each; the rest share one.
void WriteHistoryHtml(const HistorySeries& series, std::string_view subtitle, TextOut& text);

}  // namespace lintally::results
