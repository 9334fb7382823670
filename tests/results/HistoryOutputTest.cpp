// The printers of a history's rows, and the dates they show.
#include <gtest/gtest.h>

#include <algorithm>

#include "results/CivilDate.h"
#include "results/HistoryOutput.h"

using namespace lintally::results;

namespace {

HistoryRows TwoCommits()
{
    HistoryRows history{".", "HEAD", "bbbbbbbbbbbb", "language", {}, {}, true};
    const HistoryCounts c{2, 10, 3, 1, 14, 14};
    const HistoryCounts py{1, 5, 0, 0, 5, 5};
    history.rows.push_back(HistoryRow{"bbbbbbbbbbbb",
                                      "2024-02-29T23:30:00-01:00",
                                      {{"C", c}, {"Python, 3", py}},
                                      {3, 15, 3, 1, 19, 19}});
    history.rows.push_back(HistoryRow{"aaaaaaaaaaaa", "2024-01-01T00:00:00+00:00", {{"C", c}}, c});
    return history;
}

std::string Written(void (*write)(const HistoryRows&, TextOut&), const HistoryRows& history)
{
    TextOut text;
    write(history, text);
    return text.Take();
}

}  // namespace

TEST(HistoryOutput, CsvHasOneLinePerCommitAndGroup)
{
    EXPECT_EQ(Written(WriteHistoryCsv, TwoCommits()),
              "commit,date,group,files,code,comment,blank,physical,counted\n"
              "bbbbbbbbbbbb,2024-02-29T23:30:00-01:00,C,2,10,3,1,14,14\n"
              "bbbbbbbbbbbb,2024-02-29T23:30:00-01:00,\"Python, 3\",1,5,0,0,5,5\n"
              "aaaaaaaaaaaa,2024-01-01T00:00:00+00:00,C,2,10,3,1,14,14\n");
}

TEST(HistoryOutput, TableShowsTheLeadingGroupsThenTheOthers)
{
    HistoryRows history = TwoCommits();
    const std::string table = Written(WriteHistoryTable, history);
    EXPECT_EQ(table.substr(0, table.find('\n')),
              "Date        Commit      Files  Code   C  Python, 3");
    EXPECT_NE(table.find("2024-02-29  bbbbbbbbbb      3    15  10          5\n"), std::string::npos)
        << table;
    for (const char* name : {"D", "E", "F", "G"}) {
        history.rows[0].groups.push_back(HistoryGroup{name, {1, 20, 0, 0, 20, 20}});
        history.rows[0].total.code += 20;
    }
    const std::string wider = Written(WriteHistoryTable, history);
    EXPECT_EQ(wider.substr(0, wider.find('\n')),
              "Date        Commit      Files  Code   D   E   F   G  Other");
    EXPECT_NE(wider.find("  95  20  20  20  20     15\n"), std::string::npos) << wider;
}

TEST(HistoryOutput, TableShowsControlBytesOfGroupNamesEscaped)
{
    HistoryRows history = TwoCommits();
    history.rows[0].groups[1].name = "red\x1b[31m\tdir";
    const std::string table = Written(WriteHistoryTable, history);
    EXPECT_EQ(table.substr(0, table.find('\n')),
              "Date        Commit      Files  Code   C  red\\x1b[31m\\tdir");
}

TEST(HistoryOutput, DatesAreIsoInTheCommittersZone)
{
    struct Case
    {
        std::int64_t seconds;
        int offset;
        const char* shown;
    };
    for (const Case& c : {Case{0, 0, "1970-01-01T00:00:00+00:00"},
                          Case{1709247600, -90, "2024-02-29T21:30:00-01:30"},
                          Case{-1, 0, "1969-12-31T23:59:59+00:00"},
                          Case{951782400, 120, "2000-02-29T02:00:00+02:00"}}) {
        EXPECT_EQ(IsoDateTime(c.seconds, c.offset), c.shown);
    }
    for (const std::int64_t day : {-719468, -1, 0, 11016, 19782, 2932896}) {
        EXPECT_EQ(DaysFromCivil(CivilFromDays(day)), day);
    }
}

TEST(HistoryOutput, ThePageSeriesRunsOldestFirstWithEveryGroup)
{
    HistoryRows history = TwoCommits();
    for (const bool oldestFirst : {false, true}) {
        if (oldestFirst) {
            std::reverse(history.rows.begin(), history.rows.end());
            history.oldestFirst = true;
        }
        const HistorySeries series = HistoryAsSeries(history);
        EXPECT_EQ(series.groups, (std::vector<std::string>{"C", "Python, 3"}));
        ASSERT_EQ(series.points.size(), 2u);
        EXPECT_EQ(series.points[0].commit, "aaaaaaaaaa");
        EXPECT_EQ(series.points[0].date, "2024-01-01");
        EXPECT_EQ(series.points[0].code, (std::vector<std::uint64_t>{10, 0}));
        EXPECT_EQ(series.points[1].code, (std::vector<std::uint64_t>{10, 5}));
    }
}
