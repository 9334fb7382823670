#include "fileio/UnixTime.h"

namespace Brim {

namespace {

constexpr std::int64_t FirstYear = 1601;
constexpr std::int64_t LastYear = 30827;
constexpr std::int64_t SecondsPerDay = 86400;

bool IsLeapYear(std::int64_t year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

std::int64_t DaysInMonth(std::int64_t year, std::int64_t month)
{
    constexpr std::int64_t days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

// Days since 1970-01-01 of a proleptic Gregorian date; eras of 400 years keep it exact for
// dates before 1970 as well.
std::int64_t DaysFromCivil(std::int64_t year, std::int64_t month, std::int64_t day)
{
    year -= month <= 2 ? 1 : 0;
    const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
    const std::int64_t yearOfEra = year - era * 400;
    const std::int64_t dayOfYear = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

struct CivilDate
{
    std::int64_t year;
    std::int64_t month;
    std::int64_t day;
};

CivilDate CivilFromDays(std::int64_t days)
{
    days += 719468;
    const std::int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shifted = (5 * dayOfYear + 2) / 153;
    const std::int64_t day = dayOfYear - (153 * shifted + 2) / 5 + 1;
    const std::int64_t month = shifted < 10 ? shifted + 3 : shifted - 9;
    return {yearOfEra + era * 400 + (month <= 2 ? 1 : 0), month, day};
}

// Floor division, so that times before 1970 land on the right day.
std::int64_t FloorDiv(std::int64_t value, std::int64_t divisor)
{
    const std::int64_t quotient = value / divisor;
    return quotient * divisor > value ? quotient - 1 : quotient;
}

}  // namespace

bool UnixTimeToFileDateTime(const UnixTime& time, FileDateTime& out)
{
    const std::int64_t earliest = DaysFromCivil(FirstYear, 1, 1) * SecondsPerDay;
    const std::int64_t latest = (DaysFromCivil(LastYear + 1, 1, 1)) * SecondsPerDay - 1;
    if (time.seconds < earliest || time.seconds > latest || time.nanoseconds > 999999999u)
        return false;
    const std::int64_t days = FloorDiv(time.seconds, SecondsPerDay);
    const std::int64_t secondOfDay = time.seconds - days * SecondsPerDay;
    const CivilDate date = CivilFromDays(days);
    out.year = static_cast<std::uint32_t>(date.year);
    out.month = static_cast<std::uint32_t>(date.month);
    out.day = static_cast<std::uint32_t>(date.day);
    out.hour = static_cast<std::uint32_t>(secondOfDay / 3600);
    out.minute = static_cast<std::uint32_t>(secondOfDay / 60 % 60);
    out.second = static_cast<std::uint32_t>(secondOfDay % 60);
    out.millisecond = time.nanoseconds / 1000000u;
    return true;
}

bool FileDateTimeToUnixTime(const FileDateTime& record, UnixTime& out)
{
    const std::int64_t year = record.year & 0xFFFFu;
    const std::int64_t month = record.month & 0xFFFFu;
    const std::int64_t day = record.day & 0xFFFFu;
    const std::int64_t hour = record.hour & 0xFFFFu;
    const std::int64_t minute = record.minute & 0xFFFFu;
    const std::int64_t second = record.second & 0xFFFFu;
    const std::int64_t millisecond = record.millisecond & 0xFFFFu;
    if (year < FirstYear || year > LastYear || month < 1 || month > 12)
        return false;
    if (day < 1 || day > DaysInMonth(year, month) || hour > 23 || minute > 59 || second > 59 ||
        millisecond > 999)
        return false;
    out.seconds =
        DaysFromCivil(year, month, day) * SecondsPerDay + hour * 3600 + minute * 60 + second;
    out.nanoseconds = static_cast<std::uint32_t>(millisecond * 1000000);
    return true;
}

}  // namespace Brim
