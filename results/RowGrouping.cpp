#include "results/RowGrouping.h"

namespace lintally::results {

namespace {

constexpr unsigned kMaxDepth = 1000;

struct GroupingNames
{
    const char* word;
    const char* heading;
    bool perFile;
    scan::GroupBy by;
};

constexpr GroupingNames kGroupings[] = {
    {"language", "Language", false, scan::GroupBy::Language},
    {"ext", "Ext", false, scan::GroupBy::Suffix},
    {"dir", "Folder", false, scan::GroupBy::Folder},
    {"file", "File", true, scan::GroupBy::Language},
};

const GroupingNames& NamesOf(const RowGrouping& by)
{
    for (const GroupingNames& names : kGroupings) {
        if (names.perFile == by.perFile && (by.perFile || names.by == by.grouping.by)) {
            return names;
        }
    }
    return kGroupings[0];
}

}  // namespace

const char* GroupingWord(const RowGrouping& by)
{
    return NamesOf(by).word;
}

const char* GroupingHeading(const RowGrouping& by)
{
    return NamesOf(by).heading;
}

std::string GroupingChoices(bool withFile)
{
    std::string choices;
    for (const GroupingNames& names : kGroupings) {
        if (names.perFile && !withFile) {
            continue;
        }
        choices += choices.empty() ? "" : "|";
        choices += names.word;
        if (names.by == scan::GroupBy::Folder) {
            choices += std::string("|") + names.word + ":N";
        }
    }
    return choices;
}

std::string GroupingName(const RowGrouping& by)
{
    const std::string word = GroupingWord(by);
    const bool folders = !by.perFile && by.grouping.by == scan::GroupBy::Folder;
    return folders ? word + ":" + std::to_string(by.grouping.depth) : word;
}

std::string ParseGrouping(const std::string& name, RowGrouping& by)
{
    by = RowGrouping();
    const std::string word = name.substr(0, name.find(':'));
    const GroupingNames* found = nullptr;
    for (const GroupingNames& names : kGroupings) {
        if (word == names.word) {
            found = &names;
        }
    }
    if (found == nullptr || (word != "dir" && word != name)) {
        return "takes language, ext, dir, dir:N or file, not " + name;
    }
    by.perFile = found->perFile;
    by.grouping.by = found->by;
    if (word != name) {
        const std::string depth = name.substr(word.size() + 1);
        if (depth.empty() || depth.size() > 4 ||
            depth.find_first_not_of("0123456789") != std::string::npos || std::stoul(depth) < 1 ||
            std::stoul(depth) > kMaxDepth) {
            return "dir:N needs a depth N from 1 to " + std::to_string(kMaxDepth);
        }
        by.grouping.depth = static_cast<unsigned>(std::stoul(depth));
    }
    return {};
}

std::vector<scan::GroupRow> GroupFiles(const scan::RowList& rows, const scan::Grouping& grouping,
                                       std::uint32_t flags)
{
    scan::GroupTable table;
    for (const scan::RowView row : rows) {
        scan::AddFileGroups(table, grouping, row.name, row, flags);
    }
    return table.Take();
}

}  // namespace lintally::results
