// Saving the report and opening a listed file.
#include "CoreHarness.h"

#include "dialog/ControlIds.h"

#include <gtest/gtest.h>

#include <cstdio>

#ifndef _WIN32
#include <sys/resource.h>
#include <csignal>
#endif

using lintally::testing::ReadAll;

namespace {

// Rows src/a.c (57 lines) and b.h (1200 lines) under the harness's root.
void ScanTwoFiles(CoreHarness& h)
{
    std::string lines;
    for (int i = 0; i < 1200; ++i) {
        lines += "x;\n";
    }
    h.WriteFile("b.h", lines);
    h.WriteFile("src/a.c", lines.substr(0, 57 * 3));
    h.Scan("*.c,*.h");
}

std::string ExpectedReport(const std::string& root)
{
    return "Folder:\r\n  " + root +
           "\r\n\r\nSource Files Info:\r\n  Lines  |  File\r\n"
           "_____________________\r\n"
           "  1200      b.h\r\n"
           "  57        " +
           Native("src/a.c") +
           "\r\n"
           "_____________________\r\n"
           "Total: 1,257(2 files).";
}

}  // namespace

TEST(CLintallyDlgSave, WritesTheReportByteForByteWithCrLfWhateverTheLineBreakSetting)
{
    CoreHarness h;
    ScanTwoFiles(h);
    h.dialog->OnCommand(ID_LINEBREAK_CR);
    const std::string target = h.Root() + "/report.txt";
    h.prompts.saveFileName = (target);
    h.Click(IDC_BTN_SAVE);
    ASSERT_EQ(h.prompts.saveRequests.size(), 1u);
    const SaveFileRequest& request = h.prompts.saveRequests[0];
    EXPECT_EQ(request.title, "Save to file...");
    ASSERT_EQ(request.filters.size(), 2u);
    EXPECT_EQ(request.filters[0].description, "文本文档");
    EXPECT_EQ(request.filters[0].pattern, "*.txt");
    EXPECT_EQ(request.filters[1].description, "所有文档");
    EXPECT_EQ(request.filters[1].pattern, "*.*");
    EXPECT_EQ(request.defaultSuffix, "txt");
    EXPECT_TRUE(request.confirmOverwrite);
    EXPECT_EQ(ReadAll(target), ExpectedReport(h.Root()));
    EXPECT_TRUE(h.prompts.errors.empty());
}

TEST(CLintallyDlgSave, ReplacesALongerOldFileEntirely)
{
    CoreHarness h;
    ScanTwoFiles(h);
    const std::string target = h.folder.Write("old.txt", std::string(4096, 'o'));
    h.prompts.saveFileName = (target);
    h.Click(IDC_BTN_SAVE);
    EXPECT_EQ(ReadAll(target), ExpectedReport(h.Root()));
}

#ifndef _WIN32
TEST(CLintallyDlgSave, AFailedWriteShowsAnErrorAndLeavesTheOldFileAsItWas)
{
    CoreHarness h;
    ScanTwoFiles(h);
    const std::string target = h.folder.Write("keep.txt", "old report");
    h.prompts.saveFileName = (target);
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
#endif

TEST(CLintallyDlgSave, DoesNothingWithoutRowsOrWhenCancelled)
{
    CoreHarness h;
    h.Click(IDC_BTN_SAVE);
    EXPECT_TRUE(h.prompts.saveRequests.empty());
    ScanTwoFiles(h);
    h.Click(IDC_BTN_SAVE);
    EXPECT_EQ(h.prompts.saveRequests.size(), 1u);
    EXPECT_TRUE(h.prompts.errors.empty());
}

TEST(CLintallyDlgOpen, DoubleClickOpensTheTopmostSelectedRowsFile)
{
    CoreHarness h;
    ScanTwoFiles(h);
    h.view.selectedRows = {1};
    h.dialog->OnDblclkResult();
    h.view.selectedRows = {1, 0};
    h.dialog->OnDblclkResult();
    // A root typed with its separator, this system's or '/' (one on every system), gives
    // the same single separator.
    for (const std::string& typed : {Native(h.Root() + "/"), h.Root() + "/"}) {
        h.Type(IDC_CB_DESTINATION, typed);
        h.view.selectedRows = {1};
        h.dialog->OnDblclkResult();
    }
    h.view.selectedRows = {};
    h.dialog->OnDblclkResult();
    EXPECT_EQ(h.prompts.opened,
              (std::vector<std::string>{Native(h.Root() + "/src/a.c"), Native(h.Root() + "/b.h"),
                                        Native(h.Root() + "/src/a.c"),
                                        h.Root() + "/" + Native("src/a.c")}));
}

TEST(CLintallyDlgOpen, DoubleClickIgnoresAFileThatHasGone)
{
    CoreHarness h;
    ScanTwoFiles(h);
    std::remove((h.Root() + "/b.h").c_str());
    h.view.selectedRows = {0};
    h.dialog->OnDblclkResult();
    EXPECT_TRUE(h.prompts.opened.empty());
}
