#include "results/HistoryHtml.h"

#include <algorithm>
#include <numeric>

#include "results/HtmlCharts.h"
#include "results/HtmlPage.h"
#include "results/JsonCsv.h"

namespace lintally::results {

namespace {

constexpr std::size_t kBands = 8;  // past these the rest make one band

std::uint64_t CodeAt(const HistoryPoint& point, std::size_t group)
{
    return group < point.code.size() ? point.code[group] : 0;
}

// The bands, largest at the newest point first: the leading groups and one for the rest.
std::vector<AreaSeries> Bands(const HistorySeries& series)
{
    std::vector<std::size_t> order(series.groups.size());
    std::iota(order.begin(), order.end(), 0);
    if (!series.points.empty()) {
        const HistoryPoint& newest = series.points.back();
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            return CodeAt(newest, a) > CodeAt(newest, b);
        });
    }
    const bool folded = order.size() > kBands;
    const std::size_t shown = folded ? kBands - 1 : order.size();
    std::vector<AreaSeries> bands;
    for (std::size_t i = 0; i < shown; ++i) {
        bands.push_back({series.groups[order[i]], {}});
        for (const HistoryPoint& point : series.points) {
            bands.back().values.push_back(CodeAt(point, order[i]));
        }
    }
    if (folded) {
        bands.push_back({std::to_string(order.size() - shown) + " more", {}});
        for (const HistoryPoint& point : series.points) {
            std::uint64_t rest = 0;
            for (std::size_t i = shown; i < order.size(); ++i) {
                rest += CodeAt(point, order[i]);
            }
            bands.back().values.push_back(rest);
        }
    }
    return bands;
}

}  // namespace

void WriteHistoryHtml(const HistorySeries& series, std::string_view subtitle, TextOut& text)
{
    const std::vector<AreaSeries> bands = Bands(series);
    std::vector<std::uint64_t> totals(series.points.size(), 0);
    for (const AreaSeries& band : bands) {
        std::transform(totals.begin(), totals.end(), band.values.begin(), totals.begin(),
                       std::plus<>());
    }
    const std::int64_t newest = totals.empty() ? 0 : static_cast<std::int64_t>(totals.back());
    const std::int64_t oldest = totals.empty() ? 0 : static_cast<std::int64_t>(totals.front());
    HtmlPage page(text, "history", "Code over time", subtitle,
                  {{"Commits", static_cast<std::int64_t>(series.points.size())},
                   {"Code lines now", newest},
                   {"Code lines since the first", newest - oldest, true}});
    std::vector<std::string> dates;
    std::vector<std::string> commits;
    for (const HistoryPoint& point : series.points) {
        dates.push_back(point.date);
        commits.push_back(point.commit);
    }
    page.AddChart(AreaChart("Code by language over time", "Code", dates, commits, bands));
    std::vector<HtmlColumn> columns{{"Date"}, {"Commit"}};
    for (const AreaSeries& band : bands) {
        columns.push_back({band.name, true});
    }
    columns.push_back({"Code", true});
    page.StartTable(columns);
    for (std::size_t p = series.points.size(); p-- > 0;) {
        std::string row = "[";
        row.append(JsonText(dates[p])).append(", ").append(JsonText(commits[p]));
        for (const AreaSeries& band : bands) {
            row.append(", ").append(std::to_string(band.values[p]));
        }
        page.AddRow(row.append(", ").append(std::to_string(totals[p])).append("]"));
    }
    page.Finish("");
}

}  // namespace lintally::results
