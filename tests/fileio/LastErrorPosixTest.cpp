#include "fileio/FileExists.h"
#include "fileio/FileWin.h"
#include "fileio/LastError.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <sys/stat.h>

using lintally::testing::TempFolder;

namespace {

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
    const std::string expected = std::strerror(ENOENT);
    char buffer[128];
    std::memset(buffer, 'x', sizeof buffer);
    errno = ENOENT;
    EXPECT_TRUE(Brim::GetLastErrorText(buffer, sizeof buffer));
    EXPECT_EQ(std::string(buffer), expected);
    EXPECT_TRUE(AllBytesAre(buffer + expected.size(), sizeof buffer - expected.size(), '\0'));
    EXPECT_EQ(errno, ENOENT);
}

TEST(GetLastErrorText, AlwaysTerminatesAndCopiesNothingIntoSizeZero)
{
    const std::string expected = std::strerror(EACCES);
    char buffer[128];
    std::memset(buffer, 'x', sizeof buffer);
    errno = EACCES;
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
    EXPECT_STREQ(file.GetErrorText(), std::strerror(ENOENT));
}

TEST(FileExists, IsTrueForRegularFilesOnlyFollowingLinks)
{
    TempFolder folder;
    const std::string file = folder.Write("a.c", "abc");
    const std::string fifo = folder.Path("pipe.c");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::filesystem::create_symlink(file, folder.Path("link.c"));
    std::filesystem::create_symlink(folder.Path("gone.c"), folder.Path("dangling.c"));

    EXPECT_TRUE(Brim::FileExists(file.c_str()));
    EXPECT_TRUE(Brim::FileExists(folder.Path("link.c").c_str()));
    EXPECT_FALSE(Brim::FileExists(folder.Path("dangling.c").c_str()));
    EXPECT_FALSE(Brim::FileExists(folder.Path("missing.c").c_str()));
    EXPECT_FALSE(Brim::FileExists(folder.Path("").c_str()));
    EXPECT_FALSE(Brim::FileExists(fifo.c_str()));
    EXPECT_FALSE(Brim::FileExists(""));
    EXPECT_FALSE(Brim::FileExists(nullptr));
}
