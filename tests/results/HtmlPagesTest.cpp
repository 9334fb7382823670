// What each kind of page carries: the count's languages, folders and rows, the diff's growth
// and shrinkage, the history's bands; checked on the JSON the page's script draws from.
#include "linecount/WideLanguages.h"
#include "results/CountHtml.h"
#include "results/DiffOutput.h"
#include "results/HistoryHtml.h"

#include <gtest/gtest.h>

#include "HtmlPageData.h"

using namespace lintally::results;
using namespace lintally::scan;
using nlohmann::json;

namespace {

std::int32_t Lang(const char* name)
{
    return PrjHelper::WideLanguageOfName(name);
}

json CountPage(RowGrouping by)
{
    ScanResult result;
    result.rows = {{"src/a.c", 13, {1, 2, 10}, Lang("a.c")},
                   {"src/b.h", 5, {0, 0, 5}, Lang("b.h")},
                   {"lib/c.c", 2, {0, 0, 2}, Lang("c.c")},
                   {"README.md", 7, {3, 0, 4}, Lang("README.md")}};
    result.files = 4;
    result.kinds = {4, 2, 21};
    CountOutputOptions options;
    options.format = OutputFormat::Html;
    options.by = by;
    options.roots = {"proj"};
    TextOut text;
    WriteCountOutput(options, result, text);
    return PageData(text.Take());
}

}  // namespace

TEST(CountHtml, ChartsSumEveryFileAndTheTableFollowsBy)
{
    const json page = CountPage({});
    EXPECT_EQ(page["subtitle"], "proj");
    EXPECT_EQ(page["facts"], json::parse(R"([["Files", 4, false], ["Code lines", 21, false],
        ["Comment lines", 2, false], ["Blank lines", 4, false]])"));
    const json& bars = page["charts"][0]["items"];
    ASSERT_EQ(bars.size(), 3u);
    EXPECT_EQ(bars[0], json::parse(R"({"name": "C", "value": 12,
        "tips": [["Files", 2], ["Comment", 2], ["Blank", 1]]})"));
    EXPECT_EQ(bars[1]["name"], "C/C++ Header");
    EXPECT_EQ(bars[2]["name"], "Markdown");
    const json& tree = page["charts"][1]["root"];
    EXPECT_EQ(tree["value"], 21);
    EXPECT_EQ(tree["children"][0]["name"], "src");
    EXPECT_EQ(tree["children"][0]["value"], 15);
    EXPECT_EQ(page["rows"][0], json::parse(R"(["C", 2, 15, 12, 2, 1])"));
    EXPECT_EQ(page["total"], json::parse(R"(["Total", 4, 27, 21, 2, 4])"));

    RowGrouping byFolder;
    byFolder.grouping = {GroupBy::Folder, 1};
    const json folders = CountPage(byFolder);
    EXPECT_EQ(folders["columns"][0]["label"], "Folder");
    EXPECT_EQ(folders["rows"][0], json::parse(R"(["src", 2, 18, 15, 2, 1])"));

    const json files = CountPage({true, {}});
    EXPECT_EQ(files["rows"].size(), 4u);
    EXPECT_EQ(files["rows"][0], json::parse(R"(["src/a.c", "C", 13, 10, 2, 1])"));
    EXPECT_FALSE(files.contains("total"));
}

TEST(DiffHtml, BarsShowCodeAddedAndRemovedByLanguageAndTheLargestFiles)
{
    const CountSide before{{{"a.c", 3, {1, 0, 2}, 0}, {"gone.md", 4, {0, 1, 3}, 1}},
                           {"C", "Markdown"}};
    CountSide after{{{"a.c", 5, {1, 1, 3}, 0}, {"new.c", 2, {0, 0, 9}, 0}}, {"C"}};
    const std::vector<FilePair> pairs = PairFiles(before.rows, after.rows);
    const auto diffPage = [&](const std::vector<LineChanges>* changes) {
        const CountDiff diff{before, after, pairs, changes};
        DiffRow total;
        const std::vector<DiffRow> groups = diff.GroupRows(Grouping{}, total);
        DiffSideLabel old;
        old.path = "old";
        DiffSideLabel now;
        now.path = "new";
        const bool lineChanges = changes != nullptr;
        const DiffReport report{old, now, diff,   groups, total, lineChanges, OutputFormat::Html,
                                {},  {},  nullptr};
        TextOut text;
        WriteDiff(report, text);
        return PageData(text.Take());
    };
    const std::vector<LineChanges> changes = {{2, 1}, {0, 3}, {9, 0}};
    for (const bool lineChanges : {true, false}) {
        const json page = diffPage(lineChanges ? &changes : nullptr);
        EXPECT_EQ(page["subtitle"], "old \xE2\x86\x92 new");
        const json& languages = page["charts"][0]["items"];
        const json& files = page["charts"][1]["items"];
        if (lineChanges) {
            EXPECT_EQ(languages, json::parse(R"([{"name": "C", "added": 11, "removed": 1},
                {"name": "Markdown", "added": 0, "removed": 3}])"));
            EXPECT_EQ(files[0], json::parse(R"({"name": "new.c", "added": 9, "removed": 0})"));
            EXPECT_EQ(files[1]["name"], "a.c");
            EXPECT_EQ(page["total"], json::parse(R"(["Total", 5, 12, 7, 11, -4, 1, 1, 1])"));
        } else {
            EXPECT_EQ(languages[0], json::parse(R"({"name": "C", "added": 10, "removed": 0})"));
            EXPECT_EQ(files[1], json::parse(R"({"name": "gone.md", "added": 0, "removed": 3})"));
            EXPECT_EQ(page["rows"][0], json::parse(R"(["C", 2, 12, 10, 1, 0, 1])"));
        }
    }
    // a.c too large to compare: its group and the total show no count, its bar the net change.
    const std::vector<LineChanges> unknown = {{0, 0, false}, {0, 3}, {9, 0}};
    const json page = diffPage(&unknown);
    EXPECT_EQ(page["total"], json::parse(R"(["Total", 5, 12, 7, null, null, 1, 1, 1])"));
    EXPECT_EQ(page["charts"][1]["items"][2],
              json::parse(R"({"name": "a.c", "added": 1, "removed": 0})"));
}

TEST(HistoryHtml, LeadingGroupsGetABandAndTheRestShareOne)
{
    HistorySeries series;
    for (int g = 0; g < 10; ++g) {
        series.groups.push_back(std::string("L").append(std::to_string(g)));
    }
    series.points = {{"2024-01-01", "aaaa", {1, 1, 1, 1, 1, 1, 1, 1, 1, 1}},
                     {"2024-02-01", "bbbb", {5, 1, 9, 2, 8, 3, 7, 4, 6, 0}}};
    TextOut text;
    WriteHistoryHtml(series, "proj", text);
    const json page = PageData(text.Take());
    const json& chart = page["charts"][0];
    EXPECT_EQ(chart["labels"], json::parse(R"(["2024-01-01", "2024-02-01"])"));
    EXPECT_EQ(chart["notes"], json::parse(R"(["aaaa", "bbbb"])"));
    ASSERT_EQ(chart["series"].size(), 8u);
    EXPECT_EQ(chart["series"][0], json::parse(R"({"name": "L2", "values": [1, 9]})"));
    EXPECT_EQ(chart["series"][7], json::parse(R"({"name": "3 more", "values": [3, 3]})"));
    EXPECT_EQ(page["facts"][1], json::parse(R"(["Code lines now", 45, false])"));
    EXPECT_EQ(page["facts"][2], json::parse(R"(["Code lines since the first", 35, true])"));
    EXPECT_EQ(page["rows"][0][0], "2024-02-01");
    EXPECT_EQ(page["rows"][0].back(), 45);
}
