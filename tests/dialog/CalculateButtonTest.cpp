// When Calculate may be pressed, and the root folder chosen by typing, picking or browsing.
#include "CoreHarness.h"

#include "dialog/ControlIds.h"
#include "fileio/ShellAllocator.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class CountingAllocator final : public Brim::IShellAllocator
{
public:
    void* Alloc(std::uint32_t size) override
    {
        ++allocated;
        return std::malloc(size);
    }
    void Free(void* block) override
    {
        freed += block != nullptr ? 1 : 0;
        std::free(block);
    }
    int allocated = 0;
    int freed = 0;
};

}  // namespace

TEST(CLintallyDlg, CalculateNeedsAnExistingRootAndATypeListAndSaysWhichIsMissing)
{
    const std::string noRoot = "The destination folder does not exist.";
    const std::string noTypes = "The file type list is empty.";
    CoreHarness h;
    const auto tip = [&h](int id) { return h.view.Get(id).toolTip; };
    h.Type(IDC_CB_DESTINATION, Native(h.Root() + "/missing"));
    EXPECT_FALSE(h.Enabled(IDC_BTN_CALCULATE));
    EXPECT_EQ(tip(IDC_BTN_CALCULATE), noRoot);
    EXPECT_EQ(tip(IDC_CB_DESTINATION), noRoot);
    h.MakeFolder("missing");
    h.Type(IDC_CB_DESTINATION, Native(h.Root() + "/missing"));
    EXPECT_TRUE(h.Enabled(IDC_BTN_CALCULATE));
    EXPECT_EQ(tip(IDC_BTN_CALCULATE), "");
    EXPECT_EQ(tip(IDC_CB_DESTINATION), "");

    h.Type(IDC_CB_FILETYPE, "");
    EXPECT_FALSE(h.Enabled(IDC_BTN_CALCULATE));
    EXPECT_EQ(tip(IDC_BTN_CALCULATE), noTypes);
    EXPECT_EQ(tip(IDC_CB_FILETYPE), noTypes);
    EXPECT_EQ(tip(IDC_CB_DESTINATION), "");
    h.Type(IDC_CB_DESTINATION, Native(h.Root() + "/nowhere"));
    EXPECT_EQ(tip(IDC_BTN_CALCULATE), noRoot + "\n" + noTypes);
}

#ifndef _WIN32
TEST(CLintallyDlg, TildeInTheDestinationMeansTheHomeFolder)
{
    CoreHarness h;
    const char* home = std::getenv("HOME");
    const std::string savedHome = home != nullptr ? home : "";
    setenv("HOME", (h.Root() + "/home").c_str(), 1);
    h.WriteFile("home/project/a.c", "int a;\n");
    h.MakeFolder("homeproject");
    h.Type(IDC_CB_FILETYPE, "*.c");
    h.Type(IDC_CB_DESTINATION, "~/project");
    EXPECT_TRUE(h.Enabled(IDC_BTN_CALCULATE));
    h.Click(IDC_BTN_CALCULATE);
    EXPECT_TRUE(h.WaitForScanEnd());
    EXPECT_EQ(h.RowNames(), std::vector<std::string>{"a.c"});
    // The root line shows the home folder as the destination named it.
    EXPECT_EQ(h.Text(IDC_EDIT_ROOT), "~/project/");

    h.Type(IDC_CB_DESTINATION, "~");
    EXPECT_TRUE(h.Enabled(IDC_BTN_CALCULATE));
    // Only a leading "~" on its own or before a separator is the home folder.
    h.Type(IDC_CB_DESTINATION, "~project");
    EXPECT_FALSE(h.Enabled(IDC_BTN_CALCULATE));
    setenv("HOME", savedHome.c_str(), 1);
}
#endif

TEST(CLintallyDlg, PickingADestinationOrATypePresetRechecksCalculate)
{
    CoreHarness h;
    h.view.AddComboItem(IDC_CB_DESTINATION, h.Root());
    h.Pick(IDC_CB_DESTINATION, 3);
    EXPECT_TRUE(h.Enabled(IDC_BTN_CALCULATE));

    h.Type(IDC_CB_FILETYPE, "");
    ASSERT_FALSE(h.Enabled(IDC_BTN_CALCULATE));
    h.Pick(IDC_CB_FILETYPE, 3);
    EXPECT_TRUE(h.Enabled(IDC_BTN_CALCULATE));

    h.Pick(IDC_CB_DESTINATION, 0);
    EXPECT_FALSE(h.Enabled(IDC_BTN_CALCULATE));
}

TEST(CLintallyDlg, BrowseOpensOnTheRootAndSetsTheChosenFolderWithASeparator)
{
    CountingAllocator allocator;
    Brim::IShellAllocator* previous = Brim::SetShellAllocator(&allocator);
    {
        CoreHarness h;
        h.MakeFolder("project");
        h.prompts.browseResult = Native(h.Root() + "/project");
        h.Type(IDC_CB_DESTINATION, "/nowhere");
        h.Click(IDC_BTN_BROWSE);
        EXPECT_EQ(h.prompts.browseTitle, "Select destination folder");
        EXPECT_EQ(h.prompts.browseSelection, "/nowhere");
        EXPECT_EQ(h.Text(IDC_CB_DESTINATION), Native(h.Root() + "/project/"));
        EXPECT_TRUE(h.Enabled(IDC_BTN_CALCULATE));

        h.prompts.browseResult = Native("/");
        h.dialog->OnCommand(ID_FILE_SELECTFOLDER);
        EXPECT_EQ(h.prompts.browseSelection, Native(h.Root() + "/project/"));
        EXPECT_EQ(h.Text(IDC_CB_DESTINATION), Native("/"));

        h.prompts.browseResult.clear();
        h.Click(IDC_BTN_BROWSE);
        EXPECT_EQ(h.Text(IDC_CB_DESTINATION), Native("/"));
    }
    Brim::SetShellAllocator(previous);
    EXPECT_EQ(allocator.allocated, 2);
    EXPECT_EQ(allocator.freed, 2);
}

TEST(CLintallyDlg, OpenFolderOpensTheRootTextAsItIs)
{
    CoreHarness h;
    h.Type(IDC_CB_DESTINATION, "D:\\lib_main");
    h.dialog->OnCommand(ID_FILE_OPENFOLDER);
    ASSERT_EQ(h.prompts.opened.size(), 1u);
    EXPECT_EQ(h.prompts.opened[0], "D:\\lib_main");
}
