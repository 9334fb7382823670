// Saving the report and opening a listed file.
#include "DialogHarness.h"

#include "app/ControlIds.h"
#include "app/QtPrompts.h"

#include <QAction>
#include <QComboBox>
#include <QFileDialog>
#include <QItemSelectionModel>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>

using lintally::testing::ReadAll;

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

std::string ExpectedReport(const std::string& root)
{
    return "Folder:\r\n  " + root + "\r\n\r\nSource Files Info:\r\n  Lines  |  File\r\n"
           "_____________________\r\n"
           "  1200      b.h\r\n"
           "  57        src/a.c\r\n"
           "_____________________\r\n"
           "Total: 1,257(2 files).";
}

} // namespace

TEST(CLintallyDlgSave, WritesTheReportByteForByteWithCrLfWhateverTheLineBreakSetting)
{
    DialogHarness h;
    ScanTwoFiles(h);
    h.dialog->GetMenuItem(ID_LINEBREAK_CR)->trigger();
    const std::string target = h.Root() + "/report.txt";
    h.prompts.saveFileName = QString::fromStdString(target);
    h.Click(IDC_BTN_SAVE);
    ASSERT_EQ(h.prompts.saveRequests.size(), 1u);
    const SaveFileRequest& request = h.prompts.saveRequests[0];
    EXPECT_EQ(request.title, QStringLiteral("Save to file..."));
    EXPECT_EQ(request.filters, (QStringList{QStringLiteral(u"文本文档 (*.txt)"), QStringLiteral(u"所有文档 (*.*)")}));
    // The chooser lists the filters by their descriptions alone.
    QFileDialog chooser;
    CQtPrompts::SetUpSaveDialog(chooser, request);
    auto* types = chooser.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    ASSERT_NE(types, nullptr);
    ASSERT_EQ(types->count(), 2);
    EXPECT_EQ(types->itemText(0), QStringLiteral(u"文本文档"));
    EXPECT_EQ(types->itemText(1), QStringLiteral(u"所有文档"));
    EXPECT_EQ(request.defaultSuffix, QStringLiteral("txt"));
    EXPECT_TRUE(request.confirmOverwrite);
    EXPECT_EQ(ReadAll(target), ExpectedReport(h.Root()));
    EXPECT_TRUE(h.prompts.errors.empty());
}

TEST(CLintallyDlgSave, ReplacesALongerOldFileEntirely)
{
    DialogHarness h;
    ScanTwoFiles(h);
    const std::string target = h.folder.Write("old.txt", std::string(4096, 'o'));
    h.prompts.saveFileName = QString::fromStdString(target);
    h.Click(IDC_BTN_SAVE);
    EXPECT_EQ(ReadAll(target), ExpectedReport(h.Root()));
}

TEST(CLintallyDlgSave, AFailedWriteShowsAnErrorAndLeavesTheOldFileAsItWas)
{
    DialogHarness h;
    ScanTwoFiles(h);
    const std::string target = h.folder.Write("keep.txt", "old report");
    h.prompts.saveFileName = QString::fromStdString(target);
    // A file-size limit makes the write fail even for root.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 16;
    setrlimit(RLIMIT_FSIZE, &small);
    h.Click(IDC_BTN_SAVE);
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(h.prompts.errors.size(), 1u);
    EXPECT_EQ(ReadAll(target), "old report");
}

TEST(CLintallyDlgSave, DoesNothingWithoutRowsOrWhenCancelled)
{
    DialogHarness h;
    h.Click(IDC_BTN_SAVE);
    EXPECT_TRUE(h.prompts.saveRequests.empty());
    ScanTwoFiles(h);
    h.Click(IDC_BTN_SAVE);
    EXPECT_EQ(h.prompts.saveRequests.size(), 1u);
    EXPECT_TRUE(h.prompts.errors.empty());
}

TEST(CLintallyDlgOpen, DoubleClickOpensTheTopmostSelectedRowsFile)
{
    DialogHarness h;
    ScanTwoFiles(h);
    auto* list = qobject_cast<QTableView*>(h.dialog->GetDlgItem(IDC_LST_RESULT));
    h.Click(IDC_BTN_MORE);
    DoubleClick(list->viewport(), list->visualRect(list->model()->index(1, 0)).center());
    ASSERT_EQ(h.prompts.opened.size(), 1u);
    EXPECT_EQ(h.prompts.opened[0], QString::fromStdString(h.Root() + "/src/a.c"));

    list->selectionModel()->select(list->model()->index(0, 0),
                                   QItemSelectionModel::Select | QItemSelectionModel::Rows);
    emit list->doubleClicked(list->model()->index(1, 0));
    ASSERT_EQ(h.prompts.opened.size(), 2u);
    EXPECT_EQ(h.prompts.opened[1], QString::fromStdString(h.Root() + "/b.h"));

    // A root typed with its separator gives the same single separator.
    h.Type(IDC_CB_DESTINATION, QString::fromStdString(h.Root() + "/"));
    list->selectionModel()->clearSelection();
    list->selectionModel()->select(list->model()->index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    emit list->doubleClicked(list->model()->index(1, 0));
    ASSERT_EQ(h.prompts.opened.size(), 3u);
    EXPECT_EQ(h.prompts.opened[2], QString::fromStdString(h.Root() + "/src/a.c"));
}

TEST(CLintallyDlgOpen, DoubleClickIgnoresAFileThatHasGone)
{
    DialogHarness h;
    ScanTwoFiles(h);
    std::remove((h.Root() + "/b.h").c_str());
    auto* list = qobject_cast<QTableView*>(h.dialog->GetDlgItem(IDC_LST_RESULT));
    list->selectRow(0);
    emit list->doubleClicked(list->model()->index(0, 0));
    EXPECT_TRUE(h.prompts.opened.empty());
}
