#include "results/CountHtml.h"

#include <algorithm>

#include "results/HtmlCharts.h"
#include "results/HtmlPage.h"
#include "results/JsonCsv.h"
#include "results/RowOrder.h"

namespace lintally::results {

namespace {

constexpr std::size_t kLanguageBars = 20;  // past these the rest make one bar
constexpr unsigned kTreeLevels = 3;
constexpr std::size_t kTreeWidth = 16;

std::vector<ChartItem> LanguageBars(const scan::RowList& rows, std::uint32_t flags)
{
    std::vector<scan::GroupRow> languages = GroupFiles(rows, scan::Grouping{}, flags);
    std::stable_sort(languages.begin(), languages.end(),
                     [](const auto& a, const auto& b) { return a.kinds.code > b.kinds.code; });
    std::vector<ChartItem> items;
    scan::GroupRow rest;
    std::size_t restCount = 0;
    for (std::size_t i = 0; i < languages.size(); ++i) {
        if (languages.size() > kLanguageBars && i + 1 >= kLanguageBars) {
            rest += languages[i];
            ++restCount;
            continue;
        }
        if (languages[i].kinds.code > 0) {
            const scan::GroupRow& group = languages[i];
            items.push_back({group.name,
                             group.kinds.code,
                             {{"Files", group.files},
                              {"Comment", group.kinds.comment},
                              {"Blank", group.kinds.blank}}});
        }
    }
    if (restCount > 0 && rest.kinds.code > 0) {
        items.push_back({std::to_string(restCount) + " more languages",
                         rest.kinds.code,
                         {{"Files", rest.files},
                          {"Comment", rest.kinds.comment},
                          {"Blank", rest.kinds.blank}}});
    }
    return items;
}

std::string Subtitle(const CountOutputOptions& options)
{
    std::string text;
    for (const std::string& root : options.roots) {
        text.append(text.empty() ? "" : ", ").append(root);
    }
    if (!options.revision.empty()) {
        text.append(" at ").append(options.revision);
        text.append(" (").append(options.commit.substr(0, 12)).append(")");
    }
    return text;
}

void AppendNumbers(std::string& out, std::uint64_t files, const PrjHelper::LineBreakdown& kinds)
{
    for (const std::uint64_t value :
         {files, kinds.Physical(), kinds.code, kinds.comment, kinds.blank}) {
        out.append(", ").append(std::to_string(value));
    }
    out.append("]");
}

void WriteTable(const CountOutputOptions& options, scan::ScanResult& result, HtmlPage& page)
{
    const bool perFile = options.by.perFile;
    std::vector<HtmlColumn> columns{{GroupingHeading(options.by)},
                                    {perFile ? "Language" : "Files"}};
    columns.back().number = !perFile;
    for (const char* label : {"Lines", "Code", "Comment", "Blank"}) {
        columns.push_back({label, true});
    }
    page.StartTable(columns);
    if (perFile) {
        OrderRows(result, options.sort, options.top);
        for (const scan::RowView row : result.rows) {
            std::string json = "[";
            json.append(JsonText(row.name)).append(", ");
            json.append(JsonText(scan::GroupName(scan::Grouping{}, row.name, row.lang)));
            for (const std::uint64_t value :
                 {row.kinds.Physical(), row.kinds.code, row.kinds.comment, row.kinds.blank}) {
                json.append(", ").append(std::to_string(value));
            }
            page.AddRow(json.append("]"));
        }
    } else {
        scan::ScanResult grouped;
        grouped.groups =
            GroupFiles(result.rows, options.by.grouping, options.settings.CountFlags());
        OrderRows(grouped, options.sort, options.top);
        for (const scan::GroupRow& group : grouped.groups) {
            std::string json = "[";
            json.append(JsonText(group.name));
            AppendNumbers(json, group.files, group.kinds);
            page.AddRow(json);
        }
    }
    std::string total = "[\"Total\"";
    AppendNumbers(total, result.files, result.kinds);
    page.Finish(perFile ? "" : total);
}

}  // namespace

void WriteCountHtml(const CountOutputOptions& options, scan::ScanResult& result, TextOut& text)
{
    const auto count = [](std::uint64_t value) { return static_cast<std::int64_t>(value); };
    HtmlPage page(text, "count", "Lines of code", Subtitle(options),
                  {{"Files", count(result.files)},
                   {"Code lines", count(result.kinds.code)},
                   {"Comment lines", count(result.kinds.comment)},
                   {"Blank lines", count(result.kinds.blank)}});
    page.AddChart(BarsChart("Code by language", "Code",
                            LanguageBars(result.rows, options.settings.CountFlags())));
    page.AddChart(
        TreemapChart("Code by folder", BuildFolderTree(result.rows, kTreeLevels, kTreeWidth)));
    WriteTable(options, result, page);
}

}  // namespace lintally::results
