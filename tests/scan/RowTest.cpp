#include "scan/RowList.h"

#include <gtest/gtest.h>

using lintally::scan::Row;
using lintally::scan::RowList;
using lintally::scan::RowNameLess;
using lintally::scan::RowView;
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

namespace {

std::string FileName(std::uint32_t i)
{
    std::string name = std::to_string(i);
    return name.append(".f");
}

std::vector<std::string> Names(const RowList& rows)
{
    std::vector<std::string> names;
    for (const RowView row : rows) {
        names.emplace_back(row.name);
    }
    return names;
}

}  // namespace

TEST(SortRows, GivesTheListOrder)
{
    RowList rows = {{"top.c", 1}, {"sub/x.c", 2}, {"Sub/y.c", 3}, {".hidden/h.c", 4}, {"a.c", 5}};
    SortRows(rows);
    EXPECT_EQ(Names(rows),
              (std::vector<std::string>{".hidden/h.c", "a.c", "sub/x.c", "Sub/y.c", "top.c"}));
    EXPECT_EQ(rows[2].lines, 2u);
}

TEST(RowList, KeepsEveryRowWholeAcrossBlocksAndWideCounts)
{
    constexpr std::uint64_t kHuge = (std::uint64_t{1} << 32) + 5;
    RowList rows;
    const std::string longName(300 * 1024, 'n');  // more than one name block
    for (std::uint32_t i = 0; i < 10000; ++i) {
        const bool wide = i % 1000 == 999;
        rows.Add(i == 5000 ? longName : FileName(i), wide ? kHuge : i, {i, wide ? kHuge : 2 * i, 3},
                 7);
    }
    ASSERT_EQ(rows.size(), 10000u);
    for (std::uint32_t i : {0u, 4095u, 4096u, 4999u, 5001u, 9999u}) {
        const RowView row = rows[i];
        const bool wide = i % 1000 == 999;
        EXPECT_EQ(row.name, FileName(i));
        EXPECT_EQ(row.lines, wide ? kHuge : i);
        EXPECT_EQ(row.kinds, (PrjHelper::LineBreakdown{i, wide ? kHuge : 2 * i, 3}));
        EXPECT_EQ(row.lang, 7);
    }
    EXPECT_EQ(rows[5000].name, longName);
}

TEST(RowList, AppendSortTruncateAndRenameKeepTheListOrder)
{
    RowList first = {{"b", 1}, {"a", 2}};
    RowList second = {{"d", 3}, {"c", 4, {0, 0, 1ull << 33}}};
    SortRows(second);
    first.Append(std::move(second));
    EXPECT_TRUE(second.empty());
    EXPECT_EQ(Names(first), (std::vector<std::string>{"b", "a", "c", "d"}));
    EXPECT_EQ(first[2].kinds.code, 1ull << 33);

    first.Rename(0, "root/b");
    first.StableSort([](const RowView& x, const RowView& y) { return x.lines % 2 < y.lines % 2; });
    EXPECT_EQ(Names(first), (std::vector<std::string>{"a", "c", "root/b", "d"}))
        << "ties keep their order";
    first.Truncate(3);
    first.Add("e", 5, {}, 0);
    EXPECT_EQ(Names(first), (std::vector<std::string>{"a", "c", "root/b", "e"}));
    first.Truncate(0);
    EXPECT_TRUE(first.empty());

    RowList sorted = {{"z", 1}, {"y", 2}};
    SortRows(sorted);
    RowList empty;
    empty.Append(std::move(sorted));  // taken whole, in its list order
    EXPECT_TRUE(sorted.empty());
    EXPECT_EQ(Names(empty), (std::vector<std::string>{"y", "z"}));
}

TEST(RowList, LargeListsHandOverTheirBlocksInTheirListOrder)
{
    const auto make = [](std::uint32_t count, std::uint32_t lines) {
        RowList rows;
        for (std::uint32_t i = 0; i < count; ++i) {
            rows.Add(FileName(count - i), lines, {0, 0, lines}, 1);
        }
        return rows;
    };
    RowList whole;
    whole.Append(make(8192, 1));  // whole blocks: kept in the order added
    RowList part = make(5000, 2);
    whole.Append(std::move(part));  // handed over after whole blocks
    RowList sorted = make(6000, 3);
    SortRows(sorted);
    whole.Append(std::move(sorted));  // handed over after a part-full block, in its own order
    whole.Add("last", 4, {}, 0);
    ASSERT_EQ(whole.size(), 8192u + 5000u + 6000u + 1u);
    EXPECT_EQ(whole[0].name, FileName(8192));
    EXPECT_EQ(whole[8192].name, FileName(5000));
    EXPECT_EQ(whole[13191].name, FileName(1));
    EXPECT_EQ(whole[13192].name, FileName(1));
    EXPECT_EQ(whole[13192].lines, 3u);
    EXPECT_EQ(whole[13193].name, FileName(10)) << "sorted by name";
    EXPECT_EQ(whole[19192].name, "last");
    std::uint64_t lines = 0;
    for (const RowView row : whole) {
        lines += row.kinds.code;
    }
    EXPECT_EQ(lines, 8192u + 2u * 5000u + 3u * 6000u);
}
