// Conversions between FileDateTime records and Unix times (seconds and nanoseconds since
// 1970-01-01 00:00 UTC).
//
// Pure functions with no state; any thread may call them. The range is that of the records'
// 16-bit years as the file layer accepts them: 1601 to 30827, as on the system with the
// narrowest range, so a record that works on one system works on all.
#pragma once

#include "fileio/File.h"

#include <cstdint>

namespace Brim {

struct UnixTime
{
    std::int64_t seconds;
    std::uint32_t nanoseconds;  // 0 to 999,999,999
};

// Fills out (milliseconds truncated from the nanoseconds). False, leaving out untouched,
// when the time lies outside the accepted years.
bool UnixTimeToFileDateTime(const UnixTime& time, FileDateTime& out);

// Reads the low 16 bits of each field. False, leaving out untouched, when the record is not a
// real date and time (month 13, 30 February, hour 24, millisecond 1000, year outside range).
bool FileDateTimeToUnixTime(const FileDateTime& record, UnixTime& out);

}  // namespace Brim
