// lintally-cli: counts the source lines of folder trees with the dialog's rules, on many
// threads, and prints a table by language, extension, folder or file, the dialog's report,
// JSON or CSV; `lintally-cli diff OLD NEW` compares two counts (see DiffCommand.h).
//
// Exit status: 0 done (also when the reader of standard output went away), 1 the output
// could not be written, 2 usage error, 3 done but some folders could not be read (each is
// named on standard error), 128 + N the scan was interrupted by signal N (130 for Ctrl-C).
#include <iostream>

#include "cli/CliOptions.h"
#include "cli/DiffCommand.h"
#include "cli/EmitOutput.h"
#include "cli/ExitStatus.h"
#include "cli/Output.h"
#include "cli/ProgressLine.h"
#include "cli/System.h"
#include "fileio/MessageText.h"
#include "fileio/PathSeparator.h"
#include "gitsel/RevisionCount.h"
#include "linecount/WideTally.h"
#include "scan/FileCount.h"
#include "scan/ParallelScan.h"
#include "scan/PatternList.h"

namespace {

// name under root as given, for the rows of a scan of several roots ("." is root itself).
std::string UnderRoot(const std::string& root, const std::string& name)
{
    if (name == ".") {
        return root;
    }
    const bool separated = !root.empty() && Brim::IsPathSeparator(root.back());
    return separated ? root + name : root + Brim::kPathSeparator + name;
}

// Adds one root's result to the whole; with several roots, names that are relative to a
// root are named under it, so the rows and folders of different roots stay apart.
void AddRootResult(lintally::scan::ScanResult& whole, lintally::scan::ScanResult part,
                   const std::string& root, bool severalRoots, bool byFolder,
                   lintally::scan::GroupTable& groups)
{
    using namespace lintally;
    if (severalRoots) {
        for (std::size_t i = 0; i < part.rows.size(); ++i) {
            part.rows.Rename(i, UnderRoot(root, std::string(part.rows[i].name)));
        }
    }
    whole.rows.Append(std::move(part.rows));
    for (scan::GroupRow& group : part.groups) {
        if (severalRoots && byFolder) {
            group.name = UnderRoot(root, group.name);
        }
        groups.Add(group);
    }
    for (scan::SkippedFolder& folder : part.skipped) {
        if (severalRoots && folder.name != root) {
            folder.name = UnderRoot(root, folder.name);
        }
        whole.skipped.push_back(std::move(folder));
    }
    whole.total += part.total;
    whole.files += part.files;
    whole.kinds += part.kinds;
    whole.skips += part.skips;
    whole.stopped = whole.stopped || part.stopped;
}

lintally::scan::ScanResult Scan(const lintally::cli::CliOptions& cli,
                                const lintally::scan::Selection& selection,
                                std::vector<lintally::cli::RootPlan>& plans)
{
    using namespace lintally;
    scan::ScanOptions options;
    options.includeSubFolders = cli.includeSubFolders;
    std::uint32_t flags = scan::MakeCountFlags(cli.includeRemed, cli.excludeBlank, cli.trackBlocks);
    std::vector<std::string> patterns = scan::BuildPatternList(cli.types);
    if (cli.wideLanguages) {
        flags |= PrjHelper::CF_WIDE_TABLE;
        // Without -t every file is offered, and the wide table keeps those it knows.
        if (!cli.typesGiven) {
            flags |= PrjHelper::CF_KNOWN_ONLY;
            patterns = {".*"};
        }
    }
    options.countFlags = flags;
    // Rows are kept only where they are shown; groups alone keep memory flat.
    const bool perFile = cli.by.perFile || cli.format == cli::OutputFormat::Report;
    const scan::Grouping* grouping = perFile ? nullptr : &cli.by.grouping;
    const bool show =
        cli.progress == cli::ProgressMode::On ||
        (cli.progress == cli::ProgressMode::Auto && cli::IsTerminal(cli::StdStream::Err));
    cli::ProgressLine progress(cli::StdStream::Err, show);
    scan::StopToken stop;
    cli::StopOnInterrupt(stop);
    progress.Start();
    scan::ScanResult result;
    scan::GroupTable groups;
    for (cli::RootPlan& plan : plans) {
        const scan::Selection chosen = cli::SelectionFor(selection, plan);
        const std::string& root = plan.root;
        AddRootResult(
            result,
            plan.revision ? gitsel::CountRevision(
                                *plan.revision, plan.revisionFiles ? &*plan.revisionFiles : nullptr,
                                patterns, options, cli.jobs, stop, progress, grouping, &chosen)
            : plan.listed ? scan::RunParallelListScan(plan.prefix, *plan.listed, patterns, options,
                                                      cli.jobs, stop, progress, grouping, &chosen,
                                                      nullptr, plan.tracked)
                          : scan::RunParallelScan(root, patterns, options, cli.jobs, stop, progress,
                                                  grouping, &chosen),
            root, plans.size() > 1, grouping != nullptr && grouping->by == scan::GroupBy::Folder,
            groups);
        if (result.stopped) {
            break;
        }
    }
    result.groups = groups.Take();
    progress.Finish();
    cli::EndStopOnInterrupt();
    return result;
}

// One line per folder the walk could not read, then how many there were: the rows and
// total leave them out, and nothing else would tell.
void ReportSkipped(const lintally::scan::ScanResult& result)
{
    using namespace lintally;
    for (const scan::SkippedFolder& folder : result.skipped) {
        std::cerr << cli::kProgramName << ": skipped folder "
                  << Brim::EscapeControlBytes(folder.name) << ": "
                  << Brim::EscapeControlBytes(folder.reason) << '\n';
    }
    const std::size_t count = result.skipped.size();
    std::cerr << cli::kProgramName << ": " << count
              << (count == 1 ? " folder was" : " folders were") << " skipped\n";
}

}  // namespace

int main(int argc, char** argv)
{
    lintally::cli::PrepareStdStreams();
    if (argc > 1 && std::string_view(argv[1]) == "diff") {
        return lintally::cli::RunDiff(argc - 1, argv + 1, Scan);
    }
    lintally::cli::CliOptions cli;
    const auto outcome = lintally::cli::ParseCommandLine(argc, argv, cli, std::cout, std::cerr);
    if (!outcome.run) {
        return outcome.exitCode;
    }
    lintally::scan::Selection selection;
    std::vector<lintally::cli::RootPlan> plans;
    if (std::string error; !lintally::cli::PlanSelection(
            cli.select, cli.roots, cli.includeSubFolders, selection, plans, error)) {
        std::cerr << lintally::cli::kProgramName << ": " << error << '\n';
        return lintally::cli::kUsageError;
    }
    if (!plans.empty() && plans.front().revision) {
        cli.select.commit = plans.front().revision->Commit();
    }
    lintally::scan::ScanResult result = Scan(cli, selection, plans);
    if (const int signal = lintally::cli::InterruptSignal(); signal != 0) {
        return lintally::cli::kInterrupted + signal;
    }
    const int status = lintally::cli::EmitOutput(
        cli.outputPath,
        [&](lintally::scan::TextOut& text) { lintally::cli::WriteOutput(cli, result, text); });
    if (result.skipped.empty()) {
        return status;
    }
    ReportSkipped(result);
    return status != 0 ? status : lintally::cli::kIncomplete;
}
