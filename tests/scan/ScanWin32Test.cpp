// Counting on Windows: a file another reader holds, sharing reads, still counts.
#include <windows.h>

#include <gtest/gtest.h>

#include "scan/FileCount.h"
#include "tests/support/TempFolder.h"

using namespace lintally::scan;
using lintally::testing::TempFolder;

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
