// Sums of counted files by group: by language, by name suffix, or by folder at a depth
// under the root. A scan that groups keeps one row per group, never one per file, so its
// memory does not grow with the number of files.
//
// Plain values and pure functions; a GroupTable serves one thread.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "linecount/LineBreakdown.h"
#include "scan/Row.h"
#include "scan/RowList.h"

namespace lintally::scan {

enum class GroupBy
{
    Language,
    Suffix,
    Folder,
};

struct Grouping
{
    GroupBy by = GroupBy::Language;
    unsigned depth = 1;  // for GroupBy::Folder: folders this many levels under the root
};

// The sums of one group; lines are those that count under the scan's options.
struct GroupRow
{
    std::string name;
    std::uint64_t files = 0;
    std::uint64_t lines = 0;
    PrjHelper::LineBreakdown kinds;
    std::uint64_t complexity = 0;

    GroupRow& operator+=(const GroupRow& other);
};

// The group a counted file falls in, from its relative name and language id:
//  - Language: the language's name;
//  - Suffix: the file name's suffix as the pattern list sees it (from its first '.' on,
//    the whole name without one), lower-cased;
//  - Folder: its folder path down to depth levels (fewer when the file lies higher up);
//    "." for a file directly in the root.
[[nodiscard]] std::string GroupName(const Grouping& grouping, std::string_view relativeName,
                                    std::int32_t lang);

// Group rows by name, adding up rows of the same name.
class GroupTable
{
public:
    void Add(const GroupRow& row);
    void Add(std::vector<GroupRow> rows);
    // The rows in name order (RowNameLess); the table is left empty.
    [[nodiscard]] std::vector<GroupRow> Take();

private:
    std::map<std::string, GroupRow, std::less<>> m_rows;
};

// Adds a counted file to table: its own lines (lines count under flags) to its group, and each
// of its embedded parts to the group of the part's language (as no file) when grouping by
// language, else to the file's group.
void AddFileGroups(GroupTable& table, const Grouping& grouping, std::string_view relativeName,
                   const RowView& file, std::uint32_t flags);

}  // namespace lintally::scan
