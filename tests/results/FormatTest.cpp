#include <gtest/gtest.h>

#include <limits>

#include "results/FormatThousands.h"
#include "results/Report.h"
#include "scan/RelativeName.h"

using lintally::results::FormatReport;
using lintally::results::FormatThousands;
using lintally::scan::RelativeName;
using lintally::scan::Row;

TEST(FormatThousands, PutsACommaBeforeEveryGroupOfThree)
{
    EXPECT_EQ(FormatThousands(0), "0");
    EXPECT_EQ(FormatThousands(999), "999");
    EXPECT_EQ(FormatThousands(1000), "1,000");
    EXPECT_EQ(FormatThousands(100000), "100,000");
    EXPECT_EQ(FormatThousands(1234567), "1,234,567");
    EXPECT_EQ(FormatThousands(-1234), "-1,234");
}

TEST(FormatThousands, HandlesTheWholeSixtyFourBitRange)
{
    EXPECT_EQ(FormatThousands(std::numeric_limits<std::int64_t>::max()),
              "9,223,372,036,854,775,807");
    EXPECT_EQ(FormatThousands(std::numeric_limits<std::int64_t>::min()),
              "-9,223,372,036,854,775,808");
}

TEST(RelativeName, IsTheSameWithOrWithoutATrailingSeparatorOnTheRoot)
{
    EXPECT_EQ(RelativeName("/src/lib", "/src/lib/sub/a.c"), "sub/a.c");
    EXPECT_EQ(RelativeName("/src/lib/", "/src/lib/sub/a.c"), "sub/a.c");
    EXPECT_EQ(RelativeName("/", "/a.c"), "a.c");
    EXPECT_EQ(RelativeName(".", "./a.c"), "a.c");
}

TEST(RelativeName, NeverReadsPastThePath)
{
    EXPECT_EQ(RelativeName("/a/very/long/root", "/a/b"), "");
    EXPECT_EQ(RelativeName("", "a.c"), "a.c");
}

TEST(FormatReport, WritesTheDialogsLayoutByteForByte)
{
    const std::vector<Row> rows = {{"b.h", 1200}, {"src/a.c", 57}};
    const std::string expected =
        "Folder:\r\n"
        "  /lib_main\r\n"
        "\r\n"
        "Source Files Info:\r\n"
        "  Lines  |  File\r\n"
        "_____________________\r\n"
        "  1200      b.h\r\n"
        "  57        src/a.c\r\n"
        "_____________________\r\n"
        "Total: 1,257(2 files).";
    EXPECT_EQ(FormatReport("/lib_main", rows, "1,257"), expected);
}

TEST(FormatReport, LongCountsRunStraightIntoTheName)
{
    const std::string report = FormatReport("r", {{"a", 1234567890}, {"b", 12345678901}}, "x");
    EXPECT_NE(report.find("\r\n  1234567890a\r\n  12345678901b\r\n"), std::string::npos);
}

TEST(FormatReport, KeepsTheBytesOfNamesAsTheDialogSavesThem)
{
    const std::string name = "esc\x1b\xC2\x9B\xE2\x80\xAE\xff.c";
    EXPECT_NE(FormatReport("r", {{name, 1}}, "1").find("  1         " + name + "\r\n"),
              std::string::npos);
}

TEST(FormatReport, EmptyResultStillGivesTheWholeReport)
{
    const std::string expected =
        "Folder:\r\n  /r/\r\n\r\nSource Files Info:\r\n  Lines  |  File\r\n"
        "_____________________\r\n_____________________\r\nTotal: 0(0 files).";
    EXPECT_EQ(FormatReport("/r/", {}, "0"), expected);
}
