// The options of a count on the command line, their defaults (the dialog's start-up state, so
// both front ends count a tree alike), and the option definitions the commands share.
//
// Plain values and functions; used by main's thread only.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>
#include <utility>
#include <vector>

#include "cli/CostOptions.h"
#include "cli/SelectionOptions.h"
#include "results/OutputFormat.h"
#include "results/RowGrouping.h"
#include "results/RowOrder.h"
#include "scan/CountSettings.h"

namespace CLI {
class App;
}

namespace lintally::cli {

inline constexpr const char* kProgramName = "lintally-cli";

// The output's choices are the results library's; the options name them here.
using results::OutputFormat;
using results::RowGrouping;
using results::SortKey;

enum class ProgressMode
{
    Auto,  // only when standard error is a terminal
    On,
    Off,
};

struct CliOptions
{
    std::vector<std::string> roots;  // at least one after a successful parse
    scan::CountSettings settings;
    OutputFormat format = OutputFormat::Table;
    RowGrouping by;  // by language for a table; by file for JSON and CSV unless --by is given
    SortKey sort = SortKey::Default;
    std::size_t top = 0;     // 0: every row
    std::string outputPath;  // empty: standard output
    unsigned jobs = 1;
    ProgressMode progress = ProgressMode::Auto;
    SelectionChoices select;
    CostChoices cost;
};

// What the parse decided: run the command, or end at once with exitCode (0 after --help or
// --version, which were printed to out; 2 after a usage error, reported to err as one
// line beginning "lintally-cli: ").
struct ParseOutcome
{
    bool run = false;
    int exitCode = 0;
};

// The pieces of the command line that the commands share (a diff counts its folders as a
// count would).
// -t, --languages, --no-sub, --exclude-remed, --exclude-blank, --block-comments,
// --no-block-comments.
void DefineCountingOptions(CLI::App& app, scan::CountSettings& settings);
// What only a count shows: --embedded, --complexity.
void DefineDetailOptions(CLI::App& app, scan::CountSettings& settings);
// After the parse, the defaults of what was not given. The dialog's counts keep the dialog's
// defaults and leave nothing out. Otherwise the wide table counts every file it knows (or
// those of -t), a block comment spans lines, binaries are left out and, unless --no-ignore
// or the files are named rather than walked, what git ignores and version-control folders
// are left out too. What is wrong (two options that contradict each other), or an empty text.
[[nodiscard]] std::string FinishCountingOptions(const CLI::App& app, OutputFormat format,
                                                scan::CountSettings& settings,
                                                SelectionChoices& select);
// Whether --by names file among its choices (for the help and the completions): history
// sums commits, never files, and refuses it after the parse with its own message.
enum class FileRows
{
    Offered,
    NotOffered,
};
// --by GROUP, setting byGiven when given.
void DefineGroupingOption(CLI::App& app, RowGrouping& by, bool& byGiven, const std::string& help,
                          FileRows fileRows = FileRows::Offered);
// -f FORMAT, taking the formats named (the first is the default).
void DefineFormatOption(CLI::App& app, OutputFormat& format,
                        const std::vector<OutputFormat>& formats, const std::string& help);
// --sort KEY (help says what it orders) and --top N.
void DefineSortOptions(CLI::App& app, SortKey& sort, std::size_t& top, const std::string& help);
// -o FILE.
void DefineOutputOption(CLI::App& app, std::string& path);
// What is wrong with --by for the format (XML lists files and takes none), or an empty text.
[[nodiscard]] std::string CheckFormatGrouping(OutputFormat format, bool byGiven);
// The grouping when --by is not given: by file for JSON, CSV, YAML, XML and SQL, else by
// language.
void DefaultGrouping(OutputFormat format, bool byGiven, RowGrouping& by);
// The number of counting threads when -j is not given: one per core.
[[nodiscard]] unsigned DefaultJobs();
// The options every command takes, before or after its name: -j, --progress, --no-progress.
void DefineGlobalOptions(CLI::App& app, CliOptions& options);
// The names of the global options, as CLI11 names them.
inline constexpr const char* kGlobalOptions[] = {"--jobs", "--progress", "--no-progress"};

// Options that cannot both be given.
inline constexpr std::pair<const char*, const char*> kContradictions[] = {
    {"--block-comments", "--no-block-comments"},
    {"--progress", "--no-progress"},
    {"--gitignore", "--no-ignore"},
};

}  // namespace lintally::cli
