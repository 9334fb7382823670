#include "scan/ResultTally.h"

#include <utility>

namespace lintally::scan {

void ResultTally::Add(std::string_view relativeName, const FileLines& file, std::uint32_t flags)
{
    if (file.skipped) {
        m_skips.Add(*file.skipped);
        if (*file.skipped != SkipReason::Unreadable) {
            return;
        }
    }
    const std::uint64_t lines = file.kinds.Counted(flags);
    ++m_files;
    m_total += file.Counted(flags);
    m_kinds += file.kinds;
    m_complexity += file.complexity;
    for (const PrjHelper::EmbeddedPart& part : file.embedded) {
        m_kinds += part.kinds;
        m_complexity += part.complexity;
    }
    if (m_grouping == nullptr) {
        m_rows.Add(relativeName, lines, file.kinds, file.lang, file.complexity, file.embedded);
        return;
    }
    AddFileGroups(
        m_groups, *m_grouping, relativeName,
        RowView{relativeName, lines, file.kinds, file.lang, file.complexity, file.embedded}, flags);
}

void ResultTally::MoveInto(ScanResult& result)
{
    result.total += m_total;
    result.files += m_files;
    result.complexity += m_complexity;
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
