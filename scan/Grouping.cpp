#include "scan/Grouping.h"

#include <algorithm>

#include "fileio/PathSeparator.h"
#include "linecount/WideLanguages.h"
#include "scan/AsciiCase.h"
#include "scan/PatternList.h"

namespace lintally::scan {

GroupRow& GroupRow::operator+=(const GroupRow& other)
{
    files += other.files;
    lines += other.lines;
    kinds += other.kinds;
    complexity += other.complexity;
    return *this;
}

void AddFileGroups(GroupTable& table, const Grouping& grouping, std::string_view relativeName,
                   const RowView& file, std::uint32_t flags)
{
    const std::string own = GroupName(grouping, relativeName, file.lang);
    table.Add(GroupRow{own, 1, file.lines, file.kinds, file.complexity});
    for (const PrjHelper::EmbeddedPart& part : file.embedded) {
        table.Add(GroupRow{
            grouping.by == GroupBy::Language ? GroupName(grouping, relativeName, part.lang) : own,
            0, part.kinds.Counted(flags), part.kinds, part.complexity});
    }
}

std::string GroupName(const Grouping& grouping, std::string_view relativeName, std::int32_t lang)
{
    switch (grouping.by) {
    case GroupBy::Language:
        return PrjHelper::GetAnyLanguageName(lang);
    case GroupBy::Suffix: {
        std::size_t start = relativeName.size();
        while (start > 0 && !Brim::IsPathSeparator(relativeName[start - 1])) {
            --start;
        }
        std::string suffix(NameSuffix(relativeName.substr(start)));
        for (char& c : suffix) {
            c = static_cast<char>(FoldAscii(static_cast<unsigned char>(c)));
        }
        return suffix;
    }
    case GroupBy::Folder:
        break;
    }
    std::size_t end = 0;  // one past the last folder level taken
    unsigned levels = 0;
    for (std::size_t i = 0; i < relativeName.size() && levels < grouping.depth; ++i) {
        if (Brim::IsPathSeparator(relativeName[i])) {
            end = i;
            ++levels;
        }
    }
    return end == 0 ? std::string(".") : std::string(relativeName.substr(0, end));
}

void GroupTable::Add(const GroupRow& row)
{
    auto at = m_rows.find(row.name);
    if (at == m_rows.end()) {
        m_rows.emplace(row.name, row);
    } else {
        at->second += row;
    }
}

void GroupTable::Add(std::vector<GroupRow> rows)
{
    for (const GroupRow& row : rows) {
        Add(row);
    }
}

std::vector<GroupRow> GroupTable::Take()
{
    std::vector<GroupRow> rows;
    rows.reserve(m_rows.size());
    for (auto& entry : m_rows) {
        rows.push_back(std::move(entry.second));
    }
    m_rows.clear();
    std::sort(rows.begin(), rows.end(),
              [](const GroupRow& a, const GroupRow& b) { return RowNameLess(a.name, b.name); });
    return rows;
}

}  // namespace lintally::scan
