// Counting files that POSIX systems can make unreadable: pipes and files without read
// permission.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "scan/FileCount.h"
#include "scan/ParallelScan.h"
#include "scan/PatternList.h"
#include "tests/scan/PosixTree.h"

using namespace lintally::scan;
using lintally::testing::MakeFifo;
using lintally::testing::RunningAsRoot;
using lintally::testing::TempFolder;

TEST(CountFile, APipeCountsZeroWithoutWaitingForAWriter)
{
    const TempFolder tree;
    ASSERT_TRUE(MakeFifo(tree, "pipe.c"));
    EXPECT_EQ(CountFile(tree.Path("pipe.c"), MakeCountFlags(true, false, false)), 0u);
}

TEST(RunParallelScan, AnUnreadableFileIsARowWithZeroLines)
{
    if (RunningAsRoot()) {
        GTEST_SKIP() << "permissions do not stop root";
    }
    const TempFolder tree;
    tree.Write("locked.c", "int a;\n");
    chmod(tree.Path("locked.c").c_str(), 0);
    const ScanOptions options;
    const StopToken stop;
    NullScanSink quiet;
    const ScanResult result = RunParallelScan(tree.Root(), BuildPatternList("*.c"), options, 2, stop, quiet);
    ASSERT_EQ(result.rows.size(), 1u);
    EXPECT_EQ(result.rows[0].lines, 0u);
}
