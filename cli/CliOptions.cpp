#include "cli/CliOptions.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <limits>
#include <ostream>
#include <string_view>
#include <thread>
#include <utility>

#include "cli/ExitStatus.h"
#include "fileio/MessageText.h"
#include "linecount/WideLanguages.h"

namespace lintally::cli {

namespace {

constexpr unsigned kMaxJobs = 1024;

constexpr unsigned kMaxDepth = 1000;

OutputFormat FormatNamed(const std::string& name)
{
    if (name == "json") {
        return OutputFormat::Json;
    }
    if (name == "csv") {
        return OutputFormat::Csv;
    }
    return name == "report" ? OutputFormat::Report : OutputFormat::Table;
}

struct GroupingNames
{
    const char* word;
    const char* heading;
    bool perFile;
    scan::GroupBy by;
};

constexpr GroupingNames kGroupings[] = {
    {"language", "Language", false, scan::GroupBy::Language},
    {"ext", "Ext", false, scan::GroupBy::Suffix},
    {"dir", "Folder", false, scan::GroupBy::Folder},
    {"file", "File", true, scan::GroupBy::Language},
};

const GroupingNames& NamesOf(const RowGrouping& by)
{
    for (const GroupingNames& names : kGroupings) {
        if (names.perFile == by.perFile && (by.perFile || names.by == by.grouping.by)) {
            return names;
        }
    }
    return kGroupings[0];
}

SortKey SortNamed(const std::string& name)
{
    static const std::pair<const char*, SortKey> kKeys[] = {
        {"name", SortKey::Name},       {"files", SortKey::Files},     {"lines", SortKey::Lines},
        {"code", SortKey::Code},       {"comment", SortKey::Comment}, {"blank", SortKey::Blank},
        {"counted", SortKey::Counted},
    };
    for (const auto& [text, key] : kKeys) {
        if (name == text) {
            return key;
        }
    }
    return SortKey::Default;
}

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

const char* Walked(bool on)
{
    return on ? "walked" : "not walked";
}

const char* Count(bool on)
{
    return on ? "count" : "do not count";
}

void DefineOptions(CLI::App& app, CliOptions& options, bool& byGiven)
{
    app.set_version_flag("--version", std::string(kProgramName) + " " + LINTALLY_VERSION);
    DefineCountingOptions(app, options);
    app.add_option_function<std::string>(
           "-f,--format",
           [&options](const std::string& name) { options.format = FormatNamed(name); },
           "table (default): aligned columns for people; report: the dialog's saved report, byte "
           "for byte, one row per file; json; csv")
        ->check(CLI::IsMember({"table", "report", "json", "csv"}))
        ->option_text("FORMAT");
    DefineGroupingOption(app, options.by, byGiven,
                         "rows of the table, JSON \"groups\" and CSV: language (the table's "
                         "default), ext (name suffix), dir (folders one level under ROOT), dir:N "
                         "(N levels) or file (one row per file; the default for json and csv)");
    app.add_option_function<std::string>(
           "--sort", [&options](const std::string& name) { options.sort = SortNamed(name); },
           "order the rows of the table, the CSV and the JSON groups by name, files, lines, code, "
           "comment, blank or counted; numbers largest first (default: counted for groups, name "
           "for files)")
        ->check(CLI::IsMember({"name", "files", "lines", "code", "comment", "blank", "counted"}))
        ->option_text("KEY");
    app.add_option(
           "--top", options.top,
           "list only the first N of those rows; the total still covers everything (default: all)")
        ->check(CLI::Range(std::size_t{1}, std::numeric_limits<std::size_t>::max()))
        ->option_text("N");
    app.add_option("-o,--output", options.outputPath,
                   "write to FILE (replaced atomically) instead of standard output")
        ->option_text("FILE");
    DefineRunOptions(app, options);
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
        "line (\"Skipped: ...\") and in JSON as \"skipped\": {\"excluded\": n, \"ignored\": n,\n"
        "\"binary\": n, \"too_large\": n, \"unreadable\": n, \"folders\": [{\"name\": ..., "
        "\"reason\": ...}]},\n"
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
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg(argv[i]);
        if (arg == "--") {
            return nullptr;
        }
        if (arg.size() < 2 || arg[0] != '-') {
            continue;
        }
        // "--name=value" is known by its name, "-jN" by its first letter.
        const std::string name = arg[1] == '-' ? std::string(arg.substr(0, arg.find('=')))
                                               : std::string(arg.substr(0, 2));
        const CLI::Option* option = app.get_option_no_throw(name);
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

}  // namespace

std::string ParseGrouping(const std::string& name, RowGrouping& by)
{
    by = RowGrouping();
    const std::string word = name.substr(0, name.find(':'));
    const GroupingNames* found = nullptr;
    for (const GroupingNames& names : kGroupings) {
        if (word == names.word) {
            found = &names;
        }
    }
    if (found == nullptr || (word != "dir" && word != name)) {
        return "takes language, ext, dir, dir:N or file, not " + name;
    }
    by.perFile = found->perFile;
    by.grouping.by = found->by;
    if (word != name) {
        const std::string depth = name.substr(word.size() + 1);
        if (depth.empty() || depth.size() > 4 ||
            depth.find_first_not_of("0123456789") != std::string::npos || std::stoul(depth) < 1 ||
            std::stoul(depth) > kMaxDepth) {
            return "dir:N needs a depth N from 1 to " + std::to_string(kMaxDepth);
        }
        by.grouping.depth = static_cast<unsigned>(std::stoul(depth));
    }
    return {};
}

void DefineCountingOptions(CLI::App& app, CliOptions& options)
{
    app.add_option("-t,--types", options.types,
                   "file types to count, as patterns separated by ',', e.g. \"*.c,*.h\"; \"*.*\" "
                   "counts every file (default: the list below)")
        ->option_text("LIST");
    app.add_option_function<std::string>(
           "--languages",
           [&options](const std::string& table) { options.wideLanguages = table == "wide"; },
           "design (default): the dialog's language table, so counts match the dialog's; wide: " +
               std::to_string(PrjHelper::kWideLanguageCount) +
               " languages known by suffix, file name or #! line, with their strings, nested "
               "comments and docstrings; without -t it counts every file it knows")
        ->check(CLI::IsMember({"design", "wide"}))
        ->option_text("TABLE");
    app.add_flag_callback(
        "--no-sub", [&options] { options.includeSubFolders = false; },
        "do not descend into sub-folders (default: descend)");
    app.add_flag_callback(
        "--exclude-remed", [&options] { options.includeRemed = false; },
        std::string("comment lines do not count (default: they ") +
            (scan::kStartupOptions.includeRemed ? "count)" : "do not)"));
    app.add_flag_callback(
        "--exclude-blank", [&options] { options.excludeBlank = true; },
        std::string("blank lines do not count (default: they ") +
            (scan::kStartupOptions.excludeBlank ? "do not)" : "count)"));
    app.add_flag("--block-comments", options.trackBlocks,
                 "a block comment spans lines: the lines inside it are comment lines (default: "
                 "each line is judged alone)");
}

void DefineGroupingOption(CLI::App& app, RowGrouping& by, bool& byGiven, const std::string& help)
{
    app.add_option_function<std::string>(
           "--by",
           [&by, &byGiven](const std::string& name) {
               byGiven = true;
               ParseGrouping(name, by);
           },
           help)
        ->check(CLI::Validator(
            [](std::string& name) {
                RowGrouping by;
                return ParseGrouping(name, by);
            },
            "", "grouping"))
        ->option_text("GROUP");
}

void DefineRunOptions(CLI::App& app, CliOptions& options)
{
    app.add_option("-j,--jobs", options.jobs, "counting threads (default: number of cores)")
        ->check(CLI::Range(1u, kMaxJobs))
        ->option_text("N");
    auto* on = app.add_flag_callback(
        "--progress", [&options] { options.progress = ProgressMode::On; },
        "progress line on standard error (default: only on a terminal)");
    auto* off = app.add_flag_callback(
        "--no-progress", [&options] { options.progress = ProgressMode::Off; }, "no progress line");
    on->excludes(off);
    DefineSelectionOptions(app, options.select);
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

unsigned DefaultJobs()
{
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : cores;
}

const char* GroupingWord(const RowGrouping& by)
{
    return NamesOf(by).word;
}

const char* GroupingHeading(const RowGrouping& by)
{
    return NamesOf(by).heading;
}

ParseOutcome ParseCommandLine(int argc, const char* const* argv, CliOptions& options,
                              std::ostream& out, std::ostream& err)
{
    options = CliOptions();
    options.jobs = DefaultJobs();
    CLI::App app(
        "Counts the lines of source code in folder trees: code, comment and blank lines, "
        "summed by language, name suffix, folder or file.",
        kProgramName);
    // On Windows CLI11 would take "/name" for an option; there it is a path from the
    // current drive's root, and ROOT may be one.
    app.allow_windows_style_options(false);
    bool byGiven = false;
    DefineOptions(app, options, byGiven);
    if (const ParseOutcome outcome = ParseArguments(app, argc, argv, out, err); !outcome.run) {
        return outcome;
    }
    options.typesGiven = app.count("--types") > 0;
    if (const std::string problem = CheckSelectionChoices(options.select, !options.roots.empty());
        !problem.empty()) {
        err << kProgramName << ": " << problem << '\n';
        return ParseOutcome{false, kUsageError};
    }
    if (options.roots.empty()) {
        options.roots.emplace_back(".");
    }
    if (options.format == OutputFormat::Report && (options.roots.size() > 1 || byGiven)) {
        err << kProgramName << ": -f report lists the files of one ROOT and takes no --by\n";
        return ParseOutcome{false, kUsageError};
    }
    if (!byGiven && (options.format == OutputFormat::Json || options.format == OutputFormat::Csv)) {
        options.by.perFile = true;
    }
    return ParseOutcome{true, 0};
}

}  // namespace lintally::cli
