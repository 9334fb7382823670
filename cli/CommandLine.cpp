#include "cli/CommandLine.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <ostream>
#include <string_view>

#include "cli/ExitStatus.h"
#include "fileio/MessageText.h"

namespace lintally::cli {

namespace {

// The first file-type list, cut where the help text wraps.
std::string DefaultTypesText()
{
    std::string text(scan::kFileTypePresets[0]);
    for (std::size_t at = 60; at < text.size(); at += 60) {
        at = text.find(',', at);
        if (at == std::string::npos) {
            break;
        }
        text.insert(at + 1, "\n  ");
    }
    return text;
}

// The JSON keys of the skip reasons as the help shows them, wrapped where it wraps.
std::string SkipKeysText()
{
    std::string text;
    for (const scan::SkipReasonName& name : scan::kSkipReasonNames) {
        text.append("\"").append(name.key).append("\": n, ");
        if (name.reason == scan::SkipReason::Ignored) {
            text.replace(text.size() - 1, 1, "\n");
        }
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
    app.set_version_flag("--version", std::string(kProgramName) + " " + LINTALLY_VERSION);
    DefineCountingOptions(app, options.settings);
    DefineFormatOption(
        app, options.format,
        {OutputFormat::Table, OutputFormat::Report, OutputFormat::Json, OutputFormat::Csv},
        "table (default): aligned columns for people; report: the dialog's saved report, byte "
        "for byte, one row per file; json; csv");
    DefineGroupingOption(app, options.by, byGiven,
                         "rows of the table, JSON \"groups\" and CSV: language (the table's "
                         "default), ext (name suffix), dir (folders one level under ROOT), dir:N "
                         "(N levels) or file (one row per file; the default for json and csv)");
    DefineSortOptions(app, options.sort, options.top);
    DefineOutputOption(app, options.outputPath);
    DefineGlobalOptions(app, options);
    DefineSelectionOptions(app, options.select);
    DefineListOptions(app, options.select);
    app.add_option("ROOT", options.roots,
                   "folders to count, one or more (default: the current folder; put -- before a "
                   "name that begins with '-')")
        ->option_text("FOLDER...")
        ->check(CLI::ExistingDirectory);
    app.footer(
        std::string("Columns: Lines are all lines; Code, Comment and Blank split them; "
                    "Counted are the lines\nthat count under the options above.\n\n") +
        "Default file types:\n  " + DefaultTypesText() + "\n\n" + "Default counting: sub-folders " +
        Walked(scan::kStartupOptions.includeSubFolders) + ", comment lines " +
        Count(scan::kStartupOptions.includeRemed) + ", blank lines " +
        Count(!scan::kStartupOptions.excludeBlank) +
        ",\neach line judged alone (no --block-comments).\n\n" +
        "Left out: what the options above leave out is counted by reason on the table's last\n"
        "line (\"Skipped: ...\") and in JSON as \"skipped\": {" +
        SkipKeysText() +
        "\"folders\": [{\"name\": ..., \"reason\": ...}]},\n"
        "where folders are those that could not be read; JSON has \"skipped\" only when something\n"
        "was. A file that cannot be opened keeps its row with 0 lines and counts as "
        "unreadable.\n\n" +
        "To compare two counts (folders, saved counts or git revisions): " + kProgramName +
        " diff --help.\n\n" +
        "Exit status: 0 done, 1 the output could not be written, 2 usage error, 3 done but\n"
        "some folders could not be read (each is named on standard error), 130 interrupted.");
}

// The first argument before "--" that looks like an option no option matches (a folder
// named "-dash" given without "--"), or null. Without this the user would only hear that
// ROOT is missing.
const char* UnknownOption(const CLI::App& app, int argc, const char* const* argv)
{
    const CLI::App* command = &app;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg(argv[i]);
        if (arg == "--") {
            return nullptr;
        }
        if (arg.size() < 2 || arg[0] != '-') {
            // From a command's name on, its options are the ones that count.
            for (const CLI::App* sub : command->get_subcommands(
                     [arg](const CLI::App* each) { return each->get_name() == arg; })) {
                command = sub;
            }
            continue;
        }
        // "--name=value" is known by its name, "-jN" by its first letter.
        const std::string name = arg[1] == '-' ? std::string(arg.substr(0, arg.find('=')))
                                               : std::string(arg.substr(0, 2));
        const CLI::Option* option = command->get_option_no_throw(name);
        if (option == nullptr) {
            return argv[i];
        }
        // The option's value may begin with '-' too; it is not an option itself.
        if (option->get_expected_min() > 0 && arg.size() == name.size()) {
            ++i;
        }
    }
    return nullptr;
}

// CLI11's message with every argument that holds control bytes shown escaped, so a name
// holding a newline cannot split the one-line error.
std::string EscapeArguments(std::string text, int argc, const char* const* argv)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg(argv[i]);
        const std::string escaped = Brim::EscapeControlBytes(arg);
        if (escaped == arg) {
            continue;
        }
        for (std::size_t at = text.find(arg); at != std::string::npos;
             at = text.find(arg, at + escaped.size())) {
            text.replace(at, arg.size(), escaped);
        }
    }
    return text;
}

// CLI11's texts may span lines; the command line reports every usage error in one.
std::string OneLine(std::string text)
{
    std::replace(text.begin(), text.end(), '\n', ' ');
    while (!text.empty() && text.back() == ' ') {
        text.pop_back();
    }
    return text;
}

// After the count's parse: its defaults taken; what is wrong, or an empty text.
std::string FinishCountOptions(const CLI::App& app, CliOptions& options, bool byGiven)
{
    FinishCountingOptions(app, options.settings);
    if (std::string problem = CheckSelectionChoices(options.select, !options.roots.empty());
        !problem.empty()) {
        return problem;
    }
    if (options.roots.empty()) {
        options.roots.emplace_back(".");
    }
    if (options.format == OutputFormat::Report && (options.roots.size() > 1 || byGiven)) {
        return "-f report lists the files of one ROOT and takes no --by";
    }
    DefaultGrouping(options.format, byGiven, options.by);
    return {};
}

// Global options given before diff's name apply to it as well, unless diff gives its own.
// Any other option before it is the count's, which diff does not take: say so.
std::string TakeGlobalOptions(const CLI::App& app, const CLI::App& diff, CommandLine& line)
{
    for (const CLI::Option* option : app.get_options()) {
        const std::string name = option->get_name();
        if (option->count() == 0 || name == "--help" || name == "--version") {
            continue;
        }
        const bool global = std::find(std::begin(kGlobalOptions), std::end(kGlobalOptions), name) !=
                            std::end(kGlobalOptions);
        if (!global) {
            return option->get_positional()
                       ? "diff takes no folder before it, and only OLD and NEW after it"
                       : name + " goes after diff (diff takes options of its own)";
        }
        if (diff.count(name) > 0) {
            continue;
        }
        if (name == "--jobs") {
            line.diff.count.jobs = line.count.jobs;
        } else {
            line.diff.count.progress = line.count.progress;
        }
    }
    return {};
}

ParseOutcome ParseArguments(CLI::App& app, int argc, const char* const* argv, std::ostream& out,
                            std::ostream& err)
{
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& help) {
        return ParseOutcome{false, app.exit(help, out, err)};
    } catch (const CLI::CallForVersion& version) {
        return ParseOutcome{false, app.exit(version, out, err)};
    } catch (const CLI::ParseError& error) {
        if (const char* unknown = UnknownOption(app, argc, argv)) {
            err << kProgramName << ": unknown option " << Brim::EscapeControlBytes(unknown)
                << " (use -- before a folder whose name begins with '-')\n";
        } else {
            err << kProgramName << ": " << OneLine(EscapeArguments(error.what(), argc, argv))
                << '\n';
        }
        return ParseOutcome{false, kUsageError};
    }
    return ParseOutcome{true, 0};
}

}  // namespace

ParseOutcome ParseCommandLine(int argc, const char* const* argv, CommandLine& line,
                              std::ostream& out, std::ostream& err)
{
    line = CommandLine();
    line.count.jobs = DefaultJobs();
    line.diff.count.jobs = line.count.jobs;
    CLI::App app(
        "Counts the lines of source code in folder trees: code, comment and blank lines, "
        "summed by language, name suffix, folder or file.",
        kProgramName);
    // On Windows CLI11 would take "/name" for an option; there it is a path from the
    // current drive's root, and ROOT may be one.
    app.allow_windows_style_options(false);
    app.require_subcommand(0, 1);
    bool byGiven = false;
    DefineCountCommand(app, line.count, byGiven);
    CLI::App* diff = app.add_subcommand("diff", kDiffDescription);
    diff->allow_windows_style_options(false);
    DiffArguments diffArguments;
    DefineDiffCommand(*diff, line.diff, diffArguments);
    if (const ParseOutcome outcome = ParseArguments(app, argc, argv, out, err); !outcome.run) {
        return outcome;
    }
    std::string problem;
    if (diff->parsed()) {
        line.command = Command::Diff;
        problem = TakeGlobalOptions(app, *diff, line);
        if (problem.empty()) {
            problem = FinishDiffOptions(*diff, line.diff, diffArguments);
        }
    } else {
        problem = FinishCountOptions(app, line.count, byGiven);
    }
    if (!problem.empty()) {
        err << kProgramName << ": " << problem << '\n';
        return ParseOutcome{false, kUsageError};
    }
    return ParseOutcome{true, 0};
}

}  // namespace lintally::cli
