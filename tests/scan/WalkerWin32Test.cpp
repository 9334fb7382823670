// The walk over real Windows folders: the system and hidden attributes, folder links,
// '\' in every path and name, and a root given with a trailing '\' or '/'.
#include <gtest/gtest.h>

#include <algorithm>

#include "scan/PatternList.h"
#include "scan/Walker.h"
#include "tests/scan/RecordingVisitor.h"
#include "tests/support/Win32Tree.h"

using lintally::scan::BuildPatternList;
using lintally::scan::WalkFolder;
using lintally::testing::AddAttributes;
using lintally::testing::MakeFolderLink;
using lintally::testing::RecordingVisitor;
using lintally::testing::TempFolder;
using Names = std::vector<std::string>;

namespace {

Names SortedMatches(const std::string& root)
{
    RecordingVisitor visitor;
    WalkFolder(root, BuildPatternList("*.*"), visitor);
    Names matched = visitor.Matched();
    std::sort(matched.begin(), matched.end());
    return matched;
}

}  // namespace

TEST(SystemDirReader, SkipsSystemEntriesButWalksHiddenOnes)
{
    const TempFolder tree;
    tree.Write("a.c", "int a;\n");
    tree.Write("sys.c", "int s;\n");
    tree.Write("sysdir/in.c", "int i;\n");
    tree.Write("hid/h.c", "int h;\n");
    tree.Write("hidden.c", "int h;\n");
    ASSERT_TRUE(AddAttributes(tree, "sys.c", FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(AddAttributes(tree, "sysdir", FILE_ATTRIBUTE_SYSTEM));
    ASSERT_TRUE(AddAttributes(tree, "hid", FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(AddAttributes(tree, "hidden.c", FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(SortedMatches(tree.Root()), (Names{"a.c", "hid\\h.c", "hidden.c"}));
}

TEST(SystemDirReader, NeverFollowsAFolderLink)
{
    const TempFolder tree;
    tree.Write("walked/sub/x.c", "int x;\n");
    tree.Write("outside/y.c", "int y;\n");
    if (!MakeFolderLink(tree, "walked/sub/loop", "..") ||
        !MakeFolderLink(tree, "walked/out", "..\\outside")) {
        GTEST_SKIP() << "this system makes no folder links for this user";
    }
    EXPECT_EQ(SortedMatches(tree.Path("walked")), (Names{"sub\\x.c"}));
}

TEST(WalkFolder, JoinsWithBackslashAndDropsOneTrailingSeparatorOfTheRoot)
{
    const TempFolder tree;
    tree.Write("top.c", "1\n");
    tree.Write("sub/deeper/x.c", "1\n");
    const Names expected = {"sub\\deeper\\x.c", "top.c"};
    for (const std::string& root : {tree.Root(), tree.Root() + "\\", tree.Root() + "/"}) {
        RecordingVisitor visitor;
        WalkFolder(root, BuildPatternList("*.c"), visitor);
        Names matched = visitor.Matched();
        std::sort(matched.begin(), matched.end());
        EXPECT_EQ(matched, expected) << root;
        ASSERT_FALSE(visitor.fullPaths.empty()) << root;
        for (const std::string& path : visitor.fullPaths) {
            EXPECT_EQ(path.rfind(tree.Root() + "\\", 0), 0u) << path;
        }
    }
}
