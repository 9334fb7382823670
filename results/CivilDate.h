// Days since 1970-01-01 and the calendar dates they fall on (the proleptic Gregorian
// calendar), for the dates of commits and the periods a history is sampled by.
//
// Pure functions; any thread may call them.
#pragma once

#include <cstdint>

namespace lintally::results {

struct CivilDate
{
    std::int64_t year = 1970;
    unsigned month = 1;  // 1 to 12
    unsigned day = 1;    // 1 to 31

    friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

[[nodiscard]] CivilDate CivilFromDays(std::int64_t days);
[[nodiscard]] std::int64_t DaysFromCivil(const CivilDate& date);

// The day a moment (seconds since 1970 UTC) falls on, rounding down before 1970.
[[nodiscard]] constexpr std::int64_t DayOf(std::int64_t seconds)
{
    return seconds >= 0 ? seconds / 86400 : -((-seconds + 86399) / 86400);
}

}  // namespace lintally::results
