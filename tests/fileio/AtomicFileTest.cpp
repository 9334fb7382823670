#include "fileio/AtomicFile.h"

#include <gtest/gtest.h>

#include "tests/support/TempFolder.h"

using Brim::WriteFileAtomically;
using lintally::testing::EntryCount;
using lintally::testing::ReadAll;
using lintally::testing::TempFolder;

TEST(WriteFileAtomically, CreatesANewFile)
{
    const TempFolder tree;
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(tree.Path("out.txt"), "hello\r\n", error)) << error;
    EXPECT_EQ(ReadAll(tree.Path("out.txt")), "hello\r\n");
    EXPECT_EQ(EntryCount(tree.Root()), 1u);
}

TEST(WriteFileAtomically, ReplacesTheOldFileWhole)
{
    const TempFolder tree;
    tree.Write("out.txt", std::string(5000, 'x'));
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(tree.Path("out.txt"), "short", error)) << error;
    EXPECT_EQ(ReadAll(tree.Path("out.txt")), "short");
    EXPECT_EQ(EntryCount(tree.Root()), 1u);
}

TEST(WriteFileAtomically, ContentGivenInPiecesIsWrittenWholeOrNotAtAll)
{
    const TempFolder tree;
    tree.Write("out.txt", "old");
    const auto pieces = [](bool failLast) {
        return [failLast](const Brim::ContentWriter& write) {
            return write("one ") && write("two ") && (failLast ? false : write("three"));
        };
    };
    std::string error;
    ASSERT_TRUE(WriteFileAtomically(tree.Path("out.txt"), pieces(false), error)) << error;
    EXPECT_EQ(ReadAll(tree.Path("out.txt")), "one two three");
    EXPECT_FALSE(WriteFileAtomically(tree.Path("out.txt"), pieces(true), error));
    EXPECT_EQ(ReadAll(tree.Path("out.txt")), "one two three");
    EXPECT_EQ(EntryCount(tree.Root()), 1u);
}

TEST(WriteFileAtomically, FailsWhenTheTargetIsAFolderOrItsFolderIsMissing)
{
    const TempFolder tree;
    tree.Write("dir/keep.txt", "kept");
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
