// Helpers shared by the time tests: record comparison and one well-known instant.
#pragma once

#include "fileio/File.h"

#include <cstdint>

inline bool operator==(const Brim::FileDateTime& a, const Brim::FileDateTime& b)
{
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour &&
           a.minute == b.minute && a.second == b.second && a.millisecond == b.millisecond;
}

inline bool IsZero(const Brim::FileDateTime& t)
{
    return t == Brim::FileDateTime{};
}

// 2021-03-14 15:09:26.535 UTC
constexpr Brim::FileDateTime PiDay{2021, 3, 14, 15, 9, 26, 535};
constexpr std::int64_t PiDaySeconds = 1615734566;
