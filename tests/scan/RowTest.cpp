#include "scan/Row.h"

#include <gtest/gtest.h>

using lintally::scan::Row;
using lintally::scan::RowNameLess;
using lintally::scan::SortRows;

TEST(RowNameLess, FoldsAsciiLettersOnly)
{
    EXPECT_TRUE(RowNameLess("a.c", "B.H"));
    EXPECT_FALSE(RowNameLess("B.H", "a.c"));
    // '_' (0x5F) lies between 'Z' and 'a': folding puts it before every letter.
    EXPECT_TRUE(RowNameLess("_x", "Bx"));
    // Bytes above 127 compare unsigned, after every ASCII byte.
    EXPECT_TRUE(RowNameLess("z.c", "\xE9.c"));
}

TEST(RowNameLess, AShorterPrefixComesFirst)
{
    EXPECT_TRUE(RowNameLess("sub", "sub/a.c"));
    EXPECT_FALSE(RowNameLess("sub/a.c", "sub"));
}

TEST(RowNameLess, NamesEqualUnderFoldingAreOrderedByTheirBytes)
{
    EXPECT_TRUE(RowNameLess("A.C", "a.c"));
    EXPECT_FALSE(RowNameLess("a.c", "A.C"));
    EXPECT_FALSE(RowNameLess("a.c", "a.c"));
}

TEST(SortRows, GivesTheListOrder)
{
    std::vector<Row> rows = {{"top.c", 1}, {"sub/x.c", 2}, {"Sub/y.c", 3}, {".hidden/h.c", 4}, {"a.c", 5}};
    SortRows(rows);
    std::vector<std::string> names;
    for (const Row& row : rows) {
        names.push_back(row.name);
    }
    EXPECT_EQ(names, (std::vector<std::string>{".hidden/h.c", "a.c", "sub/x.c", "Sub/y.c", "top.c"}));
}
