// Scans through the real dialog: rows, totals, filters, options, the destination list.
#include "CoreHarness.h"

#include "dialog/ControlIds.h"

#include <gtest/gtest.h>

using Names = std::vector<std::string>;

namespace {

std::string Lines(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i) {
        text += "x = 1;\n";
    }
    return text;
}

void WriteFilterTree(const CoreHarness& h)
{
    for (const char* name : {"a.c", "B.H", "c.cpp", "d.c.bak", "e"}) {
        h.WriteFile(name, "int x;\n");
    }
}

}  // namespace

TEST(CLintallyDlgScan, FillsSortedRowsWithPlainCountsAndAGroupedTotal)
{
    CoreHarness h;
    h.WriteFile("src/a.c", Lines(57));
    h.WriteFile("b.h", Lines(1200));
    h.WriteFile("Big.c", Lines(1233310));
    h.Scan("*.c,*.h");
    EXPECT_EQ(h.RowNames(), (Names{"b.h", "Big.c", "src/a.c"}));
    EXPECT_EQ(h.view.rows, (Names{"b.h", "Big.c", Native("src/a.c")}));
    EXPECT_EQ(h.dialog->GetRows().At(1).lines, 1233310u);
    EXPECT_EQ(h.dialog->GetRows().At(0).lines, 1200u);
    EXPECT_EQ(h.Text(IDC_EDIT_TOTAL), "1,234,567");
    EXPECT_EQ(h.Text(IDC_BTN_CALCULATE), "&Calculate");
    EXPECT_TRUE(h.view.Get(IDC_STATIC_ROOT).shown);
    EXPECT_EQ(h.Text(IDC_EDIT_ROOT), Native(h.Root() + "/"));
}

TEST(CLintallyDlgScan, TypeListPicksSuffixesIgnoringCase)
{
    CoreHarness h;
    WriteFilterTree(h);
    h.Scan("*.c,*.h");
    EXPECT_EQ(h.RowNames(), (Names{"a.c", "B.H"}));
    h.Scan("*.*");
    EXPECT_EQ(h.RowNames(), (Names{"a.c", "B.H", "c.cpp", "d.c.bak", "e"}));
    // The space stays part of the pattern ".h ", which matches nothing.
    h.Scan("*.h ,*.c");
    EXPECT_EQ(h.RowNames(), (Names{"a.c"}));
}

TEST(CLintallyDlgScan, SubFoldersAreWalkedOnlyWhenAskedAndNeverBecomeRows)
{
    CoreHarness h;
    h.WriteFile("a.c", "int a;\n");
    h.WriteFile("sub/x.c", "int x;\n");
    h.MakeFolder("folder.c");
    h.Scan("*.*");
    EXPECT_EQ(h.RowNames(), (Names{"a.c", "sub/x.c"}));
    h.Click(IDC_CHK_INCLUDE_SUB);
    h.Scan("*.*");
    EXPECT_EQ(h.RowNames(), (Names{"a.c"}));
}

TEST(CLintallyDlgScan, OptionBoxesReachTheCountThroughDataExchange)
{
    CoreHarness h;
    h.WriteFile("a.c", "int a;\n// note\n\nint b;\n");
    h.Scan("*.c");
    EXPECT_EQ(h.Text(IDC_EDIT_TOTAL), "4");
    h.Click(IDC_CHK_INCLUDE_REMED);
    h.Scan("*.c");
    EXPECT_EQ(h.Text(IDC_EDIT_TOTAL), "3");
    h.Click(IDC_CHK_EXCLUDE_BLANK);
    h.Scan("*.c");
    EXPECT_EQ(h.Text(IDC_EDIT_TOTAL), "2");
}

TEST(CLintallyDlgScan, RootWithOrWithoutSeparatorGivesTheSameRowsAndJoinsTheDestinationList)
{
    CoreHarness h;
    h.WriteFile("sub/x.c", "int x;\n");
    const auto& destinations = h.view.Get(IDC_CB_DESTINATION).items;
    h.Scan("*.c");
    EXPECT_EQ(h.RowNames(), (Names{"sub/x.c"}));
    ASSERT_EQ(destinations.size(), 4u);
    EXPECT_EQ(destinations[3], (h.Root()));

    // '/' is a separator on every system: the root keeps it and gains no other.
    h.Type(IDC_CB_DESTINATION, h.Root() + "/");
    h.Click(IDC_BTN_CALCULATE);
    ASSERT_TRUE(h.WaitForScanEnd());
    EXPECT_EQ(h.RowNames(), (Names{"sub/x.c"}));
    EXPECT_EQ(h.Text(IDC_EDIT_ROOT), h.Root() + "/");
    EXPECT_EQ(destinations.size(), 5u);
    h.Click(IDC_BTN_CALCULATE);
    ASSERT_TRUE(h.WaitForScanEnd());
    EXPECT_EQ(destinations.size(), 5u);
}

TEST(CLintallyDlgScan, ScanOfAnEmptyOrMissingRootShowsZeroAndNoOldRoot)
{
    CoreHarness h;
    h.WriteFile("full/a.c", Lines(3));
    h.MakeFolder("empty");
    h.Type(IDC_CB_FILETYPE, "*.c");
    h.Type(IDC_CB_DESTINATION, Native(h.Root() + "/full"));
    h.Click(IDC_BTN_CALCULATE);
    ASSERT_TRUE(h.WaitForScanEnd());
    ASSERT_EQ(h.Text(IDC_EDIT_TOTAL), "3");

    h.Type(IDC_CB_DESTINATION, Native(h.Root() + "/empty"));
    h.Click(IDC_BTN_CALCULATE);
    ASSERT_TRUE(h.WaitForScanEnd());
    EXPECT_EQ(h.RowCount(), 0);
    EXPECT_EQ(h.Text(IDC_EDIT_TOTAL), "0");
    EXPECT_EQ(h.Text(IDC_EDIT_ROOT), Native(h.Root() + "/empty/"));

    // A file is no folder to walk: nothing is scanned, so no root is shown either.
    h.Scan("*.c");
    h.Type(IDC_CB_DESTINATION, Native(h.Root() + "/full/a.c"));
    h.Click(IDC_BTN_CALCULATE);
    ASSERT_TRUE(h.WaitForScanEnd());
    EXPECT_EQ(h.Text(IDC_EDIT_TOTAL), "0");
    EXPECT_EQ(h.Text(IDC_EDIT_ROOT), std::string());
}
