// The whole command line of lintally-cli: a count (the default command), `diff`, `history` or
// `merge`, each
// with its own options; the global options (-j, --progress, --no-progress) go before or after the
// command's name.
//
// Plain values and a parse function; used by main's thread only.
#pragma once

#include <cstddef>
#include <iosfwd>

#include "cli/CliOptions.h"
#include "cli/ConfigFiles.h"
#include "cli/DiffOptions.h"
#include "cli/HistoryOptions.h"

namespace lintally::cli {

enum class Command
{
    Count,
    Diff,
    History,
    Merge,
};

struct CommandLine
{
    Command command = Command::Count;
    CliOptions count;  // the count's options
    DiffOptions diff;  // diff's options
    HistoryOptions history;
    CliOptions merge;  // merge's: its saved counts in roots
};

// Parses argv into line: run the command, or end with the exit code after --help (wrapped
// to helpWidth columns) or --version (printed to out) or a usage error (one line on err).
// With config, a count takes its defaults from the settings files there (the user's, then
// the project's, then the command line: the later wins, and lists such as --exclude add),
// unless it is given --no-config or -f report.
[[nodiscard]] ParseOutcome ParseCommandLine(int argc, const char* const* argv, CommandLine& line,
                                            std::ostream& out, std::ostream& err,
                                            std::size_t helpWidth = 80,
                                            const ConfigPlaces* config = nullptr);

}  // namespace lintally::cli
