// The charts of a page as the JSON objects HtmlPage takes, one function per kind of chart:
// bars (one number per name), split bars (added and removed per name), a treemap of
// folders and a stacked area over points in time. Names are any bytes (made valid UTF-8).
//
// Pure functions; any thread may call them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "results/FolderTree.h"

namespace lintally::results {

// A named number, with more numbers its tooltip shows under it.
struct ChartItem
{
    std::string name;
    std::uint64_t value = 0;
    std::vector<std::pair<std::string, std::uint64_t>> tips;
};

struct SplitItem
{
    std::string name;
    std::uint64_t added = 0;
    std::uint64_t removed = 0;
};

// One series of a stacked area: a number at each point.
struct AreaSeries
{
    std::string name;
    std::vector<std::uint64_t> values;
};

// unit names the value in tooltips ("Code").
[[nodiscard]] std::string BarsChart(std::string_view title, std::string_view unit,
                                    const std::vector<ChartItem>& items);
[[nodiscard]] std::string SplitChart(std::string_view title, const std::vector<SplitItem>& items);
// Cells sized by each folder's code; tooltips add its files.
[[nodiscard]] std::string TreemapChart(std::string_view title, const FolderNode& root);
// labels name the points in order (dates); notes, when not empty, add to each (commit ids).
// Every series has a value at each point.
[[nodiscard]] std::string AreaChart(std::string_view title, std::string_view unit,
                                    const std::vector<std::string>& labels,
                                    const std::vector<std::string>& notes,
                                    const std::vector<AreaSeries>& series);

}  // namespace lintally::results
