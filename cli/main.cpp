// lintally-cli: counts the source lines of a folder tree with the dialog's rules, on many
// threads, and prints the dialog's report, JSON or CSV.
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
#include "scan/FileCount.h"
#include "scan/ParallelScan.h"
#include "scan/PatternList.h"

namespace {

constexpr int kOutputFailed = 1;
constexpr int kFoldersSkipped = 3;
constexpr int kInterrupted = 128;

lintally::scan::ScanResult Scan(const lintally::cli::CliOptions& cli)
{
    using namespace lintally;
    scan::ScanOptions options;
    options.includeSubFolders = cli.includeSubFolders;
    options.countFlags = scan::MakeCountFlags(cli.includeRemed, cli.excludeBlank, cli.trackBlocks);
    const bool show = cli.progress == cli::ProgressMode::On ||
                      (cli.progress == cli::ProgressMode::Auto && cli::IsTerminal(cli::StdStream::Err));
    cli::ProgressLine progress(cli::StdStream::Err, show);
    scan::StopToken stop;
    cli::StopOnInterrupt(stop);
    progress.Start();
    scan::ScanResult result = scan::RunParallelScan(cli.root, scan::BuildPatternList(cli.types),
                                                    options, cli.jobs, stop, progress);
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
    const lintally::scan::ScanResult result = Scan(cli);
    if (const int signal = lintally::cli::InterruptSignal(); signal != 0) {
        return kInterrupted + signal;
    }
    const int status = Emit(cli, lintally::cli::FormatOutput(cli.format, cli.root, result));
    if (result.skipped.empty()) {
        return status;
    }
    ReportSkipped(result);
    return status != 0 ? status : kFoldersSkipped;
}
