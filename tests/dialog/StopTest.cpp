// Stopping a running scan: the question, its two answers, closing and File > Exit.
#include "CoreHarness.h"

#include "dialog/ControlIds.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

constexpr int kFiles = 400;

// A scan of kFiles one-line files that has listed a few rows and runs on.
void StartLongScan(CoreHarness& h)
{
    h.WriteManyFiles(kFiles);
    h.Type(IDC_CB_FILETYPE, "*.c");
    h.Type(IDC_CB_DESTINATION, h.Root());
    h.Click(IDC_BTN_CALCULATE);
    ASSERT_TRUE(h.WaitForRows(10));
    ASSERT_TRUE(h.dialog->IsScanning());
    ASSERT_EQ(h.Text(IDC_BTN_CALCULATE), "&Stop");
}

const std::string kQuestion = "Confirm|Stop current searching?";

// count one-line files "<folder>/<folder>1000.c", ...: each scan's rows are told by name.
void WriteFiles(CoreHarness& h, const std::string& folder, int count)
{
    for (int i = 0; i < count; ++i) {
        h.WriteFile(folder + "/" + folder + std::to_string(1000 + i) + ".c", "x;\n");
    }
}

}  // namespace

TEST(CLintallyDlgStop, AnsweringNoPausesWhileAskingThenLetsTheScanFinish)
{
    CoreHarness h;
    StartLongScan(h);
    int rowsWhenAsked = 0;
    int rowsAfterWaiting = 0;
    h.prompts.whileAsking = [&] {
        // A real box runs the event loop meanwhile. The rows the worker queued before the
        // gate closed come in with the first messages, however late a loaded machine
        // delivers them; after that the scan stands.
        h.WaitUntil([] { return false; }, 50);
        rowsWhenAsked = h.RowCount();
        h.WaitUntil([] { return false; }, 50);
        rowsAfterWaiting = h.RowCount();
    };
    h.Click(IDC_BTN_CALCULATE);
    ASSERT_EQ(h.prompts.questions, std::vector<std::string>{kQuestion});
    // At most the row that was on its way when the gate closed.
    EXPECT_LE(rowsAfterWaiting - rowsWhenAsked, 1);
    EXPECT_EQ(h.Text(IDC_BTN_CALCULATE), "&Stop");
    ASSERT_TRUE(h.WaitForScanEnd());
    EXPECT_EQ(h.RowCount(), kFiles);
    EXPECT_EQ(h.Text(IDC_EDIT_TOTAL), "400");
    EXPECT_EQ(h.Text(IDC_BTN_CALCULATE), "&Calculate");
}

TEST(CLintallyDlgStop, AnsweringYesKeepsTheRowsSoFarAndRestoresCalculate)
{
    CoreHarness h;
    StartLongScan(h);
    h.prompts.answerYes = true;
    h.Click(IDC_BTN_CALCULATE);
    EXPECT_FALSE(h.dialog->IsScanning());
    EXPECT_EQ(h.Text(IDC_BTN_CALCULATE), "&Calculate");
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

TEST(CLintallyDlgStop, StopPressedAsTheScanEndsKeepsItsRowsAndStartsNoOtherScan)
{
    CoreHarness h;
    h.WriteManyFiles(3);
    h.Type(IDC_CB_FILETYPE, "*.c");
    h.Type(IDC_CB_DESTINATION, h.Root());
    h.Click(IDC_BTN_CALCULATE);
    // The scan ends while its last reports, which bring the caption back, are on their way.
    for (int ms = 0; ms < 30000 && h.dialog->IsScanning(); ++ms) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ASSERT_EQ(h.Text(IDC_BTN_CALCULATE), "&Stop");
    h.Click(IDC_BTN_CALCULATE);
    EXPECT_FALSE(h.dialog->IsScanning());
    ASSERT_TRUE(h.WaitForScanEnd());
    EXPECT_EQ(h.RowCount(), 3);
    EXPECT_TRUE(h.prompts.questions.empty());
}

TEST(CLintallyDlgScan, EditingTheDestinationDuringAScanChangesNothingOfIt)
{
    CoreHarness h;
    StartLongScan(h);
    h.Type(IDC_CB_DESTINATION, "/");
    ASSERT_TRUE(h.WaitForScanEnd());
    EXPECT_EQ(h.RowCount(), kFiles);
    EXPECT_EQ(h.RowNames().back(), "f0399.c");
    EXPECT_EQ(h.Text(IDC_EDIT_ROOT), Native(h.Root() + "/"));
}

TEST(CLintallyDlgStop, ClosingDuringAScanAsksAndNoKeepsTheDialogAndTheScan)
{
    CoreHarness h;
    StartLongScan(h);
    EXPECT_FALSE(h.dialog->OnClose());
    EXPECT_EQ(h.prompts.questions, std::vector<std::string>{kQuestion});
    ASSERT_TRUE(h.WaitForScanEnd());
    EXPECT_EQ(h.RowCount(), kFiles);

    EXPECT_TRUE(h.dialog->OnClose());
    EXPECT_EQ(h.prompts.questions.size(), 1u);
}

TEST(CLintallyDlgStop, ClosingWithYesStopsTheScanBeforeTheDialogGoes)
{
    CoreHarness h;
    StartLongScan(h);
    h.prompts.answerYes = true;
    EXPECT_TRUE(h.dialog->OnClose());
    EXPECT_FALSE(h.dialog->IsScanning());
    h.dialog.reset();
}

TEST(CLintallyDlgStop, ExitDuringAScanEndsWithoutAskingAndWithoutReportsAfterwards)
{
    CoreHarness h;
    StartLongScan(h);
    h.dialog->OnCommand(ID_FILE_EXIT);
    EXPECT_TRUE(h.prompts.questions.empty());
    EXPECT_TRUE(h.view.ended);
    EXPECT_FALSE(h.dialog->IsScanning());
    const int rows = h.RowCount();
    h.WaitUntil([] { return false; }, 20);
    EXPECT_EQ(h.RowCount(), rows);
    h.dialog.reset();
}

TEST(CLintallyDlgStop, AStoppedScanStillUnwindingNeitherStopsNorRelabelsTheNextOne)
{
    CoreHarness h;
    // The old scan is long (each entry waits at least 1 ms at its poll), so it still runs
    // when its first reports are shown, however late that is.
    WriteFiles(h, "old", kFiles);
    WriteFiles(h, "new", kFiles);
    h.Type(IDC_CB_FILETYPE, "*.c");
    h.Type(IDC_CB_DESTINATION, Native(h.Root() + "/old"));
    // Stop the first scan and start the next one from inside the delivery of its reports:
    // the rest of that batch must not reach the new scan.
    bool restarted = false;
    bool oldStillRunning = false;
    h.view.onSetText = [&](int id, const std::string& text) {
        if (id != IDC_EDIT_TOTAL || restarted || text == "0") {
            return;
        }
        restarted = true;
        oldStillRunning = h.dialog->IsScanning();
        h.prompts.answerYes = true;
        h.Click(IDC_BTN_CALCULATE);
        h.prompts.answerYes = false;
        h.Type(IDC_CB_DESTINATION, Native(h.Root() + "/new"));
        h.Click(IDC_BTN_CALCULATE);
    };
    h.Click(IDC_BTN_CALCULATE);
    // Some of the old scan's reports queue up undelivered, as while the window is busy.
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ASSERT_TRUE(h.WaitUntil([&] { return restarted; }, 30000));
    ASSERT_TRUE(oldStillRunning) << "the old scan ended before its first report was shown";

    bool relabelled = false;
    ASSERT_TRUE(h.WaitUntil(
        [&] {
            relabelled =
                relabelled || (h.dialog->IsScanning() && h.Text(IDC_BTN_CALCULATE) != "&Stop");
            return !h.dialog->IsScanning();
        },
        30000));
    EXPECT_FALSE(relabelled);
    ASSERT_TRUE(h.WaitForScanEnd());
    EXPECT_EQ(h.RowCount(), kFiles);
    EXPECT_EQ(h.RowNames().back(), "new1399.c");  // an old row would sort after it
    EXPECT_EQ(h.Text(IDC_EDIT_TOTAL), "400");
    EXPECT_EQ(h.Text(IDC_EDIT_ROOT), Native(h.Root() + "/new/"));
    EXPECT_EQ(h.Text(IDC_BTN_CALCULATE), "&Calculate");
    EXPECT_EQ(h.prompts.questions.size(), 1u);
}
