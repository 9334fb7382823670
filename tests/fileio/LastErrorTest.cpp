#include "fileio/FileWin.h"
#include "fileio/LastError.h"

#include "tests/support/SystemError.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

using lintally::testing::SetSystemError;
using lintally::testing::SystemError;
using lintally::testing::SystemErrorIs;
using lintally::testing::SystemErrorText;
using lintally::testing::TempFolder;

namespace {

bool AllBytesAre(const char* bytes, std::size_t count, char value)
{
    return std::all_of(bytes, bytes + count, [value](char c) { return c == value; });
}

}  // namespace

TEST(GetLastErrorText, CopiesTheSystemTextAndPadsWithZeros)
{
    const std::string expected = SystemErrorText(SystemError::NotFound);
    ASSERT_FALSE(expected.empty());
    char buffer[128];
    std::memset(buffer, 'x', sizeof buffer);
    SetSystemError(SystemError::NotFound);
    EXPECT_TRUE(Brim::GetLastErrorText(buffer, sizeof buffer));
    EXPECT_EQ(std::string(buffer), expected);
    EXPECT_TRUE(AllBytesAre(buffer + expected.size(), sizeof buffer - expected.size(), '\0'));
    EXPECT_TRUE(SystemErrorIs(SystemError::NotFound));
}

TEST(GetLastErrorText, AlwaysTerminatesAndCopiesNothingIntoSizeZero)
{
    const std::string expected = SystemErrorText(SystemError::AccessDenied);
    ASSERT_GT(expected.size(), 2u);
    char buffer[128];
    std::memset(buffer, 'x', sizeof buffer);
    SetSystemError(SystemError::AccessDenied);
    EXPECT_TRUE(Brim::GetLastErrorText(buffer, static_cast<std::uint32_t>(expected.size())));
    EXPECT_EQ(std::string(buffer), expected.substr(0, expected.size() - 1));
    EXPECT_EQ(buffer[expected.size()], 'x');

    EXPECT_TRUE(Brim::GetLastErrorText(buffer, 1));
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_EQ(buffer[1], expected[1]);

    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_TRUE(Brim::GetLastErrorText(buffer, 0));
    EXPECT_TRUE(Brim::GetLastErrorText(nullptr, 10));
    EXPECT_TRUE(AllBytesAre(buffer, sizeof buffer, 'x'));
}

TEST(CFileWin, GetErrorTextNamesTheReasonTheOpenFailed)
{
    TempFolder folder;
    Brim::CFileWin file;
    EXPECT_FALSE(file.Open(folder.Path("missing.c").c_str(), false, Brim::ModeRead));
    const std::string expected = SystemErrorText(SystemError::NotFound);
    EXPECT_EQ(std::string(file.GetErrorText()),
              expected.substr(0, Brim::CFileWin::ErrorTextSize - 1));
}
