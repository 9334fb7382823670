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
        "saved count whose \"options\" differ from the options given here is refused. The\n"
        "default file types are those of a count (see lintally-cli --help).\n"
        "With --old-rev and --new-rev both sides are revisions of the repository at ROOT (the\n"
        "current folder when none is given), read from its objects; with only one of them, the\n"
        "other side is the folder ROOT as it is now:\n"
        "  lintally-cli diff --old-rev v1.0 --new-rev v2.0   what v2.0 changed since v1.0\n"
        "  lintally-cli diff --old-rev main                  what the work tree changed since "
        "main\n\n"
        "Files are paired by their names under the side's root. A file on NEW only is added, on\n"
        "OLD only removed (a renamed file is both), on both changed when its code, comment,\n"
        "blank or counted lines differ, else the same.\n\n";
    text += LineDiff::Supported()
                ? "When both sides are folders or revisions, the code lines added and removed are\n"
                  "counted too: "
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
        "folders\ncould not be read, by this diff or by a saved count (each is named on standard "
        "error);\n130 interrupted.";
    return text;
}

void DefineDiffOptions(CLI::App& app, DiffOptions& options, std::vector<std::string>& sides,
                       bool& byGiven)
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
    // Options of a count that choose files another way than a diff's sides do; refused
    // with a line that says why, and kept out of the help.
    for (const char* count : {"--rev", "--files-from", "--null"}) {
        app.get_option(count)->group("");
    }
    app.add_option("--old-rev", options.before.rev,
                   "the old side is git revision REV (a tag, a branch, HEAD~3, a hash) of ROOT")
        ->option_text("REV");
    app.add_option("--new-rev", options.after.rev, "the new side is git revision REV of ROOT")
        ->option_text("REV");
    app.add_option("OLD NEW", sides,
                   "the folders or saved counts to compare; with --old-rev or --new-rev, the "
                   "one ROOT (default: the current folder; put -- before a name that begins "
                   "with '-')")
        ->option_text(" ");
    app.footer(Footer());
}

// Puts the positional arguments in place: OLD and NEW, or the ROOT of the revisions; what is
// wrong with them, or an empty text.
std::string PlaceSides(const std::vector<std::string>& sides, DiffOptions& options)
{
    if (!options.count.select.rev.empty()) {
        return "diff takes --old-rev and --new-rev, not --rev";
    }
    if (!options.count.select.filesFrom.empty()) {
        return "diff counts folders and revisions; it takes no --files-from";
    }
    if (options.before.rev.empty() && options.after.rev.empty()) {
        if (sides.size() != 2) {
            return "diff needs OLD and NEW (or --old-rev and --new-rev)";
        }
        options.before.path = sides[0];
        options.after.path = sides[1];
        return {};
    }
    if (sides.size() > 1) {
        return "with --old-rev or --new-rev, diff takes one ROOT";
    }
    const std::string root = sides.empty() ? "." : sides.front();
    options.before.option = "--old-rev";
    options.after.option = "--new-rev";
    options.before.path = root;
    options.after.path = root;
    return {};
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
    std::vector<std::string> sides;
    DefineDiffOptions(app, options, sides, byGiven);
    if (const ParseOutcome outcome = ParseArguments(app, argc, argv, out, err); !outcome.run) {
        return outcome;
    }
    options.count.typesGiven = app.count("--types") > 0;
    std::string problem = PlaceSides(sides, options);
    if (problem.empty()) {
        problem = CheckSelectionChoices(options.count.select, true);
    }
    if (!problem.empty()) {
        err << kProgramName << ": " << problem << '\n';
        return ParseOutcome{false, kUsageError};
    }
    if (!byGiven && options.format != OutputFormat::Table) {
        options.by.perFile = true;
    }
    return ParseOutcome{true, 0};
}

}  // namespace lintally::cli
