// A small diff written in each format: the sides' labels, one row per file or group with
// its status, old, new and signed change, the code lines added and removed, and the totals.
#include "results/DiffOrder.h"
#include "results/DiffOutput.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace lintally::results;
using namespace lintally::scan;

TEST(WriteDiff, EachFormatListsTheRowsAndTheTotal)
{
    const CountSide before{{{"a.c", 3, {1, 0, 2}, 0}, {"gone.c", 4, {0, 1, 3}, 0}}, {"C"}};
    const CountSide after{{{"a.c", 5, {1, 1, 3}, 0}, {"new,1.c", 2, {0, 0, 2}, 0}}, {"C"}};
    const std::vector<FilePair> pairs = PairFiles(before.rows, after.rows);
    const std::vector<LineChanges> changes = {{2, 1}, {0, 3}, {2, 0}};
    const CountDiff diff{before, after, pairs, &changes};
    const struct
    {
        OutputFormat format;
        bool perFile;
        const char* text;
    } cases[] = {
        {OutputFormat::Table, true,
         "                           Code        Comment          Blank          Lines      Code "
         "lines\n"
         "File      Status  old  new  +/-  old  new  +/-  old  new  +/-  old  new  +/-  added  "
         "removed\n"
         "-----------------------------------------------------------------------------------------"
         "---\n"
         "a.c      changed    2    3   +1    0    1   +1    1    1    0    3    5   +2     +2      "
         " -1\n"
         "gone.c   removed    3    0   -3    1    0   -1    0    0    0    4    0   -4      0      "
         " -3\n"
         "new,1.c    added    0    2   +2    0    0    0    0    0    0    0    2   +2     +2      "
         "  0\n"
         "-----------------------------------------------------------------------------------------"
         "---\n"
         "Total               5    5    0    1    1    0    1    1    0    7    7    0     +4      "
         " -4\n"
         "Files: 2 before, 2 after: 1 added, 1 removed, 1 changed, 0 the same\n"},
        {OutputFormat::Json, false,
         "{\"old\": {\"kind\": \"revision\", \"root\": \"repo\", \"rev\": \"v1\", \"commit\": "
         "\"c0\"}, \"new\": {\"kind\": \"json\", \"path\": \"new.json\", \"root\": \"r\"}, "
         "\"groups\": [{\"name\": \"C\", \"old\": {\"files\": 2, \"code\": 5, \"comment\": 1, "
         "\"blank\": 1, \"counted\": 7}, \"new\": {\"files\": 2, \"code\": 5, \"comment\": 1, "
         "\"blank\": 1, \"counted\": 7}, \"delta\": {\"files\": 0, \"code\": 0, \"comment\": 0, "
         "\"blank\": 0, \"counted\": 0}, \"files_added\": 1, \"files_removed\": 1, "
         "\"files_changed\": 1, \"code_added\": 4, \"code_removed\": 4}], \"total\": "
         "{\"old\": {\"files\": 2, \"code\": 5, \"comment\": 1, \"blank\": 1, \"counted\": 7}, "
         "\"new\": {\"files\": 2, \"code\": 5, \"comment\": 1, \"blank\": 1, \"counted\": 7}, "
         "\"delta\": {\"files\": 0, \"code\": 0, \"comment\": 0, \"blank\": 0, \"counted\": 0}, "
         "\"files_added\": 1, \"files_removed\": 1, \"files_changed\": 1, \"code_added\": 4, "
         "\"code_removed\": 4}, \"options\": "},
        {OutputFormat::Csv, true,
         "file,status,files_added,files_removed,files_changed,old_files,new_files,delta_files,"
         "old_code,new_code,delta_code,old_comment,new_comment,delta_comment,old_blank,new_blank,"
         "delta_blank,old_counted,new_counted,delta_counted,code_added,code_removed\n"
         "a.c,changed,0,0,1,1,1,0,2,3,1,0,1,1,1,1,0,3,5,2,2,1\n"
         "gone.c,removed,0,1,0,1,0,-1,3,0,-3,1,0,-1,0,0,0,4,0,-4,0,3\n"
         "\"new,1.c\",added,1,0,0,0,1,1,0,2,2,0,0,0,0,0,0,0,2,2,2,0\n"},
    };
    for (const auto& c : cases) {
        RowGrouping by;
        by.perFile = c.perFile;
        DiffRow total;
        const std::vector<DiffRow> groups =
            by.perFile ? std::vector<DiffRow>{} : diff.GroupRows(by.grouping, total);
        for (std::size_t i = 0; by.perFile && i < pairs.size(); ++i) {
            total += diff.FileCounts(i);
        }
        const DiffReport report{{DiffSideKind::Revision, "repo", "", "v1", "c0"},
                                {DiffSideKind::Json, "new.json", "r", "", ""},
                                diff,
                                groups,
                                total,
                                true,
                                c.format,
                                by,
                                {}};
        TextOut text;
        WriteDiff(report, text);
        // The JSON's options are JsonCsv's to test; only what comes before them is checked.
        const std::string out = text.Take();
        const std::size_t size = std::string(c.text).size();
        EXPECT_EQ(c.format == OutputFormat::Json ? out.substr(0, size) : out, c.text);
    }
}

// Code lines not computed for one file: its row, its group and the total say so in every
// format, and a group without it keeps its numbers.
TEST(WriteDiff, CodeLinesNotComputedAreMarkedInEveryFormat)
{
    const CountSide before{{{"a.c", 3, {1, 0, 2}, 0}, {"b.py", 1, {0, 0, 1}, 1}}, {"C", "Python"}};
    const CountSide after{{{"a.c", 5, {1, 1, 3}, 0}, {"b.py", 2, {0, 0, 2}, 1}}, {"C", "Python"}};
    const std::vector<FilePair> pairs = PairFiles(before.rows, after.rows);
    const std::vector<LineChanges> changes = {{0, 0, false}, {1, 0}};
    const CountDiff diff{before, after, pairs, &changes};
    const auto write = [&](OutputFormat format, bool perFile) {
        RowGrouping by;
        by.perFile = perFile;
        DiffRow total;
        const std::vector<DiffRow> groups =
            perFile ? std::vector<DiffRow>{} : diff.GroupRows(by.grouping, total);
        for (std::size_t i = 0; perFile && i < pairs.size(); ++i) {
            total += diff.FileCounts(i);
        }
        const DiffReport report{{}, {}, diff, groups, total, true, format, by, {}};
        TextOut text;
        WriteDiff(report, text);
        return text.Take();
    };
    const std::string table = write(OutputFormat::Table, true);
    EXPECT_NE(table.find("+2      ?        ?\nb.py"), std::string::npos) << table;
    EXPECT_NE(table.find("+3      ?        ?\nFiles"), std::string::npos) << table;
    const std::string json = write(OutputFormat::Json, false);
    EXPECT_NE(json.find("\"code_added\": null, \"code_removed\": null}, {\"name\": \"Python\""),
              std::string::npos)
        << json;
    EXPECT_NE(json.find("\"code_added\": 1, \"code_removed\": 0}], \"total\""), std::string::npos)
        << json;
    EXPECT_NE(json.find("\"code_added\": null, \"code_removed\": null}, \"options\""),
              std::string::npos)
        << json;
    const std::string csv = write(OutputFormat::Csv, true);
    EXPECT_NE(csv.find("a.c,changed,0,0,1,1,1,0,2,3,1,0,1,1,1,1,0,3,5,2,,\nb.py"),
              std::string::npos)
        << csv;
}

TEST(DiffOrder, NumbersSortByTheSizeOfTheChangeTiesKeepNameOrderAndTopCuts)
{
    const CountSide before{{{"a.c", 3, {1, 0, 2}, 0}, {"gone.c", 4, {0, 1, 3}, 0}}, {"C"}};
    const CountSide after{{{"a.c", 5, {1, 1, 3}, 0}, {"new,1.c", 2, {0, 0, 2}, 0}}, {"C"}};
    const std::vector<FilePair> pairs = PairFiles(before.rows, after.rows);
    const CountDiff diff{before, after, pairs, nullptr};
    const auto names = [&diff](SortKey key, std::size_t top) {
        std::vector<std::string> listed;
        for (const std::size_t i : OrderDiffFiles(diff, key, top)) {
            listed.push_back(diff.FileRow(i).name);
        }
        return listed;
    };
    using Names = std::vector<std::string>;
    EXPECT_EQ(names(SortKey::Default, 0), (Names{"a.c", "gone.c", "new,1.c"}));
    EXPECT_EQ(names(SortKey::Code, 0), (Names{"gone.c", "new,1.c", "a.c"}));  // 3, 2, 1
    EXPECT_EQ(names(SortKey::Counted, 2), (Names{"gone.c", "a.c"}));          // 4, then a tie
    EXPECT_EQ(names(SortKey::Name, 1), (Names{"a.c"}));

    std::vector<DiffRow> groups(3);
    for (const auto& [row, name] : {std::pair{0, "C"}, {1, "Go"}, {2, "Rust"}}) {
        groups[row].name = std::string(name);
    }
    groups[0].filesChanged = 1;
    groups[1].filesAdded = 2;
    groups[1].filesRemoved = 1;
    groups[2].before.blank = 9;
    OrderDiffGroups(groups, SortKey::Files, 2);
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].name, "Go");
    EXPECT_EQ(groups[1].name, "C");
    OrderDiffGroups(groups, SortKey::Blank, 0);
    EXPECT_EQ(groups[0].name, "Go") << "no change in blank lines keeps the order";
}
