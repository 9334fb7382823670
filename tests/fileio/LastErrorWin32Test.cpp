#include "fileio/FileExists.h"
#include "fileio/FileWin.h"
#include "fileio/LastError.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <windows.h>

using lintally::testing::TempFolder;

namespace {

// The system's own text for code, asked for into a fixed buffer.
std::string SystemText(DWORD code)
{
    char text[512] = {};
    ::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
        0x400, text, sizeof text, nullptr);
    return text;
}

bool AllBytesAre(const char* bytes, std::size_t count, char value)
{
    for (std::size_t i = 0; i < count; ++i)
        if (bytes[i] != value)
            return false;
    return true;
}

}  // namespace

TEST(GetLastErrorText, CopiesTheSystemTextAndPadsWithZeros)
{
    const std::string expected = SystemText(ERROR_FILE_NOT_FOUND);
    ASSERT_FALSE(expected.empty());
    char buffer[128];
    std::memset(buffer, 'x', sizeof buffer);
    ::SetLastError(ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(Brim::GetLastErrorText(buffer, sizeof buffer));
    EXPECT_EQ(std::string(buffer), expected);
    EXPECT_TRUE(AllBytesAre(buffer + expected.size(), sizeof buffer - expected.size(), '\0'));
    EXPECT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST(GetLastErrorText, AlwaysTerminatesAndCopiesNothingIntoSizeZero)
{
    const std::string expected = SystemText(ERROR_ACCESS_DENIED);
    ASSERT_GT(expected.size(), 2u);
    char buffer[128];
    std::memset(buffer, 'x', sizeof buffer);
    ::SetLastError(ERROR_ACCESS_DENIED);
    EXPECT_TRUE(Brim::GetLastErrorText(buffer, static_cast<std::uint32_t>(expected.size())));
    EXPECT_EQ(std::string(buffer), expected.substr(0, expected.size() - 1));
    EXPECT_EQ(buffer[expected.size()], 'x');

    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_TRUE(Brim::GetLastErrorText(buffer, 0));
    EXPECT_TRUE(Brim::GetLastErrorText(nullptr, 10));
    EXPECT_TRUE(AllBytesAre(buffer, sizeof buffer, 'x'));

    ::SetLastError(0x2FFFFFFF);  // a code the system has no text for
    EXPECT_TRUE(Brim::GetLastErrorText(buffer, sizeof buffer));
    EXPECT_TRUE(AllBytesAre(buffer, sizeof buffer, '\0'));
}

TEST(CFileWin, GetErrorTextNamesTheReasonTheOpenFailed)
{
    TempFolder folder;
    Brim::CFileWin file;
    EXPECT_FALSE(file.Open(folder.Path("missing.c").c_str(), false, Brim::ModeRead));
    const std::string expected = SystemText(ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(std::string(file.GetErrorText()), expected.substr(0, Brim::CFileWin::ErrorTextSize - 1));
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
