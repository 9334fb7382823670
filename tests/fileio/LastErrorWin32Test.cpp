// What only Windows has: error codes without a system text, files held open without
// sharing, and device names.
#include "fileio/FileExists.h"
#include "fileio/FileWin.h"
#include "fileio/LastError.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <algorithm>
#include <cstring>
#include <string>

using lintally::testing::TempFolder;

TEST(GetLastErrorText, ACodeWithoutASystemTextGivesAnEmptyText)
{
    char buffer[16];
    std::memset(buffer, 'x', sizeof buffer);
    ::SetLastError(0x2FFFFFFF);
    EXPECT_TRUE(Brim::GetLastErrorText(buffer, sizeof buffer));
    EXPECT_TRUE(std::all_of(buffer, buffer + sizeof buffer, [](char c) { return c == '\0'; }));
}

TEST(FileExists, IsTrueForFilesEvenWhenHeldExclusivelyAndFalseForFoldersAndDevices)
{
    TempFolder folder;
    const std::string file = folder.Write("a.c", "abc");
    Brim::CFileWin holder;
    ASSERT_TRUE(holder.Open(file.c_str(), false, Brim::ModeRead | Brim::ModeWrite));

    EXPECT_TRUE(Brim::FileExists(file.c_str()));
    EXPECT_FALSE(Brim::FileExists(folder.Path("").c_str()));
    EXPECT_FALSE(Brim::FileExists(folder.Path("missing.c").c_str()));
    EXPECT_FALSE(Brim::FileExists("NUL"));
    EXPECT_FALSE(Brim::FileExists(""));
    EXPECT_FALSE(Brim::FileExists(nullptr));
}
