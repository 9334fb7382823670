#include "cli/CliOptions.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <ostream>
#include <string_view>
#include <thread>

#include "fileio/MessageText.h"

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
    app.add_option("ROOT", options.root, "the folder to count (after -- when it begins with '-')")
        ->required()
        ->option_text("FOLDER")
        ->check(CLI::ExistingDirectory);
    app.footer("Exit status: 0 done, 1 the output could not be written, 2 usage error, 3 done but\n"
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
        const std::string name = arg[1] == '-' ? std::string(arg.substr(0, arg.find('='))) : std::string(arg.substr(0, 2));
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
        for (std::size_t at = text.find(arg); at != std::string::npos; at = text.find(arg, at + escaped.size())) {
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
        if (const char* unknown = UnknownOption(app, argc, argv)) {
            err << kProgramName << ": unknown option " << Brim::EscapeControlBytes(unknown)
                << " (use -- before a folder whose name begins with '-')\n";
        } else {
            err << kProgramName << ": " << OneLine(EscapeArguments(error.what(), argc, argv)) << '\n';
        }
        return ParseOutcome{false, kUsageError};
    }
    return ParseOutcome{true, 0};
}

}  // namespace lintally::cli
