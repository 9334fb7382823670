#include "cli/CommandLine.h"
#include "cli/CommandLineDefinition.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <memory>
#include <ostream>
#include <string_view>

#include "cli/ExitStatus.h"
#include "cli/HelpText.h"
#include "cli/MergeCommand.h"
#include "fileio/MessageText.h"

namespace lintally::cli {

namespace {

// The edits (a letter added, dropped, changed, or two swapped) that turn a into b.
std::size_t EditDistance(std::string_view a, std::string_view b)
{
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i) {
        d[i][0] = i;
    }
    for (std::size_t j = 0; j <= b.size(); ++j) {
        d[0][j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1,
                                d[i - 1][j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1)});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
            }
        }
    }
    return d[a.size()][b.size()];
}

// The long option of command nearest to name ("--type" gives "--types"), or an empty text
// when none is near enough to be what was meant.
std::string NearestOption(const CLI::App& command, std::string_view name)
{
    std::string best;
    std::size_t bestDistance = name.size() / 3 + 1;
    for (const CLI::Option* option : command.get_options()) {
        for (const std::string& longName : option->get_lnames()) {
            const std::string candidate = "--" + longName;
            const std::size_t distance = EditDistance(name, candidate);
            if (distance < bestDistance) {
                best = candidate;
                bestDistance = distance;
            }
        }
    }
    return best;
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

}  // namespace

ParseOutcome ParseCommandLine(int argc, const char* const* argv, CommandLine& line,
                              std::ostream& out, std::ostream& err, std::size_t helpWidth)
{
    line = CommandLine();
    line.count.jobs = DefaultJobs();
    line.diff.count.jobs = line.count.jobs;
    line.history.count.jobs = line.count.jobs;
    line.merge.jobs = line.count.jobs;
    CommandLineExtras extras;
    const std::unique_ptr<CLI::App> defined = DefineCommandLine(line, extras);
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

}  // namespace lintally::cli
