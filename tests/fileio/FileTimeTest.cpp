#include "fileio/FileWin.h"
#include "fileio/UnixTime.h"

#include "tests/fileio/TempFolder.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>

using Brim::CFileWin;
using Brim::FileDateTime;
using Brim::UnixTime;

namespace {

bool operator==(const FileDateTime& a, const FileDateTime& b)
{
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour
        && a.minute == b.minute && a.second == b.second && a.millisecond == b.millisecond;
}

bool IsZero(const FileDateTime& t)
{
    return t == FileDateTime {};
}

struct timespec ModifiedOnDisk(const std::string& path)
{
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mtim;
}

// 2021-03-14 15:09:26.535 UTC
constexpr FileDateTime PiDay {2021, 3, 14, 15, 9, 26, 535};
constexpr std::int64_t PiDaySeconds = 1615734566;

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

    FileDateTime modified {};
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
    FileDateTime created {};
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
    const FileDateTime february30 {2021, 2, 30, 0, 0, 0, 0};
    const FileDateTime hour24 {2021, 2, 1, 24, 0, 0, 0};
    EXPECT_EQ(file.SetTime(nullptr, &february30), 0u);
    EXPECT_EQ(file.SetTime(nullptr, &hour24), 0u);

    ASSERT_TRUE(file.Open(path.c_str(), false, Brim::ModeRead));
    EXPECT_EQ(file.SetTime(nullptr, &PiDay), 0u);
    EXPECT_EQ(ModifiedOnDisk(path).tv_sec, before.tv_sec);
}

TEST(UnixTime, ConvertsKnownInstantsBothWays)
{
    struct Case
    {
        std::int64_t seconds;
        FileDateTime record;
    };
    const Case cases[] = {
        {0, {1970, 1, 1, 0, 0, 0, 0}},
        {-1, {1969, 12, 31, 23, 59, 59, 0}},
        {951782400, {2000, 2, 29, 0, 0, 0, 0}},
        {-11644473600, {1601, 1, 1, 0, 0, 0, 0}},
        {PiDaySeconds, {2021, 3, 14, 15, 9, 26, 0}},
    };
    for (const Case& c : cases) {
        FileDateTime record {};
        ASSERT_TRUE(Brim::UnixTimeToFileDateTime({c.seconds, 0}, record)) << c.seconds;
        EXPECT_TRUE(record == c.record) << c.seconds;
        UnixTime back {};
        ASSERT_TRUE(Brim::FileDateTimeToUnixTime(c.record, back)) << c.seconds;
        EXPECT_EQ(back.seconds, c.seconds);
    }
}

TEST(UnixTime, EveryDayOfFourCenturiesRoundTrips)
{
    for (std::int64_t day = -134000; day < 200000; day += 7) {
        const UnixTime time {day * 86400 + 45296, 999999999};
        FileDateTime record {};
        ASSERT_TRUE(Brim::UnixTimeToFileDateTime(time, record)) << day;
        EXPECT_EQ(record.millisecond, 999u);
        UnixTime back {};
        ASSERT_TRUE(Brim::FileDateTimeToUnixTime(record, back)) << day;
        EXPECT_EQ(back.seconds, time.seconds);
        EXPECT_EQ(back.nanoseconds, 999000000u);
    }
}

TEST(UnixTime, RefusesRecordsOutsideTheCalendarAndUsesLow16Bits)
{
    UnixTime out {};
    EXPECT_FALSE(Brim::FileDateTimeToUnixTime({1600, 12, 31, 0, 0, 0, 0}, out));
    EXPECT_FALSE(Brim::FileDateTimeToUnixTime({2023, 2, 29, 0, 0, 0, 0}, out));
    EXPECT_FALSE(Brim::FileDateTimeToUnixTime({2023, 13, 1, 0, 0, 0, 0}, out));
    EXPECT_FALSE(Brim::FileDateTimeToUnixTime({2023, 1, 1, 0, 60, 0, 0}, out));
    EXPECT_FALSE(Brim::FileDateTimeToUnixTime({2023, 1, 1, 0, 0, 0, 1000}, out));
    ASSERT_TRUE(Brim::FileDateTimeToUnixTime({0x10000u + 1970, 1, 1, 0, 0, 0, 0x10000u + 5}, out));
    EXPECT_EQ(out.seconds, 0);
    EXPECT_EQ(out.nanoseconds, 5000000u);

    FileDateTime record {};
    EXPECT_FALSE(Brim::UnixTimeToFileDateTime({-11644473601, 0}, record));
    EXPECT_TRUE(IsZero(record));
}
