// The committed golden trees scanned through the real dialog: the saved report must equal
// the expected report beside the trees byte for byte, as it must for the command line.
#include "DialogHarness.h"

#include "app/ControlIds.h"

#include <QCheckBox>
#include <QDir>

#include <gtest/gtest.h>

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

void SetCheck(DialogHarness& h, int id, bool checked)
{
    qobject_cast<QCheckBox*>(h.dialog->GetDlgItem(id))->setChecked(checked);
}

}  // namespace

TEST(CLintallyDlgGolden, SavesTheExpectedReportOfEveryGoldenTree)
{
    const std::string trees = std::string(LINTALLY_TEST_DATA) + "/trees";
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(trees)));
    DialogHarness h;
    for (const DialogGoldenCase& golden : kCases) {
        SetCheck(h, IDC_CHK_INCLUDE_SUB, golden.includeSub);
        SetCheck(h, IDC_CHK_INCLUDE_REMED, golden.includeRemed);
        SetCheck(h, IDC_CHK_EXCLUDE_BLANK, golden.excludeBlank);
        h.Type(IDC_CB_FILETYPE, QString::fromUtf8(golden.typeList));
        h.Type(IDC_CB_DESTINATION, QString::fromUtf8(golden.root));
        h.Click(IDC_BTN_CALCULATE);
        ASSERT_TRUE(h.WaitForScanEnd()) << golden.expected;
        const std::string saved = h.folder.Path(golden.expected);
        h.prompts.saveFileName = QString::fromStdString(saved);
        h.Click(IDC_BTN_SAVE);
        EXPECT_EQ(ReadAll(saved), ReadAll(trees + "/" + golden.expected)) << golden.expected;
    }
    EXPECT_TRUE(h.prompts.errors.empty());
    QDir::setCurrent(previous);
}
