#include "results/CountDiff.h"

#include <algorithm>
#include <map>
#include <unordered_set>

#include "linecount/WideLanguages.h"
#include "results/JsonCsv.h"

namespace lintally::results {

std::string CountSide::LanguageName(std::int32_t lang) const
{
    if (languages.empty()) {
        return PrjHelper::GetAnyLanguageName(lang);
    }
    return lang >= 0 && static_cast<std::size_t>(lang) < languages.size()
               ? languages[static_cast<std::size_t>(lang)]
               : std::string();
}

void PutInListOrder(scan::RowList& rows)
{
    for (std::size_t i = 1; i < rows.size(); ++i) {
        if (scan::RowNameLess(rows[i].name, rows[i - 1].name)) {
            scan::SortRows(rows);
            return;
        }
    }
}

void NameAsSaved(scan::RowList& rows, const std::vector<std::string>& inexactNames)
{
    if (inexactNames.empty()) {
        return;
    }
    const std::unordered_set<std::string_view> saved(inexactNames.begin(), inexactNames.end());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::string_view name = rows[i].name;
        if (std::string valid = ToValidUtf8(name); valid != name && saved.contains(valid)) {
            rows.Rename(i, valid);
        }
    }
    PutInListOrder(rows);
}

std::string RepeatedName(const scan::RowList& rows)
{
    for (std::size_t i = 1; i < rows.size(); ++i) {
        if (rows[i].name == rows[i - 1].name) {
            return std::string(rows[i].name);
        }
    }
    return {};
}

void DiffCounts::Add(const scan::RowView& row)
{
    ++files;
    code += row.kinds.code;
    comment += row.kinds.comment;
    blank += row.kinds.blank;
    counted += row.lines;
}

DiffCounts& DiffCounts::operator+=(const DiffCounts& other)
{
    files += other.files;
    code += other.code;
    comment += other.comment;
    blank += other.blank;
    counted += other.counted;
    return *this;
}

const char* StatusName(FileStatus status)
{
    switch (status) {
    case FileStatus::Added:
        return "added";
    case FileStatus::Removed:
        return "removed";
    case FileStatus::Changed:
        return "changed";
    case FileStatus::Same:
        break;
    }
    return "same";
}

std::vector<FilePair> PairFiles(const scan::RowList& before, const scan::RowList& after)
{
    std::vector<FilePair> pairs;
    pairs.reserve(std::max(before.size(), after.size()));
    std::size_t i = 0;
    std::size_t k = 0;
    while (i < before.size() || k < after.size()) {
        FilePair pair;
        if (k == after.size() ||
            (i < before.size() && scan::RowNameLess(before[i].name, after[k].name))) {
            pair.before = static_cast<std::uint32_t>(i++);
        } else if (i == before.size() || scan::RowNameLess(after[k].name, before[i].name)) {
            pair.after = static_cast<std::uint32_t>(k++);
        } else {
            pair.before = static_cast<std::uint32_t>(i++);
            pair.after = static_cast<std::uint32_t>(k++);
        }
        pairs.push_back(pair);
    }
    return pairs;
}

DiffRow& DiffRow::operator+=(const DiffRow& other)
{
    before += other.before;
    after += other.after;
    filesAdded += other.filesAdded;
    filesRemoved += other.filesRemoved;
    filesChanged += other.filesChanged;
    code.added += other.code.added;
    code.removed += other.code.removed;
    code.known = code.known && other.code.known;
    return *this;
}

FileStatus CountDiff::StatusOf(const FilePair& pair) const
{
    if (pair.before == FilePair::kNone) {
        return FileStatus::Added;
    }
    if (pair.after == FilePair::kNone) {
        return FileStatus::Removed;
    }
    DiffCounts old;
    DiffCounts now;
    old.Add(before.rows[pair.before]);
    now.Add(after.rows[pair.after]);
    return old == now ? FileStatus::Same : FileStatus::Changed;
}

namespace {

// One side of a file's pair: that side's counts, and the file's status.
void AddSide(DiffRow& row, const scan::RowView& file, bool isAfter, FileStatus status)
{
    (isAfter ? row.after : row.before).Add(file);
    if (status == FileStatus::Added) {
        ++row.filesAdded;
    } else if (status == FileStatus::Removed) {
        ++row.filesRemoved;
    } else if (status == FileStatus::Changed && isAfter) {
        ++row.filesChanged;
    }
}

}  // namespace

DiffRow CountDiff::FileRow(std::size_t index) const
{
    DiffRow row = FileCounts(index);
    const FilePair& pair = pairs[index];
    row.name =
        pair.after != FilePair::kNone ? after.rows[pair.after].name : before.rows[pair.before].name;
    return row;
}

DiffRow CountDiff::FileCounts(std::size_t index) const
{
    const FilePair& pair = pairs[index];
    const FileStatus status = StatusOf(pair);
    const LineChanges line = changes == nullptr ? LineChanges{} : (*changes)[index];
    DiffRow row;
    if (pair.before != FilePair::kNone) {
        const scan::RowView file = before.rows[pair.before];
        AddSide(row, file, false, status);
        row.code.removed = pair.after == FilePair::kNone ? file.kinds.code : line.removed;
        row.code.known = pair.after == FilePair::kNone || line.known;
    }
    if (pair.after != FilePair::kNone) {
        const scan::RowView file = after.rows[pair.after];
        AddSide(row, file, true, status);
        row.code.added = pair.before == FilePair::kNone ? file.kinds.code : line.added;
    }
    return row;
}

std::vector<DiffRow> CountDiff::GroupRows(const scan::Grouping& grouping, DiffRow& total) const
{
    std::map<std::string, DiffRow, std::less<>> groups;
    // Files of one group tend to come together: each side remembers its last group.
    struct Last
    {
        std::int32_t lang = -1;
        std::string name;
        DiffRow* group = nullptr;
    };
    Last last[2];
    const auto groupOf = [&](const CountSide& side, std::uint32_t index, Last& seen) -> DiffRow* {
        if (index == FilePair::kNone) {
            return nullptr;
        }
        const scan::RowView file = side.rows[index];
        const bool byLanguage = grouping.by == scan::GroupBy::Language;
        if (byLanguage && seen.group != nullptr && file.lang == seen.lang) {
            return seen.group;
        }
        std::string name =
            byLanguage ? side.LanguageName(file.lang) : GroupName(grouping, file.name, 0);
        if (seen.group != nullptr && name == seen.name) {
            return seen.group;
        }
        auto at = groups.find(name);
        if (at == groups.end()) {
            at = groups.emplace(name, DiffRow{}).first;
            at->second.name = name;
        }
        seen = Last{file.lang, std::move(name), &at->second};
        return seen.group;
    };
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        const DiffRow file = FileCounts(i);
        total += file;
        DiffRow* oldGroup = groupOf(before, pairs[i].before, last[0]);
        DiffRow* newGroup = groupOf(after, pairs[i].after, last[1]);
        if (oldGroup == nullptr || newGroup == nullptr || oldGroup == newGroup) {
            *(oldGroup != nullptr ? oldGroup : newGroup) += file;
            continue;
        }
        // A file whose group changed (a new language, say) leaves the old group and joins
        // the new one.
        DiffRow leaving;
        leaving.before = file.before;
        leaving.filesRemoved = 1;
        leaving.code.removed = file.code.removed;
        leaving.code.known = file.code.known;
        *oldGroup += leaving;
        DiffRow joining;
        joining.after = file.after;
        joining.filesAdded = 1;
        joining.code.added = file.code.added;
        joining.code.known = file.code.known;
        *newGroup += joining;
    }
    std::vector<DiffRow> rows;
    rows.reserve(groups.size());
    for (auto& entry : groups) {
        rows.push_back(std::move(entry.second));
    }
    std::sort(rows.begin(), rows.end(),
              [](const DiffRow& a, const DiffRow& b) { return scan::RowNameLess(a.name, b.name); });
    return rows;
}

}  // namespace lintally::results
