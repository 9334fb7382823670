#include "scan/PatternList.h"

#include <gtest/gtest.h>

using lintally::scan::BuildPatternList;
using lintally::scan::MatchPattern;
using lintally::scan::NameSuffix;
using Patterns = std::vector<std::string>;

TEST(BuildPatternList, KeepsEachItemFromItsFirstDot)
{
    EXPECT_EQ(BuildPatternList("*.c,*.h"), (Patterns{".c", ".h"}));
    EXPECT_EQ(BuildPatternList("*.*"), (Patterns{".*"}));
    EXPECT_EQ(BuildPatternList("*.tar.gz"), (Patterns{".tar.gz"}));
    EXPECT_EQ(BuildPatternList("*.c,*.c,"), (Patterns{".c", ".c"}));
}

TEST(BuildPatternList, TrimsNothingAndChangesNoCase)
{
    EXPECT_EQ(BuildPatternList(" *.c"), (Patterns{".c"}));
    EXPECT_EQ(BuildPatternList("*.h ,*.C"), (Patterns{".h ", ".C"}));
}

TEST(BuildPatternList, DropsShortItemsAndItemsWithoutADot)
{
    EXPECT_EQ(BuildPatternList(".c,*c,cpp,,*.x"), (Patterns{".x"}));
    EXPECT_TRUE(BuildPatternList("").empty());
    EXPECT_TRUE(BuildPatternList(",,,").empty());
}

TEST(NameSuffix, StartsAtTheFirstDotOrIsTheWholeName)
{
    EXPECT_EQ(NameSuffix("a.b.cpp"), ".b.cpp");
    EXPECT_EQ(NameSuffix("main.c"), ".c");
    EXPECT_EQ(NameSuffix("Makefile"), "Makefile");
    EXPECT_EQ(NameSuffix(".profile"), ".profile");
}

TEST(MatchPattern, ComparesSuffixesIgnoringAsciiCase)
{
    const Patterns patterns = BuildPatternList("*.cpp,*.h");
    EXPECT_TRUE(MatchPattern(patterns, NameSuffix("Main.CPP")));
    EXPECT_TRUE(MatchPattern(patterns, NameSuffix("B.H")));
    EXPECT_FALSE(MatchPattern(patterns, NameSuffix("a.b.cpp")));
    EXPECT_FALSE(MatchPattern(patterns, NameSuffix("d.c.bak")));
    EXPECT_FALSE(MatchPattern(patterns, NameSuffix("cpp")));
    // Only ASCII letters fold: 0xC9 and 0xE9 stay different bytes.
    EXPECT_FALSE(MatchPattern(Patterns{".\xC9"}, ".\xE9"));
}

TEST(MatchPattern, StarDotStarTakesEveryNameEvenWithoutADot)
{
    const Patterns patterns = BuildPatternList("*.*");
    EXPECT_TRUE(MatchPattern(patterns, NameSuffix("e")));
    EXPECT_TRUE(MatchPattern(patterns, NameSuffix("d.c.bak")));
}

TEST(MatchPattern, PatternWithTrailingSpaceNeverMatches)
{
    const Patterns patterns = BuildPatternList("*.h ,*.c");
    EXPECT_FALSE(MatchPattern(patterns, ".h"));
    EXPECT_TRUE(MatchPattern(patterns, ".c"));
    EXPECT_FALSE(MatchPattern({}, ".c"));
}
