#include "fileio/FileWin.h"

#include "tests/fileio/TimeRecords.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <cstring>
#include <string>

using Brim::CFileWin;
using Brim::FileDateTime;
using lintally::testing::TempFolder;

namespace {

constexpr std::uint32_t ReadWrite = Brim::ModeRead | Brim::ModeWrite;

// 1990-07-04 08:30:00.250 UTC
constexpr FileDateTime Earlier{1990, 7, 4, 8, 30, 0, 250};

// The creation and last-write times on disk, in 100-nanosecond steps since 1601 (UTC).
struct RawTimes
{
    std::uint64_t created = 0;
    std::uint64_t written = 0;
};

std::uint64_t Ticks(const FILETIME& time)
{
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

RawTimes TimesOnDisk(const std::string& path)
{
    RawTimes times;
    const HANDLE handle = ::CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    FILETIME created{}, written{};
    if (handle != INVALID_HANDLE_VALUE && ::GetFileTime(handle, &created, nullptr, &written)) {
        times.created = Ticks(created);
        times.written = Ticks(written);
    }
    if (handle != INVALID_HANDLE_VALUE)
        ::CloseHandle(handle);
    return times;
}

constexpr std::uint64_t TicksPerSecond = 10000000;
constexpr std::uint64_t SecondsFrom1601To1970 = 11644473600;
constexpr std::uint64_t PiDayTicks =
    (SecondsFrom1601To1970 + PiDaySeconds) * TicksPerSecond + 535 * 10000;
constexpr std::uint64_t EarlierTicks =
    (SecondsFrom1601To1970 + 647080200) * TicksPerSecond + 250 * 10000;

// Real Windows keeps a creation time it is given. Wine on a Linux file system reports one
// derived from the other times and drops a new one, so the creation-time checks run only
// where a probe file shows that the system keeps it.
bool SystemKeepsCreationTimes(const TempFolder& folder)
{
    const std::string path = folder.Write("probe.bin", "");
    const HANDLE handle = ::CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    FILETIME wanted{};
    wanted.dwLowDateTime = static_cast<DWORD>(EarlierTicks);
    wanted.dwHighDateTime = static_cast<DWORD>(EarlierTicks >> 32);
    ::SetFileTime(handle, &wanted, nullptr, nullptr);
    ::CloseHandle(handle);
    return TimesOnDisk(path).created == EarlierTicks;
}

}  // namespace

TEST(CFileWin, BothTimesRoundTripInUtcAndCountTwo)
{
    TempFolder folder;
    const bool keepsCreation = SystemKeepsCreationTimes(folder);
    const std::string path = folder.Write("a.c", "abc");
    CFileWin file;
    ASSERT_TRUE(file.Open(path.c_str(), false, ReadWrite));
    EXPECT_EQ(file.SetTime(&Earlier, &PiDay), 2u);
    EXPECT_EQ(TimesOnDisk(path).written, PiDayTicks);

    FileDateTime created{}, modified{};
    file.GetTime(&created, &modified);
    EXPECT_TRUE(modified == PiDay);
    EXPECT_FALSE(IsZero(created));
    if (keepsCreation) {
        EXPECT_EQ(TimesOnDisk(path).created, EarlierTicks);
        EXPECT_TRUE(created == Earlier);
    }
}

TEST(CFileWin, EachTimeIsSetAndReadAlone)
{
    TempFolder folder;
    const bool keepsCreation = SystemKeepsCreationTimes(folder);
    const std::string path = folder.Write("a.c", "abc");
    CFileWin file;
    ASSERT_TRUE(file.Open(path.c_str(), false, ReadWrite));
    const RawTimes before = TimesOnDisk(path);

    EXPECT_EQ(file.SetTime(nullptr, &PiDay), 1u);
    EXPECT_EQ(TimesOnDisk(path).written, PiDayTicks);
    if (keepsCreation) {
        EXPECT_EQ(TimesOnDisk(path).created, before.created);
    }
    EXPECT_EQ(file.SetTime(&Earlier, nullptr), 1u);
    EXPECT_EQ(TimesOnDisk(path).written, PiDayTicks);
    if (keepsCreation) {
        EXPECT_EQ(TimesOnDisk(path).created, EarlierTicks);
    }
    EXPECT_EQ(file.SetTime(nullptr, nullptr), 0u);

    FileDateTime created{}, modified{};
    std::memset(&created, 0xAB, sizeof created);
    file.GetTime(nullptr, &modified);
    EXPECT_TRUE(modified == PiDay);
    EXPECT_EQ(created.year, 0xABABABABu);
}

TEST(CFileWin, SetTimeRefusesImpossibleDatesAndReadOnlyFilesWithoutTouchingEither)
{
    TempFolder folder;
    const std::string path = folder.Write("a.c", "abc");
    const RawTimes before = TimesOnDisk(path);
    CFileWin file;
    ASSERT_TRUE(file.Open(path.c_str(), false, ReadWrite));
    const FileDateTime february30{2021, 2, 30, 0, 0, 0, 0};
    const FileDateTime hour24{2021, 2, 1, 24, 0, 0, 0};
    EXPECT_EQ(file.SetTime(&PiDay, &february30), 0u);
    EXPECT_EQ(file.SetTime(&hour24, &PiDay), 0u);
    EXPECT_EQ(TimesOnDisk(path).created, before.created);
    EXPECT_EQ(TimesOnDisk(path).written, before.written);

    ASSERT_TRUE(file.Open(path.c_str(), false, Brim::ModeRead));
    EXPECT_EQ(file.SetTime(&PiDay, &PiDay), 0u);
    EXPECT_EQ(TimesOnDisk(path).written, before.written);
}
