// lintally-cli: counts the source lines of folder trees with the dialog's rules, on many
// threads, and prints a table by language, extension, folder or file, the dialog's report,
// JSON or CSV.
//
// Exit status: 0 done (also when the reader of standard output went away), 1 the output
// could not be written, 2 usage error, 3 done but some folders could not be read (each is
// named on standard error), 128 + N the scan was interrupted by signal N (130 for Ctrl-C).
#include <iostream>

#include "cli/CliOptions.h"
#include "cli/Output.h"
#include "cli/ProgressLine.h"
#include "cli/System.h"
#include "fileio/AtomicFile.h"
#include "fileio/MessageText.h"
#include "fileio/PathSeparator.h"
#include "linecount/WideTally.h"
#include "scan/FileCount.h"
#include "scan/ParallelScan.h"
#include "scan/PatternList.h"

namespace {

constexpr int kOutputFailed = 1;
constexpr int kFoldersSkipped = 3;
constexpr int kInterrupted = 128;

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
    for (scan::Row& row : part.rows) {
        whole.rows.push_back(scan::Row{severalRoots ? UnderRoot(root, row.name) : std::move(row.name),
                                       row.lines, row.kinds, row.lang});
    }
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
    whole.stopped = whole.stopped || part.stopped;
}

lintally::scan::ScanResult Scan(const lintally::cli::CliOptions& cli)
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
    const bool show = cli.progress == cli::ProgressMode::On ||
                      (cli.progress == cli::ProgressMode::Auto && cli::IsTerminal(cli::StdStream::Err));
    cli::ProgressLine progress(cli::StdStream::Err, show);
    scan::StopToken stop;
    cli::StopOnInterrupt(stop);
    progress.Start();
    scan::ScanResult result;
    scan::GroupTable groups;
    for (const std::string& root : cli.roots) {
        AddRootResult(result, scan::RunParallelScan(root, patterns, options, cli.jobs, stop, progress, grouping),
                      root, cli.roots.size() > 1, grouping != nullptr && grouping->by == scan::GroupBy::Folder,
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

int Emit(const lintally::cli::CliOptions& cli, const std::string& bytes)
{
    using namespace lintally;
    std::string error;
    if (!cli.outputPath.empty()) {
        if (!Brim::WriteFileAtomically(cli.outputPath, bytes, error)) {
            std::cerr << cli::kProgramName << ": " << error << '\n';
            return kOutputFailed;
        }
        return 0;
    }
    switch (cli::WriteStream(cli::StdStream::Out, bytes, error)) {
    case cli::WriteStatus::Written:
    case cli::WriteStatus::PipeClosed:
        return 0;
    case cli::WriteStatus::Failed:
        break;
    }
    std::cerr << cli::kProgramName << ": cannot write standard output: " << error << '\n';
    return kOutputFailed;
}

// One line per folder the walk could not read, then how many there were: the rows and
// total leave them out, and nothing else would tell.
void ReportSkipped(const lintally::scan::ScanResult& result)
{
    using namespace lintally;
    for (const scan::SkippedFolder& folder : result.skipped) {
        std::cerr << cli::kProgramName << ": skipped folder " << Brim::EscapeControlBytes(folder.name)
                  << ": " << Brim::EscapeControlBytes(folder.reason) << '\n';
    }
    const std::size_t count = result.skipped.size();
    std::cerr << cli::kProgramName << ": " << count << (count == 1 ? " folder was" : " folders were")
              << " skipped\n";
}

}  // namespace

int main(int argc, char** argv)
{
    lintally::cli::PrepareStdStreams();
    lintally::cli::CliOptions cli;
    const auto outcome = lintally::cli::ParseCommandLine(argc, argv, cli, std::cout, std::cerr);
    if (!outcome.run) {
        return outcome.exitCode;
    }
    lintally::scan::ScanResult result = Scan(cli);
    if (const int signal = lintally::cli::InterruptSignal(); signal != 0) {
        return kInterrupted + signal;
    }
    const int status = Emit(cli, lintally::cli::FormatOutput(cli, result));
    if (result.skipped.empty()) {
        return status;
    }
    ReportSkipped(result);
    return status != 0 ? status : kFoldersSkipped;
}
