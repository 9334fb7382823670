// Atomic writes on Windows: a target that the system will not let go is left as it was.
#include <gtest/gtest.h>

#include "fileio/AtomicFile.h"
#include "tests/support/TempFolder.h"
#include "tests/support/Win32Tree.h"

using Brim::WriteFileAtomically;
using lintally::testing::EntryCount;
using lintally::testing::ExclusiveOpen;
using lintally::testing::ReadAll;
using lintally::testing::TempFolder;

TEST(WriteFileAtomically, ATargetOpenWithoutSharingIsLeftAsItWas)
{
    const TempFolder tree;
    tree.Write("out.txt", "old");
    std::string error;
    {
        const ExclusiveOpen held(tree.Path("out.txt"));
        ASSERT_TRUE(held.IsOpen());
        EXPECT_FALSE(WriteFileAtomically(tree.Path("out.txt"), "new", error));
    }
    EXPECT_NE(error.find("cannot replace"), std::string::npos) << error;
    EXPECT_EQ(ReadAll(tree.Path("out.txt")), "old");
    EXPECT_EQ(EntryCount(tree.Root()), 1u);  // the temporary file is gone
}
