// The Markdown tables of a count, a diff and a history: the table's cells between pipes,
// numbers right-aligned, names escaped, the total in bold and the footers under the table.
#include <gtest/gtest.h>

#include "results/CountOutput.h"
#include "results/DiffOutput.h"
#include "results/HistoryOutput.h"
#include "results/MarkdownTable.h"

using namespace lintally::results;

TEST(MarkdownCell, EscapesMarkupAndControlBytesAsTheTableShowsThem)
{
    const struct
    {
        const char* name;
        const char* cell;
    } cases[] = {
        {"src/main.cpp", "src/main.cpp"},
        {"a|b.c", "a\\|b.c"},
        {"back\\slash", "back\\\\slash"},
        {"`tick`", "\\`tick\\`"},
        {"*star*_under_", "\\*star\\*\\_under\\_"},
        {"<script>", "\\<script>"},
        {"tab\there", "tab\\\\there"},  // the table's \t, its backslash escaped
        {"esc\x1b", "esc\\\\x1b"},
        {"caf\xC3\xA9", "caf\xC3\xA9"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MarkdownCell(c.name), c.cell) << c.name;
    }
}

TEST(WriteCountOutput, MarkdownIsTheTableWithABoldTotalAndTheSkipsUnderIt)
{
    lintally::scan::ScanResult result;
    result.rows.Add("a|b.c", 1234, {34, 200, 1000}, 0);
    result.rows.Add("z.h", 3, {0, 0, 3}, 0);
    result.files = 2;
    result.total = 1237;
    result.kinds = {34, 200, 1003};
    result.skips.Add(lintally::scan::SkipReason::Binary);
    CountOutputOptions options;
    options.format = OutputFormat::Markdown;
    options.by.perFile = true;
    options.roots = {"."};
    TextOut text;
    WriteCountOutput(options, result, text);
    EXPECT_EQ(text.Take(),
              "| File | Lines | Code | Comment | Blank |\n"
              "| --- | ---: | ---: | ---: | ---: |\n"
              "| a\\|b.c | 1,234 | 1,000 | 200 | 34 |\n"
              "| z.h | 3 | 3 | 0 | 0 |\n"
              "| **Total (2 files)** | **1,237** | **1,003** | **200** | **34** |\n"
              "\n"
              "Skipped: 1 binary file\n");
}

TEST(WriteDiff, MarkdownHeadsEachColumnWithItsGroup)
{
    using namespace lintally::scan;
    const CountSide before{{{"a_1.c", 3, {1, 0, 2}, 0}}, {"C"}};
    const CountSide after{{{"a_1.c", 5, {1, 1, 3}, 0}}, {"C"}};
    const std::vector<FilePair> pairs = PairFiles(before.rows, after.rows);
    const CountDiff diff{before, after, pairs, nullptr};
    RowGrouping by;
    by.perFile = true;
    const DiffReport report{{DiffSideKind::Json, "old.json", "r", "", ""},
                            {DiffSideKind::Json, "new.json", "r", "", ""},
                            diff,
                            {},
                            diff.FileCounts(0),
                            false,
                            OutputFormat::Markdown,
                            by,
                            {}};
    TextOut text;
    WriteDiff(report, text);
    EXPECT_EQ(
        text.Take(),
        "| File | Status | Code old | Code new | Code +/- | Comment old | Comment new | "
        "Comment +/- | Blank old | Blank new | Blank +/- | Lines old | Lines new | Lines +/- "
        "|\n"
        "| --- | ---: | ---: | ---: | ---: | ---: | ---: | ---: | ---: | ---: | ---: | ---: | "
        "---: | ---: |\n"
        "| a\\_1.c | changed | 2 | 3 | +1 | 0 | 1 | +1 | 1 | 1 | 0 | 3 | 5 | +2 |\n"
        "| **Total** |  | **2** | **3** | **+1** | **0** | **1** | **+1** | **1** | **1** | "
        "**0** | **3** | **5** | **+2** |\n"
        "\n"
        "Files: 1 before, 1 after: 0 added, 0 removed, 1 changed, 0 the same\n");
}

TEST(HistoryOutput, MarkdownHasTheTablesCellsAndEscapedGroupNames)
{
    HistoryRows history{".", "HEAD", "bbbbbbbbbbbb", "dir", {}, {}, true};
    const HistoryCounts src{2, 10, 3, 1, 14, 14};
    history.rows.push_back(HistoryRow{
        "bbbbbbbbbbbb", "2024-02-29T23:30:00-01:00", {{"my_src", src}}, {3, 15, 3, 1, 19, 19}});
    TextOut text;
    WriteHistoryMarkdown(history, text);
    EXPECT_EQ(text.Take(),
              "| Date        Commit | Files | Code | my\\_src | Other |\n"
              "| --- | ---: | ---: | ---: | ---: |\n"
              "| 2024-02-29  bbbbbbbbbb | 3 | 15 | 10 | 5 |\n");
}
