// The save chooser as Qt shows it, and a double click in the Qt list reaching the core.
#include "DialogHarness.h"

#include "app/QtPrompts.h"
#include "dialog/ControlIds.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QItemSelectionModel>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Rows src/a.c (57 lines) and b.h (1200 lines) under the harness's root.
void ScanTwoFiles(DialogHarness& h)
{
    std::string lines;
    for (int i = 0; i < 1200; ++i) {
        lines += "x;\n";
    }
    h.WriteFile("b.h", lines);
    h.WriteFile("src/a.c", lines.substr(0, 57 * 3));
    h.Scan(QStringLiteral("*.c,*.h"));
}

// The events a real double click delivers: the second press comes with a double-click.
void DoubleClick(QWidget* widget, QPoint position)
{
    QTest::mouseClick(widget, Qt::LeftButton, Qt::NoModifier, position);
    QTest::mousePress(widget, Qt::LeftButton, Qt::NoModifier, position);
    QTest::mouseDClick(widget, Qt::LeftButton, Qt::NoModifier, position);
    QTest::mouseRelease(widget, Qt::LeftButton, Qt::NoModifier, position);
}

}  // namespace

TEST(CLintallyDlgSave, TheChooserListsTheFiltersByTheirDescriptions)
{
    DialogHarness h;
    ScanTwoFiles(h);
    h.Click(IDC_BTN_SAVE);
    ASSERT_EQ(h.prompts.saveRequests.size(), 1u);
    QFileDialog chooser;
    CQtPrompts::SetUpSaveDialog(chooser, h.prompts.saveRequests[0]);
    auto* types = chooser.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    ASSERT_NE(types, nullptr);
    ASSERT_EQ(types->count(), 2);
    EXPECT_EQ(types->itemText(0), QStringLiteral(u"文本文档"));
    EXPECT_EQ(types->itemText(1), QStringLiteral(u"所有文档"));
    EXPECT_EQ(chooser.defaultSuffix(), QStringLiteral("txt"));
}

TEST(CLintallyDlgOpen, DoubleClickOpensTheTopmostSelectedRowsFile)
{
    DialogHarness h;
    ScanTwoFiles(h);
    auto* list = qobject_cast<QTableView*>(h.dialog->GetDlgItem(IDC_LST_RESULT));
    h.Click(IDC_BTN_MORE);
    DoubleClick(list->viewport(), list->visualRect(list->model()->index(1, 0)).center());
    ASSERT_EQ(h.prompts.opened.size(), 1u);
    EXPECT_EQ(h.prompts.opened[0], h.Root() + "/src/a.c");

    list->selectionModel()->select(list->model()->index(0, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    emit list->doubleClicked(list->model()->index(1, 0));
    ASSERT_EQ(h.prompts.opened.size(), 2u);
    EXPECT_EQ(h.prompts.opened[1], h.Root() + "/b.h");

    // A root typed with its separator gives the same single separator.
    h.Type(IDC_CB_DESTINATION, QString::fromStdString(h.Root() + "/"));
    list->selectionModel()->clearSelection();
    list->selectionModel()->select(list->model()->index(1, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    emit list->doubleClicked(list->model()->index(1, 0));
    ASSERT_EQ(h.prompts.opened.size(), 3u);
    EXPECT_EQ(h.prompts.opened[2], h.Root() + "/src/a.c");
}
