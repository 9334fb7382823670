#include "cli/CommandLineDefinition.h"

#include <CLI/CLI.hpp>

#include "cli/BuildCommit.h"
#include "cli/MergeCommand.h"
#include "cli/OptionChecks.h"
#include "linecount/WideLanguages.h"

namespace lintally::cli {

namespace {

// The dialog's file types, one space after each comma so the help can wrap them.
std::string DesignTypesText()
{
    std::string text(scan::kFileTypePresets[0]);
    for (std::size_t at = text.find(','); at != std::string::npos; at = text.find(',', at + 2)) {
        text.insert(at + 1, " ");
    }
    return text;
}

// The JSON keys of the skip reasons as the help shows them.
std::string SkipKeysText()
{
    std::string text;
    for (const scan::SkipReasonName& name : scan::kSkipReasonNames) {
        text.append("\"").append(name.key).append("\": n, ");
    }
    return text;
}

const char* Walked(bool on)
{
    return on ? "walked" : "not walked";
}

const char* Count(bool on)
{
    return on ? "count" : "do not count";
}

void DefineCountCommand(CLI::App& app, CliOptions& options, bool& byGiven)
{
    app.set_help_flag("-h,--help", "show this help and exit");
    app.set_version_flag("-V,--version", VersionText(), "show the version and exit");
    DefineCountingOptions(app, options.settings);
    DefineDetailOptions(app, options.settings);
    DefineFormatOption(
        app, options.format,
        {OutputFormat::Table, OutputFormat::Report, OutputFormat::Json, OutputFormat::Csv,
         OutputFormat::Html, OutputFormat::Markdown, OutputFormat::Yaml, OutputFormat::Xml,
         OutputFormat::Sql, OutputFormat::OpenMetrics},
        "table (default): aligned columns for people; report: the dialog's saved report, byte "
        "for byte, one row per file; json; csv; markdown: the table as GitHub-flavoured "
        "Markdown; html: one self-contained page with code by "
        "language as bars, by folder as a treemap, and the rows as a sortable table; yaml: the "
        "JSON's values as YAML; xml: every file and the sums by language in the shape CI "
        "line-count plugins read (SLOCCount's), no --by; sql: a transaction for sqlite3 "
        "creating and filling lintally_files (or, with --by, lintally_groups); openmetrics: "
        "gauges such as lintally_code_lines{language=\"C\"} for dashboards, by language "
        "unless --by says otherwise. diff and history do not take these four (merge does)");
    DefineGroupingOption(
        app, options.by, byGiven,
        "rows of the table, JSON \"groups\" and CSV: language (the table's "
        "default), ext (name suffix), dir (folders one level under ROOT), dir:N "
        "(N levels) or file (one row per file; the default for json, csv, yaml, xml and "
        "sql)");
    DefineSortOptions(app, options.sort, options.top,
                      "order the rows of the table, the CSV and the JSON groups by name, files, "
                      "lines, code, comment, blank or counted; numbers largest first (default: "
                      "counted for groups, name for files)");
    DefineOutputOption(app, options.outputPath);
    DefineCostOptions(app, options.cost);
    DefineGlobalOptions(app, options);
    DefineSelectionOptions(app, options.select);
    DefineListOptions(app, options.select);
    app.add_flag("--no-config")
        ->description(
            "read no settings file (see Settings files below); -f report reads none either");
    app.add_option("ROOT", options.roots,
                   "folders (or files) to count, one or more (default: the current folder; put "
                   "-- before a name that begins with '-')")
        ->option_text("FOLDER...")
        ->check(ExistingFolderOrFile());
    const std::string languages = std::to_string(PrjHelper::kWideLanguageCount);
    app.footer(
        "Columns: Lines are all lines, split into Code, Comment and Blank. Counted, shown when "
        "--exclude-remed or --exclude-blank is given, are the lines that count under those "
        "options. In JSON and CSV \"physical\" is all lines and \"lines\" the counted ones.\n\n"
        "Defaults: every file of the " +
        languages + " languages the wide table knows; a block comment spans lines; sub-folders " +
        Walked(scan::kStartupOptions.includeSubFolders) + ", comment lines " +
        Count(scan::kStartupOptions.includeRemed) + ", blank lines " +
        Count(!scan::kStartupOptions.excludeBlank) +
        ". Left out: binary files, the folders of version control and, where a ROOT lies in a "
        "git work tree, what git ignores (--no-ignore counts them); a file reached through a "
        "link under ROOT counts once, where it lies.\n\n"
        "The dialog's numbers: --languages design (the default with -f report) counts as the "
        "dialog does: its language table, each line judged alone, nothing left out, and its "
        "file types unless -t is given: " +
        DesignTypesText() +
        "\n\n"
        "Left out: what is left out is counted by reason on the table's last line "
        "(\"Skipped: ...\") and in JSON as \"skipped\": {" +
        SkipKeysText() +
        "\"folders\": [{\"name\": ..., \"reason\": ...}]}, where folders are those that "
        "could not be read; JSON has \"skipped\" only when something was. A file that cannot "
        "be opened keeps its row with 0 lines and counts as unreadable.\n\n"
        "Settings files: a count takes its defaults from the user's file "
        "($XDG_CONFIG_HOME/lintally/config.toml, else ~/.config/lintally/config.toml; "
        "%APPDATA%\\lintally\\config.toml on Windows), then the project's .lintally.toml (in "
        "the first ROOT's folder or the nearest folder above it, looking no higher than the top "
        "of its git work tree), then the command line: the later wins, and exclude lists add. "
        "Each holds lines such as by = \"language\", skip-binary = true, types = [\"*.c\", "
        "\"*.h\"] or exclude = [\"vendor/\"], keys named as the long options. --no-config "
        "and -f report read neither; diff, history and merge never do.\n\n"
        "To compare two counts (folders, saved counts or git revisions): " +
        kProgramName + " diff --help. To count each commit of a git history: " + kProgramName +
        " history --help. To sum counts saved by -f json (the parts of a sharded count): " +
        kProgramName +
        " merge --help.\n\n"
        "Exit status: 0 done, 1 the output could not be written, 2 usage error, 3 done but some "
        "folders could not be read (each is named on standard error), 4 (diff only) the "
        "counted lines grew past --fail-if-grows, 130 interrupted.");
}

}  // namespace

std::string ProgramVersion()
{
    return std::string(kProgramName) + " " + LINTALLY_VERSION;
}

std::string VersionText()
{
    return ProgramVersion() + " (commit " + kBuildCommit + ")";
}

std::unique_ptr<CLI::App> DefineCommandLine(CommandLine& line, CommandLineExtras& extras)
{
    auto app = std::make_unique<CLI::App>(
        "Counts the lines of source code in folder trees: code, comment and blank lines, "
        "summed by language, name suffix, folder or file.",
        kProgramName);
    // On Windows CLI11 would take "/name" for an option; there it is a path from the
    // current drive's root, and ROOT may be one.
    app->allow_windows_style_options(false);
    // A flag takes no value: "--no-sub=no" must not read as "--no-sub".
    app->option_defaults()->disable_flag_override();
    app->require_subcommand(0, 1);
    DefineCountCommand(*app, line.count, extras.byGiven);
    extras.diffCommand = app->add_subcommand("diff", kDiffDescription);
    extras.diffCommand->allow_windows_style_options(false);
    extras.diffCommand->set_help_flag("-h,--help", "show this help and exit");
    DefineDiffCommand(*extras.diffCommand, line.diff, extras.diff);
    extras.historyCommand = app->add_subcommand("history", kHistoryDescription);
    extras.historyCommand->allow_windows_style_options(false);
    extras.historyCommand->set_help_flag("-h,--help", "show this help and exit");
    DefineHistoryCommand(*extras.historyCommand, line.history, extras.history);
    extras.mergeCommand = app->add_subcommand("merge", kMergeDescription);
    extras.mergeCommand->allow_windows_style_options(false);
    extras.mergeCommand->set_help_flag("-h,--help", "show this help and exit");
    DefineMergeCommand(*extras.mergeCommand, line.merge, extras.mergeByGiven);
    return app;
}

}  // namespace lintally::cli
