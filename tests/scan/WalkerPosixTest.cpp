// The walk over real POSIX folders: pipes, symbolic links, hidden entries, raw name bytes.
#include <gtest/gtest.h>

#include <algorithm>

#include "scan/PatternList.h"
#include "scan/Walker.h"
#include "tests/scan/RecordingVisitor.h"
#include "tests/support/PosixTree.h"

using lintally::scan::BuildPatternList;
using lintally::scan::WalkFolder;
using lintally::testing::MakeFifo;
using lintally::testing::MakeLink;
using lintally::testing::RecordingVisitor;
using lintally::testing::TempFolder;
using Names = std::vector<std::string>;

TEST(SystemDirReader, SkipsPipesAndFolderLinksButTakesFileLinksAndHiddenEntries)
{
    const TempFolder tree;
    tree.Write("a.c", "int a;\n");
    tree.Write(".hidden/h.c", "int h;\n");
    tree.Write("sub/x.c", "int x;\n");
    MakeLink(tree, "sub/loop", "..");         // a folder link back up: never followed
    MakeLink(tree, "link.c", "a.c");          // a file link: counted
    MakeLink(tree, "dangling.c", "nowhere");  // leads nowhere: skipped
    ASSERT_TRUE(MakeFifo(tree, "f.c"));
    RecordingVisitor visitor;
    EXPECT_TRUE(WalkFolder(tree.Root(), BuildPatternList("*.*"), visitor));
    Names matched = visitor.Matched();
    std::sort(matched.begin(), matched.end());
    EXPECT_EQ(matched, (Names{".hidden/h.c", "a.c", "link.c", "sub/x.c"}));
}

TEST(SystemDirReader, KeepsNamesAsTheirBytes)
{
    const TempFolder tree;
    tree.Write("caf\xE9 file.c", "x\n");
    RecordingVisitor visitor;
    WalkFolder(tree.Root() + "/", BuildPatternList("*.C"), visitor);
    EXPECT_EQ(visitor.Matched(), (Names{"caf\xE9 file.c"}));
    EXPECT_EQ(visitor.fullPaths, (Names{tree.Root() + "/caf\xE9 file.c"}));
}
