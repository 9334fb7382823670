#include "cli/CliOptions.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <limits>
#include <thread>
#include <utility>

#include "cli/OptionChecks.h"
#include "fileio/MessageText.h"
#include "linecount/WideLanguages.h"
#include "scan/PatternList.h"

namespace lintally::cli {

namespace {

constexpr unsigned kMaxJobs = 1024;

constexpr std::uint64_t kMaxTop = std::numeric_limits<std::size_t>::max();

// A type list: patterns such as "*.c" separated by ','; the dialog takes no empty list.
CLI::Validator TypeList()
{
    return CLI::Validator(
        [](std::string& list) {
            if (scan::BuildPatternList(list).empty() &&
                list.find_first_not_of(',') == std::string::npos) {
                return std::string("the file type list is empty");
            }
            std::size_t start = 0;
            while (start <= list.size()) {
                const std::size_t comma = std::min(list.find(',', start), list.size());
                const std::string item = list.substr(start, comma - start);
                if (!item.empty() && scan::BuildPatternList(item).empty()) {
                    return Brim::EscapeControlBytes(item) +
                           " is not a file type; types look like *.c or *.*";
                }
                start = comma + 1;
            }
            return std::string();
        },
        "", "types");
}

constexpr std::pair<const char*, OutputFormat> kFormats[] = {
    {"table", OutputFormat::Table}, {"report", OutputFormat::Report},
    {"json", OutputFormat::Json},   {"csv", OutputFormat::Csv},
    {"html", OutputFormat::Html},   {"markdown", OutputFormat::Markdown},
    {"yaml", OutputFormat::Yaml},   {"xml", OutputFormat::Xml},
    {"sql", OutputFormat::Sql},     {"openmetrics", OutputFormat::OpenMetrics},
};

const char* FormatName(OutputFormat format)
{
    for (const auto& [name, value] : kFormats) {
        if (value == format) {
            return name;
        }
    }
    return kFormats[0].first;
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

}  // namespace

void DefineCountingOptions(CLI::App& app, scan::CountSettings& settings)
{
    app.add_option("-t,--types", settings.types,
                   "count only files of these types: patterns separated by ',', e.g. "
                   "\"*.c,*.h\"; a pattern matches the part of a name from its first dot, so "
                   "x.tmp.c is not *.c; \"*.*\" is every file (default: every "
                   "file the language table knows; with --languages design the dialog's list)")
        ->check(TypeList())
        ->option_text("LIST");
    app.add_option_function<std::string>(
           "--languages",
           [&settings](const std::string& table) {
               settings.languages =
                   table == "wide" ? scan::LanguageTable::Wide : scan::LanguageTable::Design;
           },
           "wide (default): " + std::to_string(PrjHelper::kWideLanguageCount) +
               " languages known by suffix, file name or #! line, with their strings, nested "
               "comments and docstrings; design: the dialog's table, types, options and "
               "nothing left out, so counts match the dialog's (the default with -f report)")
        ->check(OneOf({scan::LanguageTableName(scan::LanguageTable::Wide),
                       scan::LanguageTableName(scan::LanguageTable::Design)}))
        ->option_text("TABLE");
    app.add_flag_callback(
        "--no-sub", [&settings] { settings.includeSubFolders = false; },
        "do not descend into sub-folders (default: descend)");
    app.add_flag_callback(
        "--exclude-remed", [&settings] { settings.includeRemed = false; },
        std::string("comment (\"remed\") lines do not count (default: they ") +
            (scan::kStartupOptions.includeRemed ? "count)" : "do not)"));
    app.add_flag_callback(
        "--exclude-blank", [&settings] { settings.excludeBlank = true; },
        std::string("blank lines do not count (default: they ") +
            (scan::kStartupOptions.excludeBlank ? "do not)" : "count)"));
    app.add_flag("--block-comments", settings.blockComments,
                 "a block comment spans lines: the lines inside it are comment lines (default, "
                 "except with --languages design)");
    app.add_flag("--no-block-comments")
        ->description(
            "each line is judged alone, as the dialog judges it: the inside of a block "
            "comment counts as code");
}

void DefineDetailOptions(CLI::App& app, scan::CountSettings& settings)
{
    app.add_flag("--embedded", settings.embedded,
                 "count code inside other files as its own language: Markdown's fenced blocks "
                 "with a language word, <script> and <style> of HTML, the blocks of Vue and "
                 "Svelte files; the fence and tag lines stay the file's own. A file's row keeps "
                 "its own lines, JSON lists the others under \"embedded\", and tables by "
                 "language add them to their language's row (which counts only its own files)");
    app.add_flag("--complexity", settings.complexity,
                 "add each file's branch tokens, counted in code only (not in strings or "
                 "comments): C family if for foreach while case catch && || ?:; Python if elif "
                 "for while except case and or; Ruby if elsif unless for while until when rescue "
                 "and or && ||; shell if elif for while until case && ||; Lua if elseif for "
                 "while and or; other languages 0. A column and \"complexity\" in JSON and CSV");
}

namespace {

// True when the parse asks for the dialog's counts: --languages design, or -f report
// without --languages.
bool CountsAsDesigned(const CLI::App& app, OutputFormat format, const scan::CountSettings& settings)
{
    return app.count("--languages") > 0 ? settings.languages == scan::LanguageTable::Design
                                        : format == OutputFormat::Report;
}

}  // namespace

std::string FinishCountingOptions(const CLI::App& app, OutputFormat format,
                                  scan::CountSettings& settings, SelectionChoices& select)
{
    for (const auto& [one, other] : kContradictions) {
        // A command may not take both (history takes no --gitignore).
        if (app.get_option_no_throw(one) != nullptr && app.get_option_no_throw(other) != nullptr &&
            app.count(one) > 0 && app.count(other) > 0) {
            return std::string(one) + " and " + other + " contradict each other; give one";
        }
    }
    if (CountsAsDesigned(app, format, settings)) {
        for (const char* wideOnly : {"--embedded", "--complexity"}) {
            if (app.get_option_no_throw(wideOnly) != nullptr && app.count(wideOnly) > 0) {
                return std::string(wideOnly) + " needs the wide language table; leave out " +
                       (format == OutputFormat::Report ? "-f report" : "--languages design");
            }
        }
        settings.languages = scan::LanguageTable::Design;
        return {};
    }
    // These forms have room for a file's own lines only: its embedded code would be lost.
    if (settings.embedded && (format == OutputFormat::Xml || format == OutputFormat::Sql ||
                              format == OutputFormat::OpenMetrics)) {
        return "--embedded is not written by -f xml, sql or openmetrics; use json, yaml, csv or "
               "a table";
    }
    settings.languages = scan::LanguageTable::Wide;
    if (app.count("--types") == 0) {
        settings.types.clear();
    }
    settings.blockComments = app.count("--no-block-comments") == 0;
    select.skipBinary = true;
    select.skipGenerated = app.count("--generated") == 0;
    select.linksOnce = true;
    select.ignoreByDefault = app.count("--no-ignore") == 0 && !select.gitignore && !select.git &&
                             select.filesFrom.empty() && select.rev.empty();
    return {};
}

void DefineGroupingOption(CLI::App& app, RowGrouping& by, bool& byGiven, const std::string& help,
                          FileRows fileRows)
{
    app.add_option_function<std::string>(
           "--by",
           [&by, &byGiven](const std::string& name) {
               byGiven = true;
               results::ParseGrouping(name, by);
           },
           help)
        ->check(CLI::Validator(
            [](std::string& name) {
                RowGrouping by;
                return results::ParseGrouping(name, by);
            },
            results::GroupingChoices(fileRows == FileRows::Offered), "grouping"))
        ->option_text("GROUP");
}

void DefineGlobalOptions(CLI::App& app, CliOptions& options)
{
    app.add_option_function<std::string>(
           "-j,--jobs",
           [&options](const std::string& text) {
               options.jobs = static_cast<unsigned>(*ParseWholeNumber(text, 1, kMaxJobs));
           },
           "counting threads (default: number of cores)")
        ->check(WholeNumber(1, kMaxJobs))
        ->option_text("N");
    app.add_flag_callback(
        "--progress", [&options] { options.progress = ProgressMode::On; },
        "progress line on standard error (default: only on a terminal)");
    app.add_flag_callback(
        "--no-progress", [&options] { options.progress = ProgressMode::Off; }, "no progress line");
}

void DefineFormatOption(CLI::App& app, OutputFormat& format,
                        const std::vector<OutputFormat>& formats, const std::string& help)
{
    std::vector<std::string> names;
    for (const OutputFormat each : formats) {
        names.emplace_back(FormatName(each));
    }
    app.add_option_function<std::string>(
           "-f,--format",
           [&format](const std::string& name) {
               for (const auto& [text, value] : kFormats) {
                   if (name == text) {
                       format = value;
                   }
               }
           },
           help)
        ->check(OneOf(names))
        ->option_text("FORMAT");
}

void DefineOutputOption(CLI::App& app, std::string& path)
{
    app.add_option("-o,--output", path,
                   "write to FILE (replaced atomically) instead of standard output")
        ->option_text("FILE");
}

std::string CheckFormatGrouping(OutputFormat format, bool byGiven)
{
    return format == OutputFormat::Xml && byGiven
               ? "-f xml lists every file and sums them by language; it takes no --by"
               : "";
}

void DefaultGrouping(OutputFormat format, bool byGiven, RowGrouping& by)
{
    constexpr OutputFormat kPerFile[] = {OutputFormat::Json, OutputFormat::Csv, OutputFormat::Yaml,
                                         OutputFormat::Xml, OutputFormat::Sql};
    if (!byGiven &&
        std::find(std::begin(kPerFile), std::end(kPerFile), format) != std::end(kPerFile)) {
        by.perFile = true;
    }
}

unsigned DefaultJobs()
{
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : cores;
}

void DefineSortOptions(CLI::App& app, SortKey& sort, std::size_t& top, const std::string& help)
{
    app.add_option_function<std::string>(
           "--sort", [&sort](const std::string& name) { sort = SortNamed(name); }, help)
        ->check(OneOf({"name", "files", "lines", "code", "comment", "blank", "counted"}))
        ->option_text("KEY");
    app.add_option_function<std::string>(
           "--top",
           [&top](const std::string& text) {
               top = static_cast<std::size_t>(*ParseWholeNumber(text, 1, kMaxTop));
           },
           "list only the first N of those rows; the total still covers everything (default: all)")
        ->check(WholeNumber(1, kMaxTop))
        ->option_text("N");
}

}  // namespace lintally::cli
