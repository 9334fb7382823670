// A file's embedded code through the count: its parts' lines add to the totals once, and to
// their language's group without adding a file.
#include <gtest/gtest.h>

#include <string>

#include "linecount/WideLanguages.h"
#include "scan/CountSettings.h"
#include "scan/FileCount.h"
#include "scan/ResultTally.h"

using namespace lintally::scan;

namespace {

constexpr const char* kGuide = "# Guide\n\n```rust\nif a && b {}\n// c\n```\n";

std::uint32_t EmbeddedFlags()
{
    CountSettings settings;
    settings.languages = LanguageTable::Wide;
    settings.types.clear();
    settings.includeRemed = false;
    settings.embedded = true;
    settings.complexity = true;
    return settings.CountFlags();
}

}  // namespace

TEST(EmbeddedCount, PartsAddToTheTotalsOnceAndToTheirLanguageGroup)
{
    const std::uint32_t flags = EmbeddedFlags();
    const FileLines file = TallyBuffer("guide.md", kGuide, flags);
    ASSERT_EQ(file.embedded.size(), 1u);
    EXPECT_EQ(file.kinds, (PrjHelper::LineBreakdown{1, 0, 3}));
    EXPECT_EQ(file.embedded[0].kinds, (PrjHelper::LineBreakdown{0, 1, 1}));
    EXPECT_EQ(file.embedded[0].complexity, 2u);
    EXPECT_EQ(file.Counted(flags), 5u) << "comment lines do not count";

    const struct
    {
        Grouping grouping;
        const char* groups;
    } kCases[] = {
        {{GroupBy::Language}, "Markdown 1 4 0|Rust 0 1 2|"},
        {{GroupBy::Suffix}, ".md 1 5 2|"},
    };
    for (const auto& [grouping, groups] : kCases) {
        ResultTally tally(&grouping);
        tally.Add("guide.md", file, flags);
        ScanResult result;
        tally.MoveInto(result);
        FinishResult(result);
        std::string shown;
        for (const GroupRow& group : result.groups) {
            shown += group.name + " " + std::to_string(group.files) + " " +
                     std::to_string(group.lines) + " " + std::to_string(group.complexity) + "|";
        }
        EXPECT_EQ(shown, groups);
        EXPECT_EQ(result.files, 1u);
        EXPECT_EQ(result.total, 5u);
        EXPECT_EQ(result.kinds.Physical(), 6u);
        EXPECT_EQ(result.complexity, 2u);
    }

    ResultTally rows(nullptr);
    rows.Add("guide.md", file, flags);
    ScanResult result;
    rows.MoveInto(result);
    ASSERT_EQ(result.rows.size(), 1u);
    EXPECT_EQ(result.rows[0].lines, 4u);
    EXPECT_EQ(result.rows[0].embedded.size(), 1u);
    EXPECT_EQ(result.total, 5u);
}

TEST(EmbeddedCount, WithoutTheOptionsAFileKeepsEveryLine)
{
    CountSettings settings;
    settings.languages = LanguageTable::Wide;
    const FileLines file = TallyBuffer("guide.md", kGuide, settings.CountFlags());
    EXPECT_TRUE(file.embedded.empty());
    EXPECT_EQ(file.kinds.Physical(), 6u);
    EXPECT_EQ(file.complexity, 0u);
}
