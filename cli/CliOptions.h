// The command line of lintally-cli: what it accepts, its defaults (the dialog's start-up
// state, so both front ends count a tree alike), and the parse.
//
// Plain values and a parse function; used by main's thread only.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>
#include <vector>

#include "cli/SelectionOptions.h"
#include "scan/Grouping.h"
#include "scan/Presets.h"

namespace CLI {
class App;
}

namespace lintally::cli {

inline constexpr const char* kProgramName = "lintally-cli";

enum class OutputFormat
{
    Table,
    Report,
    Json,
    Csv,
};

// What a table or CSV row stands for: one file, or the sums of a group.
struct RowGrouping
{
    bool perFile = false;
    scan::Grouping grouping;
};

// The word --by takes for a grouping ("language", "ext", "dir", "file"; dir:N is "dir"),
// and the heading of its first table column ("Language", "Ext", "Folder", "File").
[[nodiscard]] const char* GroupingWord(const RowGrouping& by);
[[nodiscard]] const char* GroupingHeading(const RowGrouping& by);

// What rows are listed by; Default: the grouping's own order (counted lines, largest first,
// for groups; the list order for files).
enum class SortKey
{
    Default,
    Name,
    Files,
    Lines,
    Code,
    Comment,
    Blank,
    Counted,
};

enum class ProgressMode
{
    Auto,  // only when standard error is a terminal
    On,
    Off,
};

struct CliOptions
{
    std::vector<std::string> roots;  // at least one after a successful parse
    std::string types{scan::kFileTypePresets[0]};
    bool typesGiven = false;
    bool wideLanguages = false;  // --languages wide: the wide language table counts
    bool includeSubFolders = scan::kStartupOptions.includeSubFolders;
    bool includeRemed = scan::kStartupOptions.includeRemed;
    bool excludeBlank = scan::kStartupOptions.excludeBlank;
    bool trackBlocks = false;
    OutputFormat format = OutputFormat::Table;
    RowGrouping by;  // by language for a table; by file for JSON and CSV unless --by is given
    SortKey sort = SortKey::Default;
    std::size_t top = 0;     // 0: every row
    std::string outputPath;  // empty: standard output
    unsigned jobs = 1;
    ProgressMode progress = ProgressMode::Auto;
    SelectionChoices select;
};

// What the parse decided: run the scan, or end at once with exitCode (0 after --help or
// --version, which were printed to out; 2 after a usage error, reported to err as one
// line beginning "lintally-cli: ").
struct ParseOutcome
{
    bool run = false;
    int exitCode = 0;
};

[[nodiscard]] ParseOutcome ParseCommandLine(int argc, const char* const* argv, CliOptions& options,
                                            std::ostream& out, std::ostream& err);

// The pieces of the command line that other commands share (diff counts its folders as a
// count would).
// "language", "ext", "dir", "dir:N" or "file" into by; an empty text when name is one of
// them, else what is wrong.
std::string ParseGrouping(const std::string& name, RowGrouping& by);
// -t, --languages, --no-sub, --exclude-remed, --exclude-blank, --block-comments.
void DefineCountingOptions(CLI::App& app, CliOptions& options);
// --by GROUP, setting byGiven when given.
void DefineGroupingOption(CLI::App& app, RowGrouping& by, bool& byGiven, const std::string& help);
// The number of counting threads when -j is not given: one per core.
[[nodiscard]] unsigned DefaultJobs();
// -j, --progress, --no-progress and the selection options.
void DefineRunOptions(CLI::App& app, CliOptions& options);
// Parses argv into app's options: run, or end with the exit code after --help or --version
// (printed to out) or a usage error (one line on err).
[[nodiscard]] ParseOutcome ParseArguments(CLI::App& app, int argc, const char* const* argv,
                                          std::ostream& out, std::ostream& err);

}  // namespace lintally::cli
