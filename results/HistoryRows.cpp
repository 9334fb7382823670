#include "results/HistoryRows.h"

#include <cstdio>
#include <cstdlib>

#include "results/CivilDate.h"

namespace lintally::results {

namespace {

HistoryCounts CountsOf(std::uint64_t files, const PrjHelper::LineBreakdown& kinds,
                       std::uint64_t counted)
{
    return {files, kinds.code, kinds.comment, kinds.blank, kinds.Physical(), counted};
}

}  // namespace

HistoryRow MakeHistoryRow(std::string commit, std::string date, const scan::ScanResult& result,
                          std::uint32_t flags)
{
    HistoryRow row{std::move(commit), std::move(date), {}, {}};
    row.groups.reserve(result.groups.size());
    for (const scan::GroupRow& group : result.groups) {
        row.groups.push_back(HistoryGroup{
            group.name, CountsOf(group.files, group.kinds, group.kinds.Counted(flags))});
    }
    row.total = CountsOf(result.files, result.kinds, result.total);
    return row;
}

std::string IsoDateTime(std::int64_t seconds, int offset)
{
    const std::int64_t local = seconds + std::int64_t{offset} * 60;
    const std::int64_t days = DayOf(local);
    const std::int64_t rest = local - days * 86400;
    const CivilDate date = CivilFromDays(days);
    const int zone = std::abs(offset);
    char text[64];
    std::snprintf(text, sizeof text, "%04lld-%02u-%02uT%02d:%02d:%02d%c%02d:%02d",
                  static_cast<long long>(date.year), date.month, date.day,
                  static_cast<int>(rest / 3600), static_cast<int>(rest / 60 % 60),
                  static_cast<int>(rest % 60), offset < 0 ? '-' : '+', zone / 60, zone % 60);
    return text;
}

}  // namespace lintally::results
