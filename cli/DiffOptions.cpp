#include "cli/DiffOptions.h"

#include <CLI/CLI.hpp>

#include <ostream>

#include "cli/ExitStatus.h"
#include "cli/LineDiff.h"

namespace lintally::cli {

namespace {

std::string Footer()
{
    std::string text =
        "Each of OLD and NEW is a folder, counted as lintally-cli counts one, or a count saved by\n"
        "lintally-cli -f json (by file, the default for json). Both sides are counted alike: a\n"
        "saved count whose \"options\" differ from the options given here is refused.\n\n"
        "Files are paired by their names under the side's root. A file on NEW only is added, on\n"
        "OLD only removed (a renamed file is both), on both changed when its code, comment,\n"
        "blank or counted lines differ, else the same.\n\n";
    text += LineDiff::Supported()
                ? "When both sides are folders, the code lines added and removed are counted too:\n"
                  "a line diff of each file's code lines (all of them for a file added or\n"
                  "removed), shown as +added and -removed.\n\n"
                : "This build has no line diff (no libgit2): it shows no code lines added and\n"
                  "removed, only the counts of both sides.\n\n";
    text +=
        "JSON: {\"old\": SIDE, \"new\": SIDE, \"groups\": [{\"name\": ..., \"old\": C, \"new\": C, "
        "\"delta\": C,\n\"files_added\": n, \"files_removed\": n, \"files_changed\": n}, ...], "
        "\"total\": {...}}, each C\n{\"files\": n, \"code\": n, \"comment\": n, \"blank\": n, "
        "\"counted\": n}; by file each entry adds\n\"status\": \"added\" | \"removed\" | "
        "\"changed\" | \"same\"; with the line diff \"code_added\" and\n\"code_removed\" follow. "
        "CSV: one line per group or file, then the total.\n\n"
        "Exit status: 0 done, whatever the difference; 1 the output could not be written; 2 "
        "usage\nerror; 3 the counted total grew by more than --fail-if-grows allows, or some "
        "folders\ncould not be read (each is named on standard error); 130 interrupted.";
    return text;
}

void DefineDiffOptions(CLI::App& app, DiffOptions& options, bool& byGiven)
{
    DefineCountingOptions(app, options.count);
    app.add_option_function<std::string>(
           "-f,--format",
           [&options](const std::string& name) {
               options.format = name == "json"  ? OutputFormat::Json
                                : name == "csv" ? OutputFormat::Csv
                                                : OutputFormat::Table;
           },
           "table (default): aligned columns for people; json; csv")
        ->check(CLI::IsMember({"table", "json", "csv"}))
        ->option_text("FORMAT");
    DefineGroupingOption(app, options.by, byGiven,
                         "rows: language (the table's default), ext (name suffix), dir (folders "
                         "one level under the root), dir:N (N levels) or file (one row per file, "
                         "with its status; the default for json and csv)");
    app.add_option("-o,--output", options.outputPath,
                   "write to FILE (replaced atomically) instead of standard output")
        ->option_text("FILE");
    app.add_option_function<std::uint64_t>(
           "--fail-if-grows", [&options](std::uint64_t lines) { options.failIfGrows = lines; },
           "exit with status 3 when the counted total grew by more than N lines (for CI)")
        ->option_text("N");
    DefineRunOptions(app, options.count);
    app.add_option("OLD", options.before, "the folder or saved count before")
        ->required()
        ->option_text("OLD");
    app.add_option("NEW", options.after, "the folder or saved count after")
        ->required()
        ->option_text("NEW");
    app.footer(Footer());
}

}  // namespace

ParseOutcome ParseDiffCommandLine(int argc, const char* const* argv, DiffOptions& options,
                                  std::ostream& out, std::ostream& err)
{
    options = DiffOptions();
    options.count.jobs = DefaultJobs();
    CLI::App app(
        "Compares two counts of a project: for each group the code, comment, blank and "
        "counted lines before and after, and the files added, removed and changed.",
        std::string(kProgramName) + " diff");
    app.allow_windows_style_options(false);
    bool byGiven = false;
    DefineDiffOptions(app, options, byGiven);
    if (const ParseOutcome outcome = ParseArguments(app, argc, argv, out, err); !outcome.run) {
        return outcome;
    }
    options.count.typesGiven = app.count("--types") > 0;
    if (const std::string problem = CheckSelectionChoices(options.count.select, true);
        !problem.empty()) {
        err << kProgramName << ": " << problem << '\n';
        return ParseOutcome{false, kUsageError};
    }
    if (!byGiven && options.format != OutputFormat::Table) {
        options.by.perFile = true;
    }
    return ParseOutcome{true, 0};
}

}  // namespace lintally::cli
