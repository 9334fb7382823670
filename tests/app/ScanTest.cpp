// The result list of the Qt dialog after a scan: its columns and what its rows tell.
#include "DialogHarness.h"

#include "dialog/ControlIds.h"

#include <QScrollBar>
#include <QTableView>

#include <gtest/gtest.h>

TEST(CLintallyDlgScan, LongNamesKeepTheCountsInViewAndEveryRowTellsItsName)
{
    DialogHarness h;
    const std::string longName = "nested/" + std::string(200, 'n') + ".c";
    h.WriteFile("long/" + longName, "int a;\n");
    h.WriteFile("long/a.c", "int a;\n");
    h.Type(IDC_CB_FILETYPE, QStringLiteral("*.c"));
    h.Type(IDC_CB_DESTINATION, QString::fromStdString(h.Root() + "/long"));
    h.Click(IDC_BTN_CALCULATE);
    ASSERT_TRUE(h.WaitForScanEnd());
    auto* list = qobject_cast<QTableView*>(h.dialog->GetDlgItem(IDC_LST_RESULT));
    EXPECT_EQ(list->columnWidth(0), 273);
    EXPECT_EQ(list->columnWidth(1), 90);
    EXPECT_LE(list->columnViewportPosition(1) + list->columnWidth(1), list->viewport()->width());
    EXPECT_EQ(list->horizontalScrollBar()->maximum(), 0);
    const QString name = QString::fromStdString(longName);
    EXPECT_EQ(list->model()->index(1, 0).data(Qt::ToolTipRole).toString(), name);
    EXPECT_EQ(list->model()->index(1, 1).data(Qt::ToolTipRole).toString(), name);
}
