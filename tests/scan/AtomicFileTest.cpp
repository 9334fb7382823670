#include "scan/AtomicFile.h"

#include <gtest/gtest.h>

#include "tests/scan/FileBytes.h"
#include "tests/scan/TempTree.h"

using lintally::scan::WriteFileAtomically;
using lintally::testing::EntryCount;
using lintally::testing::ReadAll;
using lintally::testing::TempTree;

TEST(WriteFileAtomically, CreatesANewFile)
{
    const TempTree tree;
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(tree.Path("out.txt"), "hello\r\n", error)) << error;
    EXPECT_EQ(ReadAll(tree.Path("out.txt")), "hello\r\n");
    EXPECT_EQ(EntryCount(tree.Root()), 1u);
}

TEST(WriteFileAtomically, ReplacesTheOldFileWhole)
{
    const TempTree tree;
    tree.File("out.txt", std::string(5000, 'x'));
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(tree.Path("out.txt"), "short", error)) << error;
    EXPECT_EQ(ReadAll(tree.Path("out.txt")), "short");
    EXPECT_EQ(EntryCount(tree.Root()), 1u);
}

TEST(WriteFileAtomically, FailsWhenTheTargetIsAFolderOrItsFolderIsMissing)
{
    const TempTree tree;
    tree.File("dir/keep.txt", "kept");
    std::string error;
    EXPECT_FALSE(WriteFileAtomically(tree.Path("dir"), "x", error));
    EXPECT_NE(error.find("cannot replace"), std::string::npos) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos) << error;
    EXPECT_EQ(ReadAll(tree.Path("dir/keep.txt")), "kept");
    EXPECT_EQ(EntryCount(tree.Root()), 1u);
    error.clear();
    EXPECT_FALSE(WriteFileAtomically(tree.Path("missing/out.txt"), "x", error));
    EXPECT_FALSE(error.empty());
}
