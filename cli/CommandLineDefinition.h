// The definition of lintally-cli's whole command line as CLI11 objects: the count's options,
// and the diff, history and merge commands with theirs. The parser, the man page and the shell
// completions are all made from it, so they cannot disagree.
//
// The returned App writes into the CommandLine and extras it was given, which must outlive
// it. Used by one thread at a time.
#pragma once

#include <memory>

#include "cli/CommandLine.h"

namespace CLI {
class App;
}

namespace lintally::cli {

// What a parse fills besides CommandLine: values the commands check after it, and the
// commands' own Apps (owned by the returned App).
struct CommandLineExtras
{
    bool byGiven = false;  // --by was given to the count
    DiffArguments diff;
    HistoryArguments history;
    CLI::App* diffCommand = nullptr;
    CLI::App* historyCommand = nullptr;
    bool mergeByGiven = false;  // --by was given to merge
    CLI::App* mergeCommand = nullptr;
};

// The program's App over line and extras; --version prints the version and kBuildCommit.
[[nodiscard]] std::unique_ptr<CLI::App> DefineCommandLine(CommandLine& line,
                                                          CommandLineExtras& extras);

// "lintally-cli 1.0.0".
[[nodiscard]] std::string ProgramVersion();
// What --version prints, without its line end: ProgramVersion and the commit built from.
[[nodiscard]] std::string VersionText();

}  // namespace lintally::cli
