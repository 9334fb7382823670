#include "cli/HistoryCommand.h"

#include <iostream>
#include <set>

#include "cli/EmitOutput.h"
#include "cli/ExitStatus.h"
#include "cli/ProgressLine.h"
#include "cli/System.h"
#include "fileio/MessageText.h"
#include "gitsel/History.h"
#include "results/HistoryOutput.h"
#include "results/RowGrouping.h"

namespace lintally::cli {

namespace {

// Each file and submodule that could not be read, once; true when there was one.
bool ReportProblems(const gitsel::History& history,
                    const std::set<std::pair<std::string, std::string>>& skipped)
{
    for (const auto& [name, reason] : skipped) {
        std::cerr << kProgramName << ": skipped folder " << Brim::EscapeControlBytes(name) << ": "
                  << Brim::EscapeControlBytes(reason) << '\n';
    }
    const std::vector<gitsel::UnreadFile> unread = history.Unread();
    for (const gitsel::UnreadFile& file : unread) {
        std::cerr << kProgramName << ": cannot read " << Brim::EscapeControlBytes(file.name) << ": "
                  << Brim::EscapeControlBytes(file.reason) << '\n';
    }
    return !skipped.empty() || !unread.empty();
}

}  // namespace

int RunHistory(HistoryOptions& options)
{
    const CliOptions& count = options.count;
    scan::Selection selection;
    std::string error;
    if (!BuildSelection(count.select, selection, error)) {
        std::cerr << kProgramName << ": " << error << '\n';
        return kUsageError;
    }
    scan::CountRequest shape;
    shape.settings = count.settings;
    shape.grouping = &count.by.grouping;
    shape.selection = &selection;
    shape.jobs = count.jobs;
    std::unique_ptr<gitsel::History> history;
    if (gitsel::History::Open(count.roots.front(), options.rev, shape, history, error) !=
        gitsel::GitStatus::Ok) {
        std::cerr << kProgramName << ": history: " << Brim::EscapeControlBytes(error) << '\n';
        return kUsageError;
    }
    const std::vector<gitsel::HistoryCommit>& commits = history->Commits();
    const std::vector<std::size_t> chosen = SampleCommits(commits, options.sampling);
    results::HistoryRows rows{count.roots.front(),
                              options.rev,
                              commits.front().id,
                              results::GroupingName(count.by),
                              count.settings,
                              {},
                              true,
                              options.sampling.oldestFirst};
    const bool show = count.progress == ProgressMode::On ||
                      (count.progress == ProgressMode::Auto && IsTerminal(StdStream::Err));
    ProgressLine progress(StdStream::Err, show);
    scan::StopToken stop;
    StopOnInterrupt(stop);
    progress.Start();
    std::set<std::pair<std::string, std::string>> skipped;
    const std::uint32_t flags = count.settings.CountFlags();
    int status = 0;
    for (const std::size_t index : chosen) {
        progress.SetCommits(rows.rows.size(), chosen.size());
        scan::ScanResult result;
        if (history->Count(index, stop, progress, result, error) != gitsel::GitStatus::Ok) {
            std::cerr << kProgramName << ": history: " << Brim::EscapeControlBytes(error) << '\n';
            status = kUsageError;
            break;
        }
        if (result.stopped) {
            rows.complete = false;
            break;
        }
        for (const scan::SkippedFolder& folder : result.skipped) {
            skipped.emplace(folder.name, folder.reason);
        }
        const gitsel::HistoryCommit& commit = commits[index];
        rows.rows.push_back(results::MakeHistoryRow(
            commit.id, results::IsoDateTime(commit.time, commit.offset), result, flags));
    }
    progress.Finish();
    EndStopOnInterrupt();
    const int signal = InterruptSignal();
    if (status != 0 || (signal != 0 && count.outputPath.empty())) {
        return signal != 0 ? kInterrupted + signal : status;
    }
    rows.complete = rows.complete && signal == 0;
    status = EmitOutput(count.outputPath, [&](results::TextOut& text) {
        results::WriteHistoryOutput(count.format, rows, text);
    });
    if (signal != 0) {
        return kInterrupted + signal;
    }
    const bool problems = ReportProblems(*history, skipped);
    return status != 0 || !problems ? status : kIncomplete;
}

}  // namespace lintally::cli
