#include "cli/DiffCommand.h"

#include <iostream>

#include "cli/CodeLineChanges.h"
#include "cli/CountRoots.h"
#include "cli/DiffOptions.h"
#include "cli/EmitOutput.h"
#include "cli/ExitStatus.h"
#include "cli/System.h"
#include "fileio/MessageText.h"
#include "results/DiffOrder.h"
#include "results/DiffOutput.h"
#include "results/JsonCsv.h"

namespace lintally::cli {

namespace {

// True when the side could not be read whole: folders it skipped, files of a revision.
bool ReportSkipped(const DiffSide& side)
{
    for (const scan::SkippedFolder& folder : side.skipped) {
        std::cerr << kProgramName << ": skipped folder " << Brim::EscapeControlBytes(folder.name)
                  << " of " << Brim::EscapeControlBytes(side.path) << ": "
                  << Brim::EscapeControlBytes(folder.reason) << '\n';
    }
    const bool unread = side.revision && ReportUnread(*side.revision);
    return unread || !side.skipped.empty();
}

// A revision against ROOT as it is now needs a work tree; a bare repository's folder holds
// git's own files.
bool RefuseBare(const DiffSide& before, const DiffSide& after)
{
    const DiffSide& revision = before.revision ? before : after;
    if (!revision.revision || (before.revision && after.revision) || !revision.revision->Bare()) {
        return false;
    }
    std::cerr << kProgramName << ": " << Brim::EscapeControlBytes(revision.path)
              << " is a bare repository: it has no work tree to compare revision '"
              << Brim::EscapeControlBytes(revision.rev)
              << "' with; give both --old-rev and --new-rev\n";
    return true;
}

bool Load(const DiffOptions& options, const SideRequest& request, const DiffSide* earlier,
          DiffSide& side, int& status)
{
    std::string error;
    if (!LoadSide(options.count, request, earlier, side, error)) {
        std::cerr << kProgramName << ": " << error << '\n';
        status = kUsageError;
        return false;
    }
    if (const int signal = InterruptSignal(); signal != 0) {
        status = kInterrupted + signal;
        return false;
    }
    return true;
}

// The code lines added and removed per pair, when both sides' texts can be read; false
// (with status set) when the comparison was interrupted.
bool CompareTexts(const DiffOptions& options, const DiffSide& before, const DiffSide& after,
                  const std::vector<results::FilePair>& pairs,
                  std::optional<std::vector<results::LineChanges>>& changes,
                  std::vector<UncomputedFile>& uncomputed, int& status)
{
    if (!before.HasText() || !after.HasText()) {
        return true;
    }
    changes.emplace();
    scan::StopToken stop;
    StopOnInterrupt(stop);
    CompareCodeLines(before, after, pairs, options.count.settings.CountFlags(), options.count.jobs,
                     stop, *changes, uncomputed);
    EndStopOnInterrupt();
    if (const int signal = InterruptSignal(); signal != 0) {
        status = kInterrupted + signal;
        return false;
    }
    return true;
}

// True when some files' code lines added and removed were not computed (each is named).
bool ReportUncomputed(const std::vector<UncomputedFile>& uncomputed,
                      const std::vector<results::FilePair>& pairs, const DiffSide& after)
{
    for (const UncomputedFile& file : uncomputed) {
        std::cerr << kProgramName << ": code lines added and removed not computed for "
                  << Brim::EscapeControlBytes(after.files.rows[pairs[file.pair].after].name) << ": "
                  << file.reason << '\n';
    }
    return !uncomputed.empty();
}

}  // namespace

int RunDiff(const DiffOptions& options)
{
    DiffSide before;
    DiffSide after;
    int status = 0;
    if (!Load(options, options.before, nullptr, before, status) ||
        !Load(options, options.after, &before, after, status)) {
        return status;
    }
    if (RefuseBare(before, after)) {
        return kUsageError;
    }
    if ((before.kind == SideKind::Json) != (after.kind == SideKind::Json)) {
        const DiffSide& saved = before.kind == SideKind::Json ? before : after;
        DiffSide& counted = before.kind == SideKind::Json ? after : before;
        results::NameAsSaved(counted.files.rows, saved.inexactNames);
    }
    const std::vector<results::FilePair> pairs =
        results::PairFiles(before.files.rows, after.files.rows);
    std::optional<std::vector<results::LineChanges>> changes;
    std::vector<UncomputedFile> uncomputed;
    if (!CompareTexts(options, before, after, pairs, changes, uncomputed, status)) {
        return status;
    }
    const results::CountDiff diff{before.files, after.files, pairs, changes ? &*changes : nullptr};
    results::DiffRow total;
    std::vector<results::DiffRow> groups;
    std::vector<std::size_t> files;
    if (options.by.perFile) {
        for (std::size_t i = 0; i < pairs.size(); ++i) {
            total += diff.FileCounts(i);
        }
        files = results::OrderDiffFiles(diff, options.sort, options.top);
    } else {
        groups = diff.GroupRows(options.by.grouping, total);
        results::OrderDiffGroups(groups, options.sort, options.top);
    }
    const results::DiffReport report{before.Label(), after.Label(), diff,
                                     groups,         total,         changes.has_value(),
                                     options.format, options.by,    options.count.settings,
                                     &files};
    status = EmitOutput(options.outputPath,
                        [&](results::TextOut& text) { results::WriteDiff(report, text); });
    const bool beforeIncomplete = ReportSkipped(before);
    const bool afterIncomplete = ReportSkipped(after);
    const bool incomplete =
        ReportUncomputed(uncomputed, pairs, after) || afterIncomplete || beforeIncomplete;
    if (status != 0) {
        return status;
    }
    const std::uint64_t grown =
        total.after.counted > total.before.counted ? total.after.counted - total.before.counted : 0;
    if (options.failIfGrows && grown > *options.failIfGrows) {
        std::cerr << kProgramName << ": the counted lines grew by " << grown << ", more than the "
                  << *options.failIfGrows << " --fail-if-grows allows\n";
        return kGrewTooMuch;
    }
    return incomplete ? kIncomplete : 0;
}

}  // namespace lintally::cli
