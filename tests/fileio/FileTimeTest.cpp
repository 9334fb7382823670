#include "fileio/UnixTime.h"

#include "tests/fileio/TimeRecords.h"

#include <gtest/gtest.h>

using Brim::FileDateTime;
using Brim::UnixTime;

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
        FileDateTime record{};
        ASSERT_TRUE(Brim::UnixTimeToFileDateTime({c.seconds, 0}, record)) << c.seconds;
        EXPECT_TRUE(record == c.record) << c.seconds;
        UnixTime back{};
        ASSERT_TRUE(Brim::FileDateTimeToUnixTime(c.record, back)) << c.seconds;
        EXPECT_EQ(back.seconds, c.seconds);
    }
}

TEST(UnixTime, EveryDayOfFourCenturiesRoundTrips)
{
    for (std::int64_t day = -134000; day < 200000; day += 7) {
        const UnixTime time{day * 86400 + 45296, 999999999};
        FileDateTime record{};
        ASSERT_TRUE(Brim::UnixTimeToFileDateTime(time, record)) << day;
        EXPECT_EQ(record.millisecond, 999u);
        UnixTime back{};
        ASSERT_TRUE(Brim::FileDateTimeToUnixTime(record, back)) << day;
        EXPECT_EQ(back.seconds, time.seconds);
        EXPECT_EQ(back.nanoseconds, 999000000u);
    }
}

TEST(UnixTime, RefusesRecordsOutsideTheCalendarAndUsesLow16Bits)
{
    UnixTime out{};
    EXPECT_FALSE(Brim::FileDateTimeToUnixTime({1600, 12, 31, 0, 0, 0, 0}, out));
    EXPECT_FALSE(Brim::FileDateTimeToUnixTime({2023, 2, 29, 0, 0, 0, 0}, out));
    EXPECT_FALSE(Brim::FileDateTimeToUnixTime({2023, 13, 1, 0, 0, 0, 0}, out));
    EXPECT_FALSE(Brim::FileDateTimeToUnixTime({2023, 1, 1, 0, 60, 0, 0}, out));
    EXPECT_FALSE(Brim::FileDateTimeToUnixTime({2023, 1, 1, 0, 0, 0, 1000}, out));
    ASSERT_TRUE(Brim::FileDateTimeToUnixTime({0x10000u + 1970, 1, 1, 0, 0, 0, 0x10000u + 5}, out));
    EXPECT_EQ(out.seconds, 0);
    EXPECT_EQ(out.nanoseconds, 5000000u);

    FileDateTime record{};
    EXPECT_FALSE(Brim::UnixTimeToFileDateTime({-11644473601, 0}, record));
    EXPECT_TRUE(IsZero(record));
}
