#include "fileio/FileWin.h"

#include "tests/fileio/TimeRecords.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <string>

using Brim::CFileWin;
using Brim::FileDateTime;
using lintally::testing::TempFolder;

namespace {

struct timespec ModifiedOnDisk(const std::string& path)
{
    struct stat info = {};
    ::stat(path.c_str(), &info);
    return info.st_mtim;
}

}  // namespace

TEST(CFileWin, ModifiedTimeRoundTripsInUtcWithMilliseconds)
{
    TempFolder folder;
    const std::string path = folder.Write("a.c", "abc");
    CFileWin file;
    ASSERT_TRUE(file.Open(path.c_str(), false, Brim::ModeRead | Brim::ModeWrite));
    EXPECT_EQ(file.SetTime(nullptr, &PiDay), 1u);
    EXPECT_EQ(ModifiedOnDisk(path).tv_sec, PiDaySeconds);
    EXPECT_EQ(ModifiedOnDisk(path).tv_nsec, 535000000);

    FileDateTime modified{};
    file.GetTime(nullptr, &modified);
    EXPECT_TRUE(modified == PiDay);
}

TEST(CFileWin, CreationTimeIsReadWhereKeptAndNeverCountedAsSet)
{
    TempFolder folder;
    const std::string path = folder.Write("a.c", "abc");
    CFileWin file;
    ASSERT_TRUE(file.Open(path.c_str(), false, Brim::ModeRead | Brim::ModeWrite));
    const struct timespec before = ModifiedOnDisk(path);

    EXPECT_EQ(file.SetTime(&PiDay, nullptr), 0u);
    EXPECT_EQ(file.SetTime(nullptr, nullptr), 0u);
    EXPECT_EQ(ModifiedOnDisk(path).tv_sec, before.tv_sec);
    EXPECT_EQ(ModifiedOnDisk(path).tv_nsec, before.tv_nsec);
    EXPECT_EQ(file.SetTime(&PiDay, &PiDay), 1u);

    // Without a birth time on this file system the record stays zero; with one it is recent.
    FileDateTime created{};
    file.GetTime(&created, nullptr);
    EXPECT_TRUE(IsZero(created) || created.year >= 2024);
}

TEST(CFileWin, SetTimeRefusesImpossibleDatesAndReadOnlyFiles)
{
    TempFolder folder;
    const std::string path = folder.Write("a.c", "abc");
    const struct timespec before = ModifiedOnDisk(path);
    CFileWin file;
    ASSERT_TRUE(file.Open(path.c_str(), false, Brim::ModeRead | Brim::ModeWrite));
    const FileDateTime february30{2021, 2, 30, 0, 0, 0, 0};
    const FileDateTime hour24{2021, 2, 1, 24, 0, 0, 0};
    EXPECT_EQ(file.SetTime(nullptr, &february30), 0u);
    EXPECT_EQ(file.SetTime(nullptr, &hour24), 0u);

    ASSERT_TRUE(file.Open(path.c_str(), false, Brim::ModeRead));
    EXPECT_EQ(file.SetTime(nullptr, &PiDay), 0u);
    EXPECT_EQ(ModifiedOnDisk(path).tv_sec, before.tv_sec);
}
