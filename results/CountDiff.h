// The difference between two counts of a project (two folders, two saved counts, two
// revisions): its files paired by name, each pair's status, and the old and new sums of
// each group with the files added, removed and changed in it.
//
// A file is changed when its counts differ (code, comment, blank or counted lines), the same
// when they do not: a saved count knows no more of a file, and so every kind of side gives
// the same statuses. A renamed file is one file removed and one added. Where both sides'
// texts were compared, the code lines added and removed are known too: for a pair of files
// from a line diff of their code lines, for an added or removed file all its code lines.
//
// Plain values and pure functions; any thread may call them on values it owns.
#pragma once

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "scan/Grouping.h"
#include "scan/RowList.h"

namespace lintally::results {

// One side's files, in list order.
struct CountSide
{
    scan::RowList rows;
    // Empty: the rows hold the engine's language ids; else a row's lang indexes its
    // language's name here.
    std::vector<std::string> languages;

    [[nodiscard]] std::string LanguageName(std::int32_t lang) const;
};

// Puts the rows in list order unless they are already (as a count keeps them).
void PutInListOrder(scan::RowList& rows);
// Before names kept their bytes, a saved count wrote U+FFFD for each byte of a name that is
// not text. Renames each row whose name is not text to the name such a count gave it, when
// inexactNames (the saved count's names that may be so made) hold that name; rows stay in
// list order.
void NameAsSaved(scan::RowList& rows, const std::vector<std::string>& inexactNames);

// A name that two rows hold, for rows in list order; empty when each name is there once.
[[nodiscard]] std::string RepeatedName(const scan::RowList& rows);

struct DiffCounts
{
    std::uint64_t files = 0;
    std::uint64_t code = 0;
    std::uint64_t comment = 0;
    std::uint64_t blank = 0;
    std::uint64_t counted = 0;

    void Add(const scan::RowView& row);
    DiffCounts& operator+=(const DiffCounts& other);
    friend bool operator==(const DiffCounts&, const DiffCounts&) = default;
};

// Code lines added and removed; not known where a file's versions were too large or too
// different to compare (and so in every sum that holds such a file).
struct LineChanges
{
    std::uint64_t added = 0;
    std::uint64_t removed = 0;
    bool known = true;
};

enum class FileStatus
{
    Added,
    Removed,
    Changed,
    Same,
};

[[nodiscard]] const char* StatusName(FileStatus status);

// A file's row on each side, by index; kNone where it is missing.
struct FilePair
{
    static constexpr std::uint32_t kNone = std::numeric_limits<std::uint32_t>::max();
    std::uint32_t before = kNone;
    std::uint32_t after = kNone;
};

// The files of both sides by name, in list order; both lists must be in list order.
[[nodiscard]] std::vector<FilePair> PairFiles(const scan::RowList& before,
                                              const scan::RowList& after);

// The difference of a group, or of one file (files are 0 or 1 on each side then).
struct DiffRow
{
    std::string name;
    DiffCounts before;
    DiffCounts after;
    std::uint64_t filesAdded = 0;
    std::uint64_t filesRemoved = 0;
    std::uint64_t filesChanged = 0;
    LineChanges code;  // when the texts were compared

    DiffRow& operator+=(const DiffRow& other);
};

// The two sides and their pairs, with the line changes of each pair when known (indexed like
// pairs; only the entries of files on both sides are read).
struct CountDiff
{
    const CountSide& before;
    const CountSide& after;
    const std::vector<FilePair>& pairs;
    const std::vector<LineChanges>* changes = nullptr;

    [[nodiscard]] FileStatus StatusOf(const FilePair& pair) const;
    // The pair at index as a row of its own, named like its file (as it is on the new side
    // when it is there).
    [[nodiscard]] DiffRow FileRow(std::size_t index) const;
    // The same without the name.
    [[nodiscard]] DiffRow FileCounts(std::size_t index) const;
    // The sums by group in name order (RowNameLess); total gets the sums of every file.
    [[nodiscard]] std::vector<DiffRow> GroupRows(const scan::Grouping& grouping,
                                                 DiffRow& total) const;
};

}  // namespace lintally::results
