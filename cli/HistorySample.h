// Which commits of a history are counted, and in what order: those between --since and
// --until, the last of each --step period, every --every-th of those, at most --max-count,
// newest first unless --reverse. Dates are the committers' own (their time in their zone).
//
// Plain values and pure functions; used by main's thread only.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "gitsel/History.h"

namespace lintally::cli {

enum class StepUnit
{
    None,
    Day,
    Week,  // from Monday
    Month,
    Year,
};

struct HistoryStep
{
    StepUnit unit = StepUnit::None;
    std::uint64_t count = 1;  // periods of this many units
};

struct HistorySampling
{
    std::optional<std::int64_t> since{};  // the first day counted, in days since 1970-01-01
    std::optional<std::int64_t> until{};  // the last day counted
    HistoryStep step{};
    std::uint64_t every = 1;
    std::uint64_t maxCount = 0;  // 0: no limit
    bool oldestFirst = false;
};

// "2024-05-01" as days since 1970-01-01; none when it is not a real date in that form.
[[nodiscard]] std::optional<std::int64_t> ParseIsoDay(const std::string& text);
// "1w", "2m", "1y", "7d" (a whole number from 1, then d, w, m or y); none for anything else.
[[nodiscard]] std::optional<HistoryStep> ParseStep(const std::string& text);

// The indexes into commits (newest first, as History lists them) to count, in the order to
// show them.
[[nodiscard]] std::vector<std::size_t> SampleCommits(
    const std::vector<gitsel::HistoryCommit>& commits, const HistorySampling& sampling);

}  // namespace lintally::cli
