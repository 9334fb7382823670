// What a table, CSV or JSON row stands for (one file, or the sums of a group), and the words
// that name each grouping: the text --by takes, and the heading of a table's first column.
//
// Plain values and pure functions; any thread may call them.
#pragma once

#include <string>
#include <vector>

#include "scan/Grouping.h"
#include "scan/RowList.h"

namespace lintally::results {

struct RowGrouping
{
    bool perFile = false;
    scan::Grouping grouping;
};

// The word of a grouping ("language", "ext", "dir", "file"; dir:N is "dir"), and the heading
// of its first table column ("Language", "Ext", "Folder", "File").
[[nodiscard]] const char* GroupingWord(const RowGrouping& by);
[[nodiscard]] const char* GroupingHeading(const RowGrouping& by);
// The groupings --by takes, '|' between them: "language|ext|dir|dir:N|file", without file
// unless withFile.
[[nodiscard]] std::string GroupingChoices(bool withFile);
// The grouping as --by takes it ("dir:2" with its depth).
[[nodiscard]] std::string GroupingName(const RowGrouping& by);
// "language", "ext", "dir", "dir:N" or "file" into by; an empty text when name is one of
// them, else what is wrong.
std::string ParseGrouping(const std::string& name, RowGrouping& by);
// The files' rows summed by grouping, one group a row, in name order: each file's own lines
// (lines count under flags) in its group, its embedded code with its language's group when
// grouping by language, else with the file's.
[[nodiscard]] std::vector<scan::GroupRow> GroupFiles(const scan::RowList& rows,
                                                     const scan::Grouping& grouping,
                                                     std::uint32_t flags);

}  // namespace lintally::results
