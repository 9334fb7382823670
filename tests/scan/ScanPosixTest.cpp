// Counting a pipe, which only POSIX trees hold.
#include <gtest/gtest.h>

#include "scan/FileCount.h"
#include "tests/support/PosixTree.h"

using namespace lintally::scan;
using lintally::testing::MakeFifo;
using lintally::testing::TempFolder;

TEST(CountFile, APipeCountsZeroWithoutWaitingForAWriter)
{
    const TempFolder tree;
    ASSERT_TRUE(MakeFifo(tree, "pipe.c"));
    EXPECT_EQ(CountFile(tree.Path("pipe.c"), MakeCountFlags(true, false, false)), 0u);
}
