// Counting on Windows: a file another program holds without sharing still gets its row.
#include <gtest/gtest.h>

#include "scan/FileCount.h"
#include "scan/ParallelScan.h"
#include "scan/PatternList.h"
#include "tests/scan/Win32Tree.h"

using namespace lintally::scan;
using lintally::testing::ExclusiveOpen;
using lintally::testing::TempFolder;

TEST(RunParallelScan, AFileOpenWithoutSharingIsARowWithZeroLines)
{
    const TempFolder tree;
    tree.Write("locked.c", "int a;\nint b;\n");
    tree.Write("free.c", "int c;\n");
    const ScanOptions options;
    const StopToken stop;
    NullScanSink quiet;
    {
        const ExclusiveOpen held(tree.Path("locked.c"));
        ASSERT_TRUE(held.IsOpen());
        const ScanResult result = RunParallelScan(tree.Root(), BuildPatternList("*.c"), options, 2, stop, quiet);
        ASSERT_EQ(result.rows.size(), 2u);
        EXPECT_EQ(result.rows[0].name, "free.c");
        EXPECT_EQ(result.rows[0].lines, 1u);
        EXPECT_EQ(result.rows[1].name, "locked.c");
        EXPECT_EQ(result.rows[1].lines, 0u);
    }
    EXPECT_EQ(CountFile(tree.Path("locked.c"), options.countFlags.load()), 2u);
}

TEST(CountFile, AFileAnotherReaderHoldsSharingOnlyReadsStillCounts)
{
    const TempFolder tree;
    tree.Write("read.c", "int a;\nint b;\n");
    const HANDLE reader = ::CreateFileA(tree.Path("read.c").c_str(), GENERIC_READ, FILE_SHARE_READ,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    EXPECT_EQ(CountFile(tree.Path("read.c"), MakeCountFlags(true, false, false)), 2u);
    ::CloseHandle(reader);
}
