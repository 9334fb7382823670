#include "cli/HistorySample.h"

#include <algorithm>

#include "cli/OptionChecks.h"
#include "results/CivilDate.h"

namespace lintally::cli {

namespace {

std::int64_t FloorDivide(std::int64_t value, std::int64_t by)
{
    return value >= 0 ? value / by : -((-value + by - 1) / by);
}

// The commit's day in its own zone.
std::int64_t LocalDay(const gitsel::HistoryCommit& commit)
{
    return results::DayOf(commit.time + std::int64_t{commit.offset} * 60);
}

// The period of step that day falls in; 1970-01-01 was a Thursday, so weeks start 3 days on.
std::int64_t Period(const HistoryStep& step, std::int64_t day)
{
    const auto count = static_cast<std::int64_t>(step.count);
    const results::CivilDate date = results::CivilFromDays(day);
    switch (step.unit) {
    case StepUnit::Day:
        return FloorDivide(day, count);
    case StepUnit::Week:
        return FloorDivide(day + 3, 7 * count);
    case StepUnit::Month:
        return FloorDivide(date.year * 12 + date.month - 1, count);
    case StepUnit::Year:
        return FloorDivide(date.year, count);
    case StepUnit::None:
        break;
    }
    return day;
}

bool Digits(const std::string& text, std::size_t from, std::size_t count)
{
    return std::all_of(text.begin() + static_cast<std::ptrdiff_t>(from),
                       text.begin() + static_cast<std::ptrdiff_t>(from + count),
                       [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::optional<std::int64_t> ParseIsoDay(const std::string& text)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !Digits(text, 0, 4) ||
        !Digits(text, 5, 2) || !Digits(text, 8, 2)) {
        return std::nullopt;
    }
    const results::CivilDate date{std::stoll(text.substr(0, 4)),
                                  static_cast<unsigned>(std::stoul(text.substr(5, 2))),
                                  static_cast<unsigned>(std::stoul(text.substr(8, 2)))};
    if (date.month < 1 || date.month > 12 || date.day < 1) {
        return std::nullopt;
    }
    const std::int64_t days = results::DaysFromCivil(date);
    // A day past its month's end comes back as another date.
    return results::CivilFromDays(days) == date ? std::optional<std::int64_t>(days) : std::nullopt;
}

std::optional<HistoryStep> ParseStep(const std::string& text)
{
    if (text.size() < 2) {
        return std::nullopt;
    }
    const std::optional<std::uint64_t> count =
        ParseWholeNumber(text.substr(0, text.size() - 1), 1, 100000);
    const std::string units = "dwmy";
    const std::size_t unit = units.find(text.back());
    if (!count || unit == std::string::npos) {
        return std::nullopt;
    }
    constexpr StepUnit kUnits[] = {StepUnit::Day, StepUnit::Week, StepUnit::Month, StepUnit::Year};
    return HistoryStep{kUnits[unit], *count};
}

std::vector<std::size_t> SampleCommits(const std::vector<gitsel::HistoryCommit>& commits,
                                       const HistorySampling& sampling)
{
    std::vector<std::size_t> chosen;
    std::optional<std::int64_t> lastPeriod;
    std::uint64_t seen = 0;
    for (std::size_t i = 0; i < commits.size(); ++i) {
        const std::int64_t day = LocalDay(commits[i]);
        if ((sampling.since && day < *sampling.since) ||
            (sampling.until && day > *sampling.until)) {
            continue;
        }
        if (sampling.step.unit != StepUnit::None) {
            const std::int64_t period = Period(sampling.step, day);
            if (lastPeriod == period) {
                continue;
            }
            lastPeriod = period;
        }
        if (seen++ % sampling.every != 0) {
            continue;
        }
        chosen.push_back(i);
        if (sampling.maxCount != 0 && chosen.size() == sampling.maxCount) {
            break;
        }
    }
    if (sampling.oldestFirst) {
        std::reverse(chosen.begin(), chosen.end());
    }
    return chosen;
}

}  // namespace lintally::cli
