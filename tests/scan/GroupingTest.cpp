#include "scan/Grouping.h"

#include <gtest/gtest.h>

#include "fileio/PathSeparator.h"

using namespace lintally::scan;

namespace {

// name with every '/' made the system's separator.
std::string Native(std::string name)
{
    for (char& c : name) {
        if (c == '/') {
            c = Brim::kPathSeparator;
        }
    }
    return name;
}

}  // namespace

TEST(GroupName, NamesTheGroupAFileFallsIn)
{
    struct Case
    {
        Grouping grouping;
        const char* relativeName;
        std::int32_t lang;
        const char* expected;
    };
    const Case cases[] = {
        {{GroupBy::Language, 1}, "a/b.cpp", 1, "C/C++"},
        {{GroupBy::Language, 1}, "b.xyz", 0, "Other"},
        {{GroupBy::Language, 1}, "b", 99, "Other"},
        {{GroupBy::Suffix, 1}, "x.y/Lib.Tar.GZ", 0, ".tar.gz"},  // the file's own first '.'
        {{GroupBy::Suffix, 1}, "sub/Makefile", 0, "makefile"},
        {{GroupBy::Folder, 1}, "top.c", 1, "."},
        {{GroupBy::Folder, 1}, "a/b/c/d.c", 1, "a"},
        {{GroupBy::Folder, 2}, "a/b/c/d.c", 1, "a/b"},
        {{GroupBy::Folder, 2}, "a/d.c", 1, "a"},  // higher up than the depth: its own folder
        {{GroupBy::Folder, 9}, "a/b/c/d.c", 1, "a/b/c"},
    };
    for (const Case& c : cases) {
        const std::string expected =
            c.grouping.by == GroupBy::Folder ? Native(c.expected) : c.expected;
        EXPECT_EQ(GroupName(c.grouping, Native(c.relativeName), c.lang), expected)
            << c.relativeName;
    }
}

TEST(GroupTable, AddsRowsOfTheSameNameAndGivesThemInNameOrder)
{
    GroupTable table;
    table.Add(GroupRow{"b", 1, 2, {1, 0, 1}});
    table.Add({GroupRow{"A", 2, 3, {0, 1, 2}}, GroupRow{"b", 1, 4, {0, 0, 4}}});
    const std::vector<GroupRow> rows = table.Take();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].name, "A");
    EXPECT_EQ(rows[1].files, 2u);
    EXPECT_EQ(rows[1].lines, 6u);
    EXPECT_EQ(rows[1].kinds, (PrjHelper::LineBreakdown{1, 0, 5}));
    EXPECT_TRUE(table.Take().empty());
}
