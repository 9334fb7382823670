#include "cli/CommandLine.h"
#include "cli/CommandLineDefinition.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <memory>
#include <ostream>
#include <sstream>
#include <string_view>

#include "cli/ConfigSettings.h"
#include "cli/ExitStatus.h"
#include "cli/HelpText.h"
#include "cli/MergeCommand.h"
#include "cli/NearestName.h"
#include "fileio/MessageText.h"

namespace lintally::cli {

namespace {

// The long option of command nearest to name ("--type" gives "--types"), or an empty text
// when none is near enough to be what was meant.
std::string NearestOption(const CLI::App& command, std::string_view name)
{
    std::vector<std::string> candidates;
    for (const CLI::Option* option : command.get_options()) {
        for (const std::string& longName : option->get_lnames()) {
            candidates.push_back("--" + longName);
        }
    }
    return NearestName(name, candidates);
}

// The first argument before "--" that looks like an option no option matches (a folder
// named "-dash" given without "--"), or null, with the command it was given to. Without
// this the user would only hear that ROOT is missing.
const char* UnknownOption(const CLI::App& app, int argc, const char* const* argv,
                          const CLI::App*& where)
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
            where = command;
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

// The parser's message in our words. Value checks already speak ours ("--top: takes ..."); what
// is left are counts of values and arguments nothing takes.
std::string OwnWords(const CLI::ParseError& error)
{
    const std::string text = error.what();
    const std::string kind = error.get_name();
    const std::string name = text.substr(0, text.find(':'));
    if (kind == "ArgumentMismatch" && text.find("At Most") != std::string::npos) {
        return name + " is given more than once";
    }
    if (text.find("flag") != std::string::npos) {
        const std::string flag = name.substr(0, name.find(' '));
        return (flag.rfind('-', 0) == 0 ? flag : "--" + flag) + " takes no value";
    }
    if (kind == "ArgumentMismatch") {
        return name + " needs a value";
    }
    if (kind == "ExtrasError") {
        const std::string said = "not expected: ";
        const std::size_t at = text.find(said);
        return "unexpected argument " +
               (at == std::string::npos ? text : text.substr(at + said.size()));
    }
    return text;
}

// After the count's parse: its defaults taken; what is wrong, or an empty text.
std::string FinishCountOptions(const CLI::App& app, CliOptions& options, bool byGiven)
{
    if (std::string problem =
            FinishCountingOptions(app, options.format, options.settings, options.select);
        !problem.empty()) {
        return problem;
    }
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
    if (std::string problem = CheckFormatGrouping(options.format, byGiven); !problem.empty()) {
        return problem;
    }
    if (std::string problem = CheckCostOptions(app, options.cost, options.format);
        !problem.empty()) {
        return problem;
    }
    DefaultGrouping(options.format, byGiven, options.by);
    return {};
}

// Global options given before a command's name apply to it as well, unless the command gives
// its own. Any other option before it is the count's, which the command does not take: say so.
std::string TakeGlobalOptions(const CLI::App& app, const CLI::App& command, const char* takes,
                              const CliOptions& given, CliOptions& into)
{
    const std::string name = command.get_name();
    for (const CLI::Option* option : app.get_options()) {
        const std::string optionName = option->get_name();
        if (option->count() == 0 || optionName == "--help" || optionName == "--version") {
            continue;
        }
        const bool global = std::find(std::begin(kGlobalOptions), std::end(kGlobalOptions),
                                      optionName) != std::end(kGlobalOptions);
        if (!global) {
            return option->get_positional()
                       ? name + " takes no folder before it, and only " + takes + " after it"
                       : optionName + " goes after " + name + " (" + name +
                             " takes options of its own)";
        }
        if (command.count(optionName) > 0) {
            continue;
        }
        if (optionName == "--jobs") {
            into.jobs = given.jobs;
        } else {
            into.progress = given.progress;
        }
    }
    return {};
}

ParseOutcome ParseArguments(CLI::App& app, int argc, const char* const* argv, std::ostream& out,
                            std::ostream& err, std::size_t helpWidth)
{
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        // The help of the command named, if any.
        out << WrapHelp(app.help(), helpWidth);
        return ParseOutcome{false, 0};
    } catch (const CLI::CallForVersion& version) {
        return ParseOutcome{false, app.exit(version, out, err)};
    } catch (const CLI::ParseError& error) {
        const CLI::App* where = &app;
        if (const char* unknown = UnknownOption(app, argc, argv, where)) {
            const std::string_view given(unknown);
            const std::string nearest = NearestOption(*where, given.substr(0, given.find('=')));
            err << kProgramName << ": unknown option " << Brim::EscapeControlBytes(unknown)
                << (nearest.empty() ? " (use -- before a folder whose name begins with '-')"
                                    : "; did you mean " + nearest + "?")
                << '\n';
        } else {
            err << kProgramName << ": " << OneLine(EscapeArguments(OwnWords(error), argc, argv))
                << '\n';
        }
        return ParseOutcome{false, kUsageError};
    }
    return ParseOutcome{true, 0};
}

// Parses argv into line, leaving the definition it parsed with in defined.
ParseOutcome ParseInto(int argc, const char* const* argv, CommandLine& line, std::ostream& out,
                       std::ostream& err, std::size_t helpWidth, std::unique_ptr<CLI::App>& defined)
{
    line = CommandLine();
    line.count.jobs = DefaultJobs();
    line.diff.count.jobs = line.count.jobs;
    line.history.count.jobs = line.count.jobs;
    line.merge.jobs = line.count.jobs;
    CommandLineExtras extras;
    defined = DefineCommandLine(line, extras);
    CLI::App& app = *defined;
    CLI::App* diff = extras.diffCommand;
    CLI::App* history = extras.historyCommand;
    CLI::App* merge = extras.mergeCommand;
    if (const ParseOutcome outcome = ParseArguments(app, argc, argv, out, err, helpWidth);
        !outcome.run) {
        return outcome;
    }
    std::string problem;
    if (diff->parsed()) {
        line.command = Command::Diff;
        problem = TakeGlobalOptions(app, *diff, "OLD and NEW", line.count, line.diff.count);
        if (problem.empty()) {
            problem = FinishDiffOptions(*diff, line.diff, extras.diff);
        }
    } else if (history->parsed()) {
        line.command = Command::History;
        problem = TakeGlobalOptions(app, *history, "ROOT", line.count, line.history.count);
        if (problem.empty()) {
            problem = FinishHistoryOptions(*history, line.history, extras.history);
        }
    } else if (merge->parsed()) {
        line.command = Command::Merge;
        problem = TakeGlobalOptions(app, *merge, "COUNT", line.count, line.merge);
        if (problem.empty()) {
            problem = FinishMergeOptions(line.merge, extras.mergeByGiven);
        }
    } else {
        problem = FinishCountOptions(app, line.count, extras.byGiven);
    }
    if (!problem.empty()) {
        err << kProgramName << ": " << problem << '\n';
        return ParseOutcome{false, kUsageError};
    }
    return ParseOutcome{true, 0};
}

// Whether setting's arguments parse alone; false with error set to "PATH:LINE: why" if not.
bool CheckSetting(const Setting& setting, std::string& error)
{
    if (setting.args.empty()) {
        return true;
    }
    std::vector<const char*> args{kProgramName};
    for (const std::string& arg : setting.args) {
        args.push_back(arg.c_str());
    }
    CommandLine line;
    std::ostringstream out;
    std::ostringstream said;
    std::unique_ptr<CLI::App> app;
    if (ParseInto(static_cast<int>(args.size()), args.data(), line, out, said, 80, app).run) {
        return true;
    }
    std::string why = said.str();
    const std::string prefix = std::string(kProgramName) + ": ";
    why = why.substr(why.rfind(prefix, 0) == 0 ? prefix.size() : 0);
    while (!why.empty() && why.back() == '\n') {
        why.pop_back();
    }
    error = setting.where + ": " + why;
    return false;
}

// The count's arguments from the settings files at places (the project's looked for from
// root) that the command line parsed into app leaves standing; false with error set to the
// one line that says what is wrong with a file.
bool SettingsArguments(const ConfigPlaces& places, const CLI::App& app, const std::string& root,
                       std::vector<std::string>& args, std::string& error)
{
    std::vector<Setting> all;
    const std::string paths[] = {places.user, places.project ? FindProjectConfig(root) : ""};
    for (const std::string& path : paths) {
        std::vector<Brim::TomlEntry> entries;
        std::vector<Setting> settings;
        if (path.empty()) {
            continue;
        }
        if (!ReadConfigFile(path, entries, error) ||
            !SettingsFrom(app, path, entries, settings, error)) {
            return false;
        }
        for (const Setting& setting : settings) {
            if (!CheckSetting(setting, error)) {
                return false;
            }
        }
        MergeSettings(all, std::move(settings));
    }
    args = StandingArguments(app, all);
    return true;
}

}  // namespace

ParseOutcome ParseCommandLine(int argc, const char* const* argv, CommandLine& line,
                              std::ostream& out, std::ostream& err, std::size_t helpWidth,
                              const ConfigPlaces* config)
{
    std::unique_ptr<CLI::App> app;
    const ParseOutcome outcome = ParseInto(argc, argv, line, out, err, helpWidth, app);
    // -f report gives the dialog's numbers, which no settings file changes.
    if (!outcome.run || config == nullptr || line.command != Command::Count ||
        app->count("--no-config") > 0 ||
        (app->count("--format") > 0 && line.count.format == OutputFormat::Report)) {
        return outcome;
    }
    std::vector<std::string> settings;
    std::string error;
    if (!SettingsArguments(*config, *app, line.count.roots.front(), settings, error)) {
        err << kProgramName << ": " << error << '\n';
        return ParseOutcome{false, kUsageError};
    }
    if (settings.empty()) {
        return outcome;
    }
    std::vector<const char*> args{argv[0]};
    for (const std::string& setting : settings) {
        args.push_back(setting.c_str());
    }
    args.insert(args.end(), argv + 1, argv + argc);
    return ParseInto(static_cast<int>(args.size()), args.data(), line, out, err, helpWidth, app);
}

}  // namespace lintally::cli
