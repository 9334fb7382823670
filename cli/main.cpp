// lintally-cli: counts the source lines of folder trees with the dialog's rules, on many
// threads, and prints a table by language, extension, folder or file, the dialog's report,
// JSON or CSV; `lintally-cli diff OLD NEW` compares two counts (see DiffCommand.h),
// `lintally-cli history [ROOT]` counts the commits of a git history (see HistoryCommand.h)
// and `lintally-cli merge COUNT...` sums saved counts (see MergeCommand.h).
//
// Exit status: 0 done (also when the reader of standard output went away), 1 the output
// could not be written, 2 usage error, 3 done but some folders could not be read (each is
// named on standard error), 4 a diff grew past --fail-if-grows, 128 + N the scan was
// interrupted by signal N (130 for Ctrl-C).
#include <cerrno>
#include <cstring>
#include <iostream>

#include "cli/CommandLine.h"
#include "cli/CountCommand.h"
#include "cli/DiffCommand.h"
#include "cli/ExitStatus.h"
#include "cli/HelpText.h"
#include "cli/HistoryCommand.h"
#include "cli/MergeCommand.h"
#include "cli/System.h"

int main(int argc, char** argv)
{
    using namespace lintally::cli;
    PrepareStdStreams();
    CommandLine line;
    const ConfigPlaces config{UserConfigPath(), true};
    if (const ParseOutcome outcome =
            ParseCommandLine(argc, argv, line, std::cout, std::cerr,
                             HelpWidth(TerminalColumns(StdStream::Out)), &config);
        !outcome.run) {
        // Help or a version that did not reach its reader is a failed run, like a count's
        // output.
        if (outcome.exitCode == 0 && !std::cout.flush()) {
            std::cerr << kProgramName
                      << ": cannot write to standard output: " << std::strerror(errno) << '\n';
            return kOutputFailed;
        }
        return outcome.exitCode;
    }
    switch (line.command) {
    case Command::Diff:
        return RunDiff(line.diff);
    case Command::History:
        return RunHistory(line.history);
    case Command::Merge:
        return RunMerge(line.merge);
    case Command::Count:
        break;
    }
    return RunCount(line.count);
}
