// The result list of the Qt dialog after a scan: its columns and what its rows tell.
#include "DialogHarness.h"

#include "dialog/ControlIds.h"

#include <QScrollBar>
#include <QTableView>

#include <gtest/gtest.h>

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
