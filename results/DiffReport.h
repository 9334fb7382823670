// What a diff's output is made of: a label for each side (what was compared), the paired
// files, their groups and total, and the choices that shape the output.
//
// Plain values; the report refers to the diff, groups and total it was made with, which
// must outlive it. Used by the thread that owns them.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "results/CountDiff.h"
#include "results/OutputFormat.h"
#include "results/RowGrouping.h"
#include "scan/CountSettings.h"

namespace lintally::results {

enum class DiffSideKind
{
    Folder,
    Json,
    Revision,
};

// One side as the output names it: a counted folder by its path, a saved count by its path
// and the root it was counted under, or a revision by its repository folder, its name as
// given and the commit it named.
struct DiffSideLabel
{
    DiffSideKind kind = DiffSideKind::Folder;
    std::string path;
    std::string root;
    std::string rev;
    std::string commit;
};

struct DiffReport
{
    DiffSideLabel before;
    DiffSideLabel after;
    const CountDiff& diff;
    const std::vector<DiffRow>& groups;  // empty by file: the rows are the diff's files
    const DiffRow& total;
    bool lineChanges = false;  // the code lines added and removed are known
    OutputFormat format = OutputFormat::Table;
    RowGrouping by;
    scan::CountSettings settings;  // how both sides were counted, as JSON lists them
    // By file: the indexes of the files listed, in list order; null lists every file in the
    // diff's order.
    const std::vector<std::size_t>* files = nullptr;
};

// Calls each with every row the output lists, in list order: the groups, or one row per
// file made as it is needed (a diff of a million files never holds them all).
template <class Each>
void ForEachRow(const DiffReport& report, Each each)
{
    if (!report.by.perFile) {
        for (const DiffRow& group : report.groups) {
            each(group, nullptr);
        }
        return;
    }
    const auto listFile = [&](std::size_t i) {
        const FileStatus status = report.diff.StatusOf(report.diff.pairs[i]);
        each(report.diff.FileRow(i), &status);
    };
    if (report.files != nullptr) {
        for (const std::size_t i : *report.files) {
            listFile(i);
        }
        return;
    }
    for (std::size_t i = 0; i < report.diff.pairs.size(); ++i) {
        listFile(i);
    }
}

}  // namespace lintally::results
