#include "scan/ResultTally.h"

#include <utility>

namespace lintally::scan {

void ResultTally::Add(std::string_view relativeName, const FileLines& file, std::uint64_t lines)
{
    if (file.skipped) {
        m_skips.Add(*file.skipped);
        if (*file.skipped != SkipReason::Unreadable) {
            return;
        }
    }
    ++m_files;
    m_total += lines;
    m_kinds += file.kinds;
    if (m_grouping == nullptr) {
        m_rows.Add(relativeName, lines, file.kinds, file.lang);
    } else {
        m_groups.Add(
            GroupRow{GroupName(*m_grouping, relativeName, file.lang), 1, lines, file.kinds});
    }
}

void ResultTally::MoveInto(ScanResult& result)
{
    result.total += m_total;
    result.files += m_files;
    result.kinds += m_kinds;
    result.skips += m_skips;
    result.rows.Append(std::move(m_rows));
    for (GroupRow& group : m_groups.Take()) {
        result.groups.push_back(std::move(group));
    }
    *this = ResultTally(m_grouping);
}

void FinishResult(ScanResult& result)
{
    SortRows(result.rows);
    GroupTable groups;
    groups.Add(std::move(result.groups));
    result.groups = groups.Take();
}

}  // namespace lintally::scan
