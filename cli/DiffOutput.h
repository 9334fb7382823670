// The output of a diff: a table for people, JSON or CSV, by group or by file, each with the
// totals.
//
// Functions of main's thread.
#pragma once

#include <vector>

#include "cli/DiffOptions.h"
#include "cli/DiffSide.h"
#include "results/CountDiff.h"
#include "results/TextOut.h"

namespace lintally::cli {

struct DiffReport
{
    const DiffSide& before;
    const DiffSide& after;
    const results::CountDiff& diff;
    const std::vector<results::DiffRow>& groups;  // empty by file: the rows are the diff's files
    const results::DiffRow& total;
    bool lineChanges = false;  // the code lines added and removed are known
};

// Calls each with every row the output lists, in list order: the groups, or one row per
// file made as it is needed (a diff of a million files never holds them all).
template <class Each>
void ForEachRow(const DiffReport& report, bool perFile, Each each)
{
    if (!perFile) {
        for (const results::DiffRow& group : report.groups) {
            each(group, nullptr);
        }
        return;
    }
    for (std::size_t i = 0; i < report.diff.pairs.size(); ++i) {
        const results::FileStatus status = report.diff.StatusOf(report.diff.pairs[i]);
        each(report.diff.FileRow(i), &status);
    }
}

// Writes the report to text as it goes.
void WriteDiff(const DiffOptions& options, const DiffReport& report, results::TextOut& text);

}  // namespace lintally::cli
