// Which commits of a history are counted: dates, periods and the sampling options.
#include <gtest/gtest.h>

#include "cli/HistorySample.h"

using namespace lintally::cli;
using lintally::gitsel::HistoryCommit;

namespace {

constexpr std::int64_t kDay = 86400;

// Commits newest first, one per day given (days since 1970-01-01, at noon UTC).
std::vector<HistoryCommit> OnDays(const std::vector<std::int64_t>& days)
{
    std::vector<HistoryCommit> commits;
    for (const std::int64_t day : days) {
        commits.push_back(HistoryCommit{std::to_string(day), day * kDay + kDay / 2, 0});
    }
    return commits;
}

}  // namespace

TEST(HistorySample, DatesAndPeriodsParseOnlyWhenWhole)
{
    EXPECT_EQ(ParseIsoDay("1970-01-02"), 1);
    EXPECT_EQ(ParseIsoDay("2024-02-29"), 19782);
    for (const char* bad : {"2023-02-29", "2024-13-01", "2024-1-01", "2024-01-01x", "",
                            "01/02/2024", "2024-00-10", "2024-04-31"}) {
        EXPECT_FALSE(ParseIsoDay(bad)) << bad;
    }
    const std::optional<HistoryStep> twoMonths = ParseStep("2m");
    ASSERT_TRUE(twoMonths);
    EXPECT_EQ(twoMonths->unit, StepUnit::Month);
    EXPECT_EQ(twoMonths->count, 2u);
    for (const char* bad : {"w", "0w", "1x", "-1d", "1.5y", ""}) {
        EXPECT_FALSE(ParseStep(bad)) << bad;
    }
}

TEST(HistorySample, OptionsChooseCommitsInTheirOrder)
{
    // 2024-01-29 (Monday) back to 2023-12-30: days 19751 ... 19721.
    const std::vector<HistoryCommit> commits =
        OnDays({19751, 19750, 19745, 19744, 19738, 19737, 19730, 19723, 19721});
    struct Case
    {
        HistorySampling sampling;
        std::vector<std::size_t> chosen;
    };
    const std::vector<Case> cases = {
        {{}, {0, 1, 2, 3, 4, 5, 6, 7, 8}},
        {{.maxCount = 2}, {0, 1}},
        {{.every = 3}, {0, 3, 6}},
        {{.every = 2, .maxCount = 2, .oldestFirst = true}, {2, 0}},
        {{.since = 19737, .until = 19745}, {2, 3, 4, 5}},
        // Weeks start on Monday: 19751 (Mon) begins one, 19750 (Sun) ends the one before.
        {{.step = {StepUnit::Week, 1}}, {0, 1, 4, 6, 7, 8}},
        {{.step = {StepUnit::Month, 1}}, {0, 8}},
        {{.step = {StepUnit::Year, 1}, .oldestFirst = true}, {8, 0}},
        {{.step = {StepUnit::Day, 7}, .every = 2}, {0, 4, 7}},
    };
    for (std::size_t i = 0; i < cases.size(); ++i) {
        EXPECT_EQ(SampleCommits(commits, cases[i].sampling), cases[i].chosen) << "case " << i;
    }
}
