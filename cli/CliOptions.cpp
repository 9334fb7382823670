#include "cli/CliOptions.h"

#include <CLI/CLI.hpp>

#include <limits>
#include <thread>
#include <utility>

#include "linecount/WideLanguages.h"

namespace lintally::cli {

namespace {

constexpr unsigned kMaxJobs = 1024;

constexpr std::pair<const char*, OutputFormat> kFormats[] = {
    {"table", OutputFormat::Table},
    {"report", OutputFormat::Report},
    {"json", OutputFormat::Json},
    {"csv", OutputFormat::Csv},
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
                   "file types to count, as patterns separated by ',', e.g. \"*.c,*.h\"; \"*.*\" "
                   "counts every file (default: the list below)")
        ->option_text("LIST");
    app.add_option_function<std::string>(
           "--languages",
           [&settings](const std::string& table) {
               settings.languages =
                   table == "wide" ? scan::LanguageTable::Wide : scan::LanguageTable::Design;
           },
           "design (default): the dialog's language table, so counts match the dialog's; wide: " +
               std::to_string(PrjHelper::kWideLanguageCount) +
               " languages known by suffix, file name or #! line, with their strings, nested "
               "comments and docstrings; without -t it counts every file it knows")
        ->check(CLI::IsMember({scan::LanguageTableName(scan::LanguageTable::Design),
                               scan::LanguageTableName(scan::LanguageTable::Wide)}))
        ->option_text("TABLE");
    app.add_flag_callback(
        "--no-sub", [&settings] { settings.includeSubFolders = false; },
        "do not descend into sub-folders (default: descend)");
    app.add_flag_callback(
        "--exclude-remed", [&settings] { settings.includeRemed = false; },
        std::string("comment lines do not count (default: they ") +
            (scan::kStartupOptions.includeRemed ? "count)" : "do not)"));
    app.add_flag_callback(
        "--exclude-blank", [&settings] { settings.excludeBlank = true; },
        std::string("blank lines do not count (default: they ") +
            (scan::kStartupOptions.excludeBlank ? "do not)" : "count)"));
    app.add_flag("--block-comments", settings.blockComments,
                 "a block comment spans lines: the lines inside it are comment lines (default: "
                 "each line is judged alone)");
}

void FinishCountingOptions(const CLI::App& app, scan::CountSettings& settings)
{
    if (settings.languages == scan::LanguageTable::Wide && app.count("--types") == 0) {
        settings.types.clear();
    }
}

void DefineGroupingOption(CLI::App& app, RowGrouping& by, bool& byGiven, const std::string& help)
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
            "", "grouping"))
        ->option_text("GROUP");
}

void DefineGlobalOptions(CLI::App& app, CliOptions& options)
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
        ->check(CLI::IsMember(names))
        ->option_text("FORMAT");
}

void DefineOutputOption(CLI::App& app, std::string& path)
{
    app.add_option("-o,--output", path,
                   "write to FILE (replaced atomically) instead of standard output")
        ->option_text("FILE");
}

void DefaultGrouping(OutputFormat format, bool byGiven, RowGrouping& by)
{
    if (!byGiven && (format == OutputFormat::Json || format == OutputFormat::Csv)) {
        by.perFile = true;
    }
}

unsigned DefaultJobs()
{
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : cores;
}

void DefineSortOptions(CLI::App& app, SortKey& sort, std::size_t& top)
{
    app.add_option_function<std::string>(
           "--sort", [&sort](const std::string& name) { sort = SortNamed(name); },
           "order the rows of the table, the CSV and the JSON groups by name, files, lines, code, "
           "comment, blank or counted; numbers largest first (default: counted for groups, name "
           "for files)")
        ->check(CLI::IsMember({"name", "files", "lines", "code", "comment", "blank", "counted"}))
        ->option_text("KEY");
    app.add_option(
           "--top", top,
           "list only the first N of those rows; the total still covers everything (default: all)")
        ->check(CLI::Range(std::size_t{1}, std::numeric_limits<std::size_t>::max()))
        ->option_text("N");
}

}  // namespace lintally::cli
