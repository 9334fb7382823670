// The committed golden trees scanned through the real dialog: the saved report must equal
// the expected report beside the trees byte for byte, as it must for the command line.
#include "CoreHarness.h"

#include "dialog/ControlIds.h"
#include "fileio/PathSeparator.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using lintally::testing::ReadAll;

namespace {

struct DialogGoldenCase
{
    const char* expected;  // report beside the trees
    const char* typeList;
    const char* root;  // relative to the trees, as typed
    bool includeSub;
    bool includeRemed;
    bool excludeBlank;
};

// Every committed report the dialog's options can give (the block-comment one is the
// command line's alone; a scan without rows saves nothing).
const DialogGoldenCase kCases[] = {
    {"filter.c-h.report", "*.c,*.h", "filter", true, true, false},
    {"filter.c-h-strict.report", "*.c,*.h", "filter", true, false, true},
    {"filter.all.report", "*.*", "filter", true, true, false},
    {"filter.space.report", "*.h ,*.c", "filter", true, true, false},
    {"filter.tar-gz.report", "*.tar.gz", "filter", true, true, false},
    {"nested.all.report", "*.*", "nested", true, true, false},
    {"nested.no-sub.report", "*.*", "nested/", false, true, false},
    {"nested.strict.report", "*.c,*.h", "nested", true, false, true},
};

void SetCheck(CoreHarness& h, int id, bool checked)
{
    h.view.SetChecked(id, checked);
}

// The committed reports name folders with '/'; this system's separator may differ.
std::string WithSlashes(std::string report)
{
    std::replace(report.begin(), report.end(), Brim::kPathSeparator, '/');
    return report;
}

}  // namespace

TEST(CLintallyDlgGolden, SavesTheExpectedReportOfEveryGoldenTree)
{
    const std::string trees = std::string(LINTALLY_TEST_DATA) + "/trees";
    const std::filesystem::path previous = std::filesystem::current_path();
    std::filesystem::current_path(trees);
    CoreHarness h;
    for (const DialogGoldenCase& golden : kCases) {
        SetCheck(h, IDC_CHK_INCLUDE_SUB, golden.includeSub);
        SetCheck(h, IDC_CHK_INCLUDE_REMED, golden.includeRemed);
        SetCheck(h, IDC_CHK_EXCLUDE_BLANK, golden.excludeBlank);
        h.Type(IDC_CB_FILETYPE, golden.typeList);
        h.Type(IDC_CB_DESTINATION, golden.root);
        h.Click(IDC_BTN_CALCULATE);
        ASSERT_TRUE(h.WaitForScanEnd()) << golden.expected;
        const std::string saved = h.folder.Path(golden.expected);
        h.prompts.saveFileName = (saved);
        h.Click(IDC_BTN_SAVE);
        EXPECT_EQ(WithSlashes(ReadAll(saved)), ReadAll(trees + "/" + golden.expected))
            << golden.expected;
    }
    EXPECT_TRUE(h.prompts.errors.empty());
    std::filesystem::current_path(previous);
}
