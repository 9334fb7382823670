// Scans through the real dialog: rows, totals, filters, options, the destination list.
#include "DialogHarness.h"

#include "app/ControlIds.h"
#include "app/ResultModel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QScrollBar>
#include <QTableView>
#include <QTest>

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

void WriteFilterTree(const DialogHarness& h)
{
    for (const char* name : {"a.c", "B.H", "c.cpp", "d.c.bak", "e"}) {
        h.WriteFile(name, "int x;\n");
    }
}

} // namespace

TEST(CLintallyDlgScan, FillsSortedRowsWithPlainCountsAndAGroupedTotal)
{
    DialogHarness h;
    h.WriteFile("src/a.c", Lines(57));
    h.WriteFile("b.h", Lines(1200));
    h.WriteFile("Big.c", Lines(1233310));
    h.Scan(QStringLiteral("*.c,*.h"));
    EXPECT_EQ(h.RowNames(), (Names{"b.h", "Big.c", "src/a.c"}));
    auto* list = qobject_cast<QTableView*>(h.dialog->GetDlgItem(IDC_LST_RESULT));
    EXPECT_EQ(list->model()->index(1, 1).data().toString(), QStringLiteral("1233310"));
    EXPECT_EQ(list->model()->index(0, 1).data().toString(), QStringLiteral("1200"));
    EXPECT_EQ(h.Text(IDC_EDIT_TOTAL), QStringLiteral("1,234,567"));
    EXPECT_EQ(h.Text(IDC_BTN_CALCULATE), QStringLiteral("&Calculate"));
    EXPECT_TRUE(h.dialog->GetDlgItem(IDC_STATIC_ROOT)->isVisible());
    EXPECT_EQ(h.Text(IDC_EDIT_ROOT), QString::fromStdString(h.Root() + "/"));
}

TEST(CLintallyDlgScan, TypeListPicksSuffixesIgnoringCase)
{
    DialogHarness h;
    WriteFilterTree(h);
    h.Scan(QStringLiteral("*.c,*.h"));
    EXPECT_EQ(h.RowNames(), (Names{"a.c", "B.H"}));
    h.Scan(QStringLiteral("*.*"));
    EXPECT_EQ(h.RowNames(), (Names{"a.c", "B.H", "c.cpp", "d.c.bak", "e"}));
    // The space stays part of the pattern ".h ", which matches nothing.
    h.Scan(QStringLiteral("*.h ,*.c"));
    EXPECT_EQ(h.RowNames(), (Names{"a.c"}));
}

TEST(CLintallyDlgScan, SubFoldersAreWalkedOnlyWhenAskedAndNeverBecomeRows)
{
    DialogHarness h;
    h.WriteFile("a.c", "int a;\n");
    h.WriteFile("sub/x.c", "int x;\n");
    h.MakeFolder("folder.c");
    h.Scan(QStringLiteral("*.*"));
    EXPECT_EQ(h.RowNames(), (Names{"a.c", "sub/x.c"}));
    h.Click(IDC_CHK_INCLUDE_SUB);
    h.Scan(QStringLiteral("*.*"));
    EXPECT_EQ(h.RowNames(), (Names{"a.c"}));
}

TEST(CLintallyDlgScan, OptionBoxesReachTheCountThroughDataExchange)
{
    DialogHarness h;
    h.WriteFile("a.c", "int a;\n// note\n\nint b;\n");
    h.Scan(QStringLiteral("*.c"));
    EXPECT_EQ(h.Text(IDC_EDIT_TOTAL), QStringLiteral("4"));
    h.Click(IDC_CHK_INCLUDE_REMED);
    h.Scan(QStringLiteral("*.c"));
    EXPECT_EQ(h.Text(IDC_EDIT_TOTAL), QStringLiteral("3"));
    h.Click(IDC_CHK_EXCLUDE_BLANK);
    h.Scan(QStringLiteral("*.c"));
    EXPECT_EQ(h.Text(IDC_EDIT_TOTAL), QStringLiteral("2"));
}

TEST(CLintallyDlgScan, RootWithOrWithoutSeparatorGivesTheSameRowsAndJoinsTheDestinationList)
{
    DialogHarness h;
    h.WriteFile("sub/x.c", "int x;\n");
    auto* destination = qobject_cast<QComboBox*>(h.dialog->GetDlgItem(IDC_CB_DESTINATION));
    h.Scan(QStringLiteral("*.c"));
    EXPECT_EQ(h.RowNames(), (Names{"sub/x.c"}));
    ASSERT_EQ(destination->count(), 4);
    EXPECT_EQ(destination->itemText(3), QString::fromStdString(h.Root()));

    h.Type(IDC_CB_DESTINATION, QString::fromStdString(h.Root() + "/"));
    h.Click(IDC_BTN_CALCULATE);
    ASSERT_TRUE(h.WaitForScanEnd());
    EXPECT_EQ(h.RowNames(), (Names{"sub/x.c"}));
    EXPECT_EQ(destination->count(), 5);
    h.Click(IDC_BTN_CALCULATE);
    ASSERT_TRUE(h.WaitForScanEnd());
    EXPECT_EQ(destination->count(), 5);
}

TEST(CLintallyDlgScan, ScanOfAnEmptyOrMissingRootShowsZeroAndNoOldRoot)
{
    DialogHarness h;
    h.WriteFile("full/a.c", Lines(3));
    h.MakeFolder("empty");
    h.Type(IDC_CB_FILETYPE, QStringLiteral("*.c"));
    h.Type(IDC_CB_DESTINATION, QString::fromStdString(h.Root() + "/full"));
    h.Click(IDC_BTN_CALCULATE);
    ASSERT_TRUE(h.WaitForScanEnd());
    ASSERT_EQ(h.Text(IDC_EDIT_TOTAL), QStringLiteral("3"));

    h.Type(IDC_CB_DESTINATION, QString::fromStdString(h.Root() + "/empty"));
    h.Click(IDC_BTN_CALCULATE);
    ASSERT_TRUE(h.WaitForScanEnd());
    EXPECT_EQ(h.RowCount(), 0);
    EXPECT_EQ(h.Text(IDC_EDIT_TOTAL), QStringLiteral("0"));
    EXPECT_EQ(h.Text(IDC_EDIT_ROOT), QString::fromStdString(h.Root() + "/empty/"));

    // A file is no folder to walk: nothing is scanned, so no root is shown either.
    h.Scan(QStringLiteral("*.c"));
    h.Type(IDC_CB_DESTINATION, QString::fromStdString(h.Root() + "/full/a.c"));
    h.Click(IDC_BTN_CALCULATE);
    ASSERT_TRUE(h.WaitForScanEnd());
    EXPECT_EQ(h.Text(IDC_EDIT_TOTAL), QStringLiteral("0"));
    EXPECT_EQ(h.Text(IDC_EDIT_ROOT), QString());
}

TEST(CLintallyDlgScan, LongNamesWidenTheListToScrollAndEveryRowTellsItsName)
{
    DialogHarness h;
    const std::string longName = "nested/" + std::string(120, 'n') + ".c";
    h.WriteFile("long/" + longName, "int a;\n");
    h.WriteFile("long/a.c", "int a;\n");
    h.WriteFile("short/b.c", "int b;\n");
    h.Type(IDC_CB_FILETYPE, QStringLiteral("*.c"));
    h.Type(IDC_CB_DESTINATION, QString::fromStdString(h.Root() + "/long"));
    h.Click(IDC_BTN_CALCULATE);
    ASSERT_TRUE(h.WaitForScanEnd());
    auto* list = qobject_cast<QTableView*>(h.dialog->GetDlgItem(IDC_LST_RESULT));
    const QString name = QString::fromStdString(longName);
    EXPECT_GT(list->columnWidth(0), list->fontMetrics().horizontalAdvance(name));
    EXPECT_EQ(list->columnWidth(1), 90);
    EXPECT_GT(list->horizontalScrollBar()->maximum(), 0);
    EXPECT_EQ(list->model()->index(1, 0).data(Qt::ToolTipRole).toString(), name);
    EXPECT_EQ(list->model()->index(1, 1).data(Qt::ToolTipRole).toString(), name);

    // Short names again: the column is back to its designed width.
    h.Type(IDC_CB_DESTINATION, QString::fromStdString(h.Root() + "/short"));
    h.Click(IDC_BTN_CALCULATE);
    ASSERT_TRUE(h.WaitForScanEnd());
    EXPECT_EQ(list->columnWidth(0), 273);
}
