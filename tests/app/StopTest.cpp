// Stopping a running scan: the question, its two answers, closing and File > Exit.
#include "DialogHarness.h"

#include "app/ControlIds.h"

#include <QAction>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr int kFiles = 400;

// A scan of kFiles one-line files that has listed a few rows and runs on.
void StartLongScan(DialogHarness& h)
{
    h.WriteManyFiles(kFiles);
    h.Type(IDC_CB_FILETYPE, QStringLiteral("*.c"));
    h.Type(IDC_CB_DESTINATION, QString::fromStdString(h.Root()));
    h.Click(IDC_BTN_CALCULATE);
    ASSERT_TRUE(h.WaitForRows(10));
    ASSERT_TRUE(h.dialog->IsScanning());
    ASSERT_EQ(h.Text(IDC_BTN_CALCULATE), QStringLiteral("&Stop"));
}

const QString kQuestion = QStringLiteral("Confirm|Stop current searching?");

void WriteFiles(DialogHarness& h, const char* folder, int count)
{
    for (int i = 0; i < count; ++i) {
        h.WriteFile(std::string(folder) + "/f" + std::to_string(1000 + i) + ".c", "x;\n");
    }
}

} // namespace

TEST(CLintallyDlgStop, AnsweringNoPausesWhileAskingThenLetsTheScanFinish)
{
    DialogHarness h;
    StartLongScan(h);
    int rowsWhenAsked = 0;
    int rowsAfterWaiting = 0;
    h.prompts.whileAsking = [&] {
        rowsWhenAsked = h.RowCount();
        h.WaitUntil([] { return false; }, 50);  // a real box runs the event loop meanwhile
        rowsAfterWaiting = h.RowCount();
    };
    h.Click(IDC_BTN_CALCULATE);
    ASSERT_EQ(h.prompts.questions, std::vector<QString>{kQuestion});
    // At most the row already on its way when the gate closed.
    EXPECT_LE(rowsAfterWaiting - rowsWhenAsked, 1);
    EXPECT_EQ(h.Text(IDC_BTN_CALCULATE), QStringLiteral("&Stop"));
    ASSERT_TRUE(h.WaitForScanEnd());
    EXPECT_EQ(h.RowCount(), kFiles);
    EXPECT_EQ(h.Text(IDC_EDIT_TOTAL), QStringLiteral("400"));
    EXPECT_EQ(h.Text(IDC_BTN_CALCULATE), QStringLiteral("&Calculate"));
}

TEST(CLintallyDlgStop, AnsweringYesKeepsTheRowsSoFarAndRestoresCalculate)
{
    DialogHarness h;
    StartLongScan(h);
    h.prompts.answerYes = true;
    h.Click(IDC_BTN_CALCULATE);
    EXPECT_FALSE(h.dialog->IsScanning());
    EXPECT_EQ(h.Text(IDC_BTN_CALCULATE), QStringLiteral("&Calculate"));
    const int rows = h.RowCount();
    h.WaitUntil([] { return false; }, 50);
    EXPECT_EQ(h.RowCount(), rows);
    EXPECT_LT(rows, kFiles);

    // A new scan starts cleanly beside the stopped one and runs to its end.
    h.prompts.answerYes = false;
    h.Click(IDC_BTN_CALCULATE);
    ASSERT_TRUE(h.WaitForScanEnd());
    EXPECT_EQ(h.RowCount(), kFiles);
    EXPECT_EQ(h.prompts.questions.size(), 1u);
}

TEST(CLintallyDlgScan, EditingTheDestinationDuringAScanChangesNothingOfIt)
{
    DialogHarness h;
    StartLongScan(h);
    h.Type(IDC_CB_DESTINATION, QStringLiteral("/"));
    ASSERT_TRUE(h.WaitForScanEnd());
    EXPECT_EQ(h.RowCount(), kFiles);
    EXPECT_EQ(h.RowNames().back(), "f0399.c");
    EXPECT_EQ(h.Text(IDC_EDIT_ROOT), QString::fromStdString(h.Root() + "/"));
}

TEST(CLintallyDlgStop, ClosingDuringAScanAsksAndNoKeepsTheDialogAndTheScan)
{
    DialogHarness h;
    StartLongScan(h);
    h.dialog->close();
    EXPECT_EQ(h.prompts.questions, std::vector<QString>{kQuestion});
    EXPECT_TRUE(h.dialog->isVisible());
    ASSERT_TRUE(h.WaitForScanEnd());
    EXPECT_EQ(h.RowCount(), kFiles);

    h.dialog->close();
    EXPECT_FALSE(h.dialog->isVisible());
    EXPECT_EQ(h.prompts.questions.size(), 1u);
}

TEST(CLintallyDlgStop, ClosingWithYesStopsTheScanBeforeTheDialogGoes)
{
    DialogHarness h;
    StartLongScan(h);
    h.prompts.answerYes = true;
    h.dialog->close();
    EXPECT_FALSE(h.dialog->isVisible());
    EXPECT_FALSE(h.dialog->IsScanning());
    h.dialog.reset();
}

TEST(CLintallyDlgStop, ExitDuringAScanEndsWithoutAskingAndWithoutReportsAfterwards)
{
    DialogHarness h;
    StartLongScan(h);
    h.dialog->GetMenuItem(ID_FILE_EXIT)->trigger();
    EXPECT_TRUE(h.prompts.questions.empty());
    EXPECT_FALSE(h.dialog->isVisible());
    EXPECT_FALSE(h.dialog->IsScanning());
    const int rows = h.RowCount();
    h.WaitUntil([] { return false; }, 20);
    EXPECT_EQ(h.RowCount(), rows);
    h.dialog.reset();
}

TEST(CLintallyDlgStop, AStoppedScanStillUnwindingNeitherStopsNorRelabelsTheNextOne)
{
    DialogHarness h;
    WriteFiles(h, "old", 50);
    WriteFiles(h, "new", kFiles);
    h.Type(IDC_CB_FILETYPE, QStringLiteral("*.c"));
    h.Type(IDC_CB_DESTINATION, QString::fromStdString(h.Root() + "/old"));
    // Stop the first scan and start the next one while the first is held inside one of its
    // reports: it cannot end before the new scan runs.
    bool restarted = false;
    auto* total = qobject_cast<QLineEdit*>(h.dialog->GetDlgItem(IDC_EDIT_TOTAL));
    QObject::connect(total, &QLineEdit::textChanged, total, [&](const QString& text) {
        if (restarted || text == QStringLiteral("0")) {
            return;
        }
        restarted = true;
        h.prompts.answerYes = true;
        h.Click(IDC_BTN_CALCULATE);
        h.prompts.answerYes = false;
        h.Type(IDC_CB_DESTINATION, QString::fromStdString(h.Root() + "/new"));
        h.Click(IDC_BTN_CALCULATE);
    });
    h.Click(IDC_BTN_CALCULATE);
    ASSERT_TRUE(h.WaitUntil([&] { return restarted; }, 30000));

    bool relabelled = false;
    ASSERT_TRUE(h.WaitUntil([&] {
        relabelled = relabelled || (h.dialog->IsScanning() && h.Text(IDC_BTN_CALCULATE) != QStringLiteral("&Stop"));
        return !h.dialog->IsScanning();
    }, 30000));
    EXPECT_FALSE(relabelled);
    ASSERT_TRUE(h.WaitForScanEnd());
    EXPECT_EQ(h.RowCount(), kFiles);
    EXPECT_EQ(h.Text(IDC_EDIT_TOTAL), QStringLiteral("400"));
    EXPECT_EQ(h.Text(IDC_EDIT_ROOT), QString::fromStdString(h.Root() + "/new/"));
    EXPECT_EQ(h.Text(IDC_BTN_CALCULATE), QStringLiteral("&Calculate"));
    EXPECT_EQ(h.prompts.questions.size(), 1u);
}
