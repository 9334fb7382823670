#include "cli/HistoryOptions.h"

#include <CLI/CLI.hpp>

#include <limits>

#include "cli/OptionChecks.h"
#include "fileio/MessageText.h"

namespace lintally::cli {

namespace {

constexpr std::uint64_t kMost = std::numeric_limits<std::uint32_t>::max();

CLI::Validator DayCheck()
{
    return CLI::Validator(
        [](std::string& text) {
            return ParseIsoDay(text)
                       ? std::string()
                       : "takes a date such as 2024-05-31, not " + Brim::EscapeControlBytes(text);
        },
        "", "date");
}

const char* kFooter =
    "Each commit counts as lintally-cli --rev COMMIT counts it: the same options, files, "
    "submodules and links, and the same groups and totals. A file already counted under the "
    "same name is not read again, and a folder whose tree is unchanged is not walked again, "
    "so each commit costs about what it changed.\n\n"
    "Sampling, applied in this order: --since and --until keep the commits of those days (the "
    "committer's date in its own zone), --step the last commit of each period, --every each "
    "N-th of those from the newest, --max-count the newest N of them.\n\n"
    "Table: one line per commit: its date, short id, files and code lines, and the code lines "
    "of the four groups with the most code (then of all others). CSV: "
    "commit,date,group,files,code,comment,blank,physical,counted, one line per commit and "
    "group, without total lines. JSON: {\"root\", \"revision\": {\"name\", \"commit\"}, "
    "\"by\", \"options\", \"complete\", \"commits\": [{\"commit\", \"date\", \"files\", "
    "\"code\", \"comment\", \"blank\", \"physical\", \"counted\"}], \"rows\": [the CSV's lines "
    "as objects]}. Dates are ISO 8601 with the committer's zone.\n\n"
    "An interrupt (Ctrl-C) stops the count; with -o the commits counted so far are written "
    "(JSON's \"complete\" is then false).\n\n"
    "Exit status: 0 done, 1 the output could not be written, 2 usage error, 3 some files or "
    "submodules could not be read (each is named on standard error), 130 interrupted.";

}  // namespace

void DefineHistoryCommand(CLI::App& app, HistoryOptions& options, HistoryArguments& arguments)
{
    CliOptions& count = options.count;
    DefineCountingOptions(app, count.settings);
    DefineFormatOption(app, count.format,
                       {OutputFormat::Table, OutputFormat::Json, OutputFormat::Csv,
                        OutputFormat::Html, OutputFormat::Markdown},
                       "table (default): one line per commit; json; csv; markdown: the table as "
                       "GitHub-flavoured Markdown; html: a page of "
                       "code by group over time");
    DefineGroupingOption(app, count.by, arguments.byGiven,
                         "groups of each commit: language (default), ext (name suffix), dir "
                         "(folders one level under ROOT) or dir:N (N levels)",
                         FileRows::NotOffered);
    DefineOutputOption(app, count.outputPath);
    DefineGlobalOptions(app, count);
    DefineSelectionOptions(app, count.select, false);
    app.add_option("--rev", options.rev,
                   "count the history of git revision REV (a tag, a branch, a hash; default "
                   "HEAD)")
        ->option_text("REV");
    app.add_option_function<std::string>(
           "--max-count",
           [&options](const std::string& text) {
               options.sampling.maxCount = *ParseWholeNumber(text, 1, kMost);
           },
           "count at most the newest N commits chosen")
        ->check(WholeNumber(1, kMost))
        ->option_text("N");
    app.add_option_function<std::string>(
           "--every",
           [&options](const std::string& text) {
               options.sampling.every = *ParseWholeNumber(text, 1, kMost);
           },
           "count every N-th commit, from the newest")
        ->check(WholeNumber(1, kMost))
        ->option_text("N");
    app.add_option("--since", arguments.since, "count commits of that day and later")
        ->check(DayCheck())
        ->option_text("DATE");
    app.add_option("--until", arguments.until, "count commits of that day and earlier")
        ->check(DayCheck())
        ->option_text("DATE");
    app.add_option_function<std::string>(
           "--step",
           [&options](const std::string& text) { options.sampling.step = *ParseStep(text); },
           "count the last commit of each period: Nd days, Nw weeks (from Monday), Nm months, "
           "Ny years (1w, 1m, ...)")
        ->check(CLI::Validator(
            [](std::string& text) {
                return ParseStep(text) ? std::string()
                                       : "takes a period such as 1w, 2m or 1y, not " +
                                             Brim::EscapeControlBytes(text);
            },
            "", "period"))
        ->option_text("PERIOD");
    app.add_flag("--reverse", options.sampling.oldestFirst, "oldest commit first");
    app.add_option("ROOT", count.roots,
                   "a folder of a git work tree (its files at each commit) or a bare repository "
                   "(default: the current folder)")
        ->option_text("FOLDER")
        ->expected(0, 1)
        ->check(ExistingFolderOrFile());
    app.footer(kFooter);
}

std::string FinishHistoryOptions(const CLI::App& app, HistoryOptions& options,
                                 const HistoryArguments& arguments)
{
    CliOptions& count = options.count;
    if (std::string problem =
            FinishCountingOptions(app, count.format, count.settings, count.select);
        !problem.empty()) {
        return problem;
    }
    count.select.rev = options.rev;
    if (std::string problem = CheckSelectionChoices(count.select, true); !problem.empty()) {
        return "history " + problem.substr(problem.find(' ') + 1);
    }
    if (count.by.perFile) {
        return "history sums each commit by language, ext or dir, not by file";
    }
    if (!arguments.since.empty()) {
        options.sampling.since = ParseIsoDay(arguments.since);
    }
    if (!arguments.until.empty()) {
        options.sampling.until = ParseIsoDay(arguments.until);
    }
    if (count.roots.empty()) {
        count.roots.emplace_back(".");
    }
    return {};
}

}  // namespace lintally::cli
