// lintally-cli: counts the source lines of a folder tree with the dialog's rules, on many
// threads, and prints the dialog's report, JSON or CSV.
//
// Exit status: 0 done (also when the reader of standard output went away), 1 the output
// could not be written, 2 usage error.
#include <iostream>

#include "cli/CliOptions.h"
#include "cli/Output.h"
#include "cli/ProgressLine.h"
#include "cli/System.h"
#include "fileio/AtomicFile.h"
#include "scan/FileCount.h"
#include "scan/ParallelScan.h"
#include "scan/PatternList.h"

namespace {

constexpr int kOutputFailed = 1;

lintally::scan::ScanResult Scan(const lintally::cli::CliOptions& cli)
{
    using namespace lintally;
    scan::ScanOptions options;
    options.includeSubFolders = cli.includeSubFolders;
    options.countFlags = scan::MakeCountFlags(cli.includeRemed, cli.excludeBlank, cli.trackBlocks);
    const bool show = cli.progress == cli::ProgressMode::On ||
                      (cli.progress == cli::ProgressMode::Auto && cli::IsTerminal(cli::StdStream::Err));
    cli::ProgressLine progress(cli::StdStream::Err, show);
    const scan::StopToken stop;
    progress.Start();
    scan::ScanResult result = scan::RunParallelScan(cli.root, scan::BuildPatternList(cli.types),
                                                    options, cli.jobs, stop, progress);
    progress.Finish();
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
    return Emit(cli, lintally::cli::FormatOutput(cli.format, cli.root, result));
}
