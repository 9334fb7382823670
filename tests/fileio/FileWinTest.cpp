#include "fileio/FileWin.h"

#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>

using Brim::CFileWin;
using lintally::testing::ReadAll;
using lintally::testing::TempFolder;

namespace {

const std::string Hundred(100, 'h');

}  // namespace

TEST(CFileWin, MissingFileFailsUnlessCreateMakesItEmpty)
{
    TempFolder folder;
    const std::string path = folder.Path("new.c");
    CFileWin file;
    EXPECT_FALSE(file.Open(path.c_str(), false, Brim::ModeRead));
    EXPECT_STREQ(file.GetName(), "");
    EXPECT_FALSE(std::filesystem::exists(path));

    ASSERT_TRUE(file.Open(path.c_str(), true, Brim::ModeRead | Brim::ModeWrite));
    EXPECT_STREQ(file.GetName(), path.c_str());
    EXPECT_EQ(file.GetSize(), 0u);
    EXPECT_EQ(file.GetPosition(), 0u);
    EXPECT_EQ(std::filesystem::file_size(path), 0u);
}

TEST(CFileWin, ClosedFileFailsQuietlyWithTheFailureResults)
{
    CFileWin file;
    char byte = 'x';
    Brim::FileDateTime created{}, modified{};
    std::memset(&created, 0xAB, sizeof created);
    std::memset(&modified, 0xAB, sizeof modified);
    EXPECT_EQ(file.Read(&byte, 1), 0u);
    EXPECT_EQ(file.Write(&byte, 1), 0u);
    EXPECT_FALSE(file.Seek(0, Brim::SeekBegin));
    EXPECT_EQ(file.GetPosition(), 0xFFFFFFFFu);
    EXPECT_EQ(file.GetSize(), 0u);
    EXPECT_FALSE(file.SetSize(0));
    EXPECT_FALSE(file.Truncate());
    EXPECT_EQ(file.SetTime(&created, &modified), 0u);
    file.GetTime(&created, &modified);
    EXPECT_EQ(created.year + created.month + created.millisecond, 0u);
    EXPECT_EQ(modified.year + modified.day + modified.second, 0u);
    EXPECT_EQ(file.GetMode(), 0u);
    EXPECT_STREQ(file.GetName(), "");
}

TEST(CFileWin, CloseClearsTheNameButKeepsTheModeWithItsExtraBits)
{
    TempFolder folder;
    const std::string path = folder.Write("a.c", "abc");
    CFileWin file;
    ASSERT_TRUE(file.Open(path.c_str(), false, 0x1002));
    EXPECT_EQ(file.GetMode(), 0x1002u);
    file.Close();
    EXPECT_STREQ(file.GetName(), "");
    EXPECT_EQ(file.GetMode(), 0x1002u);
    file.Close();
    EXPECT_EQ(file.GetMode(), 0x1002u);
}

TEST(CFileWin, ReadOnlyOpenRefusesWritesAndSizeChanges)
{
    TempFolder folder;
    const std::string path = folder.Write("a.c", Hundred);
    CFileWin file;
    ASSERT_TRUE(file.Open(path.c_str(), false, Brim::ModeRead));
    EXPECT_EQ(file.Write("x", 1), 0u);
    EXPECT_FALSE(file.SetSize(0));
    EXPECT_FALSE(file.Truncate());
    EXPECT_EQ(file.GetSize(), 100u);
    file.Close();
    EXPECT_EQ(ReadAll(path), Hundred);
}

TEST(CFileWin, SetSizeAndTruncateLeaveThePositionAtTheNewEnd)
{
    TempFolder folder;
    const std::string path = folder.Write("a.c", Hundred);
    CFileWin file;
    ASSERT_TRUE(file.Open(path.c_str(), false, Brim::ModeRead | Brim::ModeWrite));
    EXPECT_TRUE(file.SetSize(0));
    EXPECT_EQ(file.GetSize(), 0u);
    EXPECT_EQ(file.GetPosition(), 0u);

    EXPECT_EQ(file.Write("0123456789", 10), 10u);
    EXPECT_TRUE(file.SetSize(4));
    EXPECT_EQ(file.GetPosition(), 4u);
    EXPECT_FALSE(file.SetSize(-1));
    EXPECT_EQ(file.GetSize(), 4u);

    EXPECT_TRUE(file.Truncate());
    EXPECT_EQ(file.GetSize(), 0u);
    EXPECT_EQ(file.GetPosition(), 0u);
    file.Close();
    EXPECT_EQ(ReadAll(path), "");
}

TEST(CFileWin, SeekCountsFromEachOriginAndRefusesToGoBeforeTheStart)
{
    TempFolder folder;
    const std::string path = folder.Write("a.c", "0123456789");
    CFileWin file;
    ASSERT_TRUE(file.Open(path.c_str(), false, Brim::ModeRead));
    EXPECT_TRUE(file.Seek(0, Brim::SeekEnd));
    EXPECT_EQ(file.GetPosition(), 10u);
    EXPECT_TRUE(file.Seek(-3, Brim::SeekEnd));
    EXPECT_EQ(file.GetPosition(), 7u);
    EXPECT_TRUE(file.Seek(2, Brim::SeekBegin));
    EXPECT_EQ(file.GetPosition(), 2u);
    EXPECT_TRUE(file.Seek(3, 0));  // any other origin counts from the current position
    EXPECT_EQ(file.GetPosition(), 5u);
    EXPECT_TRUE(file.Seek(1, 99));
    EXPECT_EQ(file.GetPosition(), 6u);

    EXPECT_FALSE(file.Seek(-1, Brim::SeekBegin));
    EXPECT_FALSE(file.Seek(-7, Brim::SeekCurrent));
    EXPECT_FALSE(file.Seek(-11, Brim::SeekEnd));
    EXPECT_EQ(file.GetPosition(), 6u);

    char bytes[8] = {};
    EXPECT_EQ(file.Read(bytes, 0), 0u);
    EXPECT_EQ(file.Read(nullptr, 1), 0u);
    EXPECT_EQ(file.Read(bytes, 8), 4u);
    EXPECT_STREQ(bytes, "6789");
    EXPECT_EQ(file.Read(bytes, 8), 0u);
}

TEST(CFileWin, ExclusiveOpenOfAFileHeldExclusivelyFailsUntilItIsClosed)
{
    TempFolder folder;
    const std::string path = folder.Write("a.c", "abc");
    CFileWin first, second;
    ASSERT_TRUE(first.Open(path.c_str(), false, Brim::ModeRead));
    EXPECT_FALSE(second.Open(path.c_str(), false, Brim::ModeRead));
    EXPECT_FALSE(second.Open(path.c_str(), false, Brim::ModeRead | Brim::ModeShareRead));
    EXPECT_STREQ(second.GetName(), "");
    first.Close();
    EXPECT_TRUE(second.Open(path.c_str(), false, Brim::ModeRead));
}

TEST(CFileWin, OpenClosesTheEarlierFileEvenWhenTheNewOpenFails)
{
    TempFolder folder;
    const std::string path = folder.Write("a.c", "abc");
    CFileWin first, second;
    ASSERT_TRUE(first.Open(path.c_str(), false, Brim::ModeRead));
    EXPECT_FALSE(first.Open(folder.Path("missing.c").c_str(), false, Brim::ModeRead));
    EXPECT_STREQ(first.GetName(), "");
    EXPECT_EQ(first.GetSize(), 0u);
    EXPECT_TRUE(second.Open(path.c_str(), false, Brim::ModeRead));  // the lock went with it
    EXPECT_FALSE(first.Open(nullptr, false, Brim::ModeRead));
}
