#include "cli/CliOptions.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <ostream>
#include <thread>

namespace lintally::cli {

namespace {

constexpr int kUsageError = 2;
constexpr unsigned kMaxJobs = 1024;

unsigned DefaultJobs()
{
    const unsigned cores = std::thread::hardware_concurrency();
    return cores == 0 ? 1 : cores;
}

OutputFormat FormatNamed(const std::string& name)
{
    if (name == "json") {
        return OutputFormat::Json;
    }
    return name == "csv" ? OutputFormat::Csv : OutputFormat::Report;
}

void DefineOptions(CLI::App& app, CliOptions& options)
{
    app.set_version_flag("--version", std::string(kProgramName) + " " + LINTALLY_VERSION);
    app.add_option("-t,--types", options.types,
                   "file-type list in the dialog's syntax, e.g. \"*.c,*.h\" (default: the "
                   "dialog's first preset)")
        ->option_text("TEXT");
    app.add_flag_callback("--no-sub", [&options] { options.includeSubFolders = false; },
                          "do not descend into sub-folders");
    app.add_flag_callback("--exclude-remed", [&options] { options.includeRemed = false; },
                          "comment lines do not count");
    app.add_flag_callback("--exclude-blank", [&options] { options.excludeBlank = true; },
                          "blank lines do not count");
    app.add_flag("--block-comments", options.trackBlocks,
                 "lines inside multi-line block comments are comment lines");
    app.add_option_function<std::string>(
           "-f,--format", [&options](const std::string& name) { options.format = FormatNamed(name); },
           "report (default), json or csv")
        ->check(CLI::IsMember({"report", "json", "csv"}))
        ->option_text("FORMAT");
    app.add_option("-o,--output", options.outputPath,
                   "write to FILE (replaced atomically) instead of standard output")
        ->option_text("FILE");
    app.add_option("-j,--jobs", options.jobs, "counting threads (default: number of cores)")
        ->check(CLI::Range(1u, kMaxJobs))
        ->option_text("N");
    auto* on = app.add_flag_callback("--progress", [&options] { options.progress = ProgressMode::On; },
                                     "progress line on standard error (default: only on a terminal)");
    auto* off = app.add_flag_callback("--no-progress",
                                      [&options] { options.progress = ProgressMode::Off; },
                                      "no progress line");
    on->excludes(off);
    app.add_option("ROOT", options.root, "the folder to count")
        ->required()
        ->option_text("FOLDER")
        ->check(CLI::ExistingDirectory);
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

ParseOutcome ParseCommandLine(int argc, const char* const* argv, CliOptions& options,
                              std::ostream& out, std::ostream& err)
{
    options = CliOptions();
    options.jobs = DefaultJobs();
    CLI::App app("Counts the lines of source code in a folder tree.", kProgramName);
    // On Windows CLI11 would take "/name" for an option; there it is a path from the
    // current drive's root, and ROOT may be one.
    app.allow_windows_style_options(false);
    DefineOptions(app, options);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& help) {
        return ParseOutcome{false, app.exit(help, out, err)};
    } catch (const CLI::CallForVersion& version) {
        return ParseOutcome{false, app.exit(version, out, err)};
    } catch (const CLI::ParseError& error) {
        err << kProgramName << ": " << OneLine(error.what()) << '\n';
        return ParseOutcome{false, kUsageError};
    }
    return ParseOutcome{true, 0};
}

}  // namespace lintally::cli
