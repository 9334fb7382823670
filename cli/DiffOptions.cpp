#include "cli/DiffOptions.h"

#include <CLI/CLI.hpp>

#include <limits>

#include "cli/CodeLineChanges.h"
#include "cli/OptionChecks.h"
#include "results/FormatThousands.h"

namespace lintally::cli {

namespace {

constexpr std::uint64_t kNoLimit = std::numeric_limits<std::uint64_t>::max();

std::string Footer()
{
    std::string text =
        "Each of OLD and NEW is a folder, counted as lintally-cli counts one, or a count saved by "
        "lintally-cli -f json (by file, the default for json). Both sides are counted alike, with "
        "a count's defaults (see lintally-cli --help): a saved count whose \"options\" differ "
        "from the options given here is refused, naming the first difference.\n\n"
        "With --old-rev and --new-rev both sides are revisions of the repository at ROOT (the "
        "current folder when none is given), read from its objects; with only one of them, the "
        "other side is the folder ROOT as it is now:\n"
        "  lintally-cli diff --old-rev v1.0 --new-rev v2.0   what v2.0 changed since v1.0\n"
        "  lintally-cli diff --old-rev main                  what the work tree changed since "
        "main\n\n"
        "Files are paired by their names under the side's root. A file on NEW only is added, on "
        "OLD only removed (a renamed file is both), on both changed when its code, comment, "
        "blank or counted lines differ, else the same.\n\n";
    text +=
        "When both sides are folders or revisions, the code lines added and removed are counted "
        "too: a minimal line diff of each file's code lines (all of them for a file added or "
        "removed), shown as +added and -removed. A file whose versions hold more than " +
        results::FormatThousands(static_cast<std::int64_t>(kMaxComparedLines)) +
        " code lines, differ too widely to be compared in bounded time or do not fit in memory "
        "is named on standard error, and its code lines added and removed, and those of every "
        "sum it is in, are not computed: ? in the table, null in JSON, empty in CSV.\n\n";
    text +=
        "JSON: {\"old\": SIDE, \"new\": SIDE, \"groups\": [{\"name\": ..., \"old\": C, "
        "\"new\": C, \"delta\": C, \"files_added\": n, \"files_removed\": n, "
        "\"files_changed\": n}, ...], \"total\": {...}}, each C {\"files\": n, \"code\": n, "
        "\"comment\": n, \"blank\": n, \"counted\": n}; by file each entry adds \"status\": "
        "\"added\" | \"removed\" | \"changed\" | \"same\"; with the line diff \"code_added\" "
        "and \"code_removed\" follow. CSV: one line per group or file, as in JSON, without a "
        "total line.\n\n"
        "Exit status: 0 done, whatever the difference; 1 the output could not be written; 2 "
        "usage error; 3 some folders could not be read, by this diff or by a saved count, or "
        "some files' code lines added and removed were not computed (each is named on standard "
        "error); 4 the counted lines grew by more than --fail-if-grows "
        "allows (checked first); 130 interrupted.";
    return text;
}

// Puts the positional arguments in place: OLD and NEW, or the ROOT of the revisions; what is
// wrong with them, or an empty text.
std::string PlaceSides(const std::vector<std::string>& sides, DiffOptions& options)
{
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

void DefineDiffCommand(CLI::App& app, DiffOptions& options, DiffArguments& arguments)
{
    DefineCountingOptions(app, options.count.settings);
    DefineFormatOption(
        app, options.format,
        {OutputFormat::Table, OutputFormat::Json, OutputFormat::Csv, OutputFormat::Html,
         OutputFormat::Markdown},
        "table (default): aligned columns for people; json; csv; markdown: the table as "
        "GitHub-flavoured Markdown; html: one "
        "self-contained page with the code added and removed by language and "
        "the largest file changes as bars, and the rows as a sortable table");
    DefineGroupingOption(app, options.by, arguments.byGiven,
                         "rows: language (the table's default), ext (name suffix), dir (folders "
                         "one level under the root), dir:N (N levels) or file (one row per file, "
                         "with its status; the default for json and csv)");
    DefineSortOptions(app, options.sort, options.top,
                      "order the rows by name (default), or by the size of the change in files "
                      "(added, removed and changed), lines, code, comment, blank or counted, "
                      "largest first");
    DefineOutputOption(app, options.outputPath);
    app.add_option_function<std::string>(
           "--fail-if-grows",
           [&options](const std::string& text) {
               options.failIfGrows = ParseWholeNumber(text, 0, kNoLimit);
           },
           "exit with status 4 when the counted total grew by more than N lines (for CI)")
        ->check(WholeNumber(0, kNoLimit))
        ->option_text("N");
    DefineGlobalOptions(app, options.count);
    DefineSelectionOptions(app, options.count.select);
    app.add_option("--old-rev", options.before.rev,
                   "the old side is git revision REV (a tag, a branch, HEAD~3, a hash) of ROOT")
        ->option_text("REV");
    app.add_option("--new-rev", options.after.rev, "the new side is git revision REV of ROOT")
        ->option_text("REV");
    app.add_option("OLD", arguments.oldSide,
                   "the folder or saved count to compare with; with --old-rev or --new-rev, the "
                   "ROOT of the revisions (default: the current folder)")
        ->option_text(" ");
    app.add_option("NEW", arguments.newSides,
                   "the folder or saved count to compare (put -- before a name that begins with "
                   "'-')")
        ->option_text(" ");
    app.footer(Footer());
}

std::string FinishDiffOptions(const CLI::App& app, DiffOptions& options,
                              const DiffArguments& arguments)
{
    if (std::string problem = FinishCountingOptions(app, options.format, options.count.settings,
                                                    options.count.select);
        !problem.empty()) {
        return problem;
    }
    std::vector<std::string> sides;
    if (app.count("OLD") > 0) {
        sides.push_back(arguments.oldSide);
    }
    sides.insert(sides.end(), arguments.newSides.begin(), arguments.newSides.end());
    std::string problem = PlaceSides(sides, options);
    if (problem.empty()) {
        problem = CheckSelectionChoices(options.count.select, true);
    }
    DefaultGrouping(options.format, arguments.byGiven, options.by);
    return problem;
}

}  // namespace lintally::cli
