#include <CLI/CLI.hpp>

#include "cli/CliOptions.h"
#include "cli/OptionValues.h"
#include "cli/ShellCompletions.h"

namespace lintally::cli {

namespace {

// text in single quotes as fish reads it.
std::string FishQuoted(const std::string& text)
{
    std::string out = "'";
    for (const char c : text) {
        if (c == '\'' || c == '\\') {
            out += '\\';
        }
        out += c;
    }
    return out + "'";
}

// The condition under which command's options are offered.
std::string Condition(const NamedCommand& command, const std::string& names)
{
    return command.name.empty() ? "not __fish_seen_subcommand_from " + names
                                : "__fish_seen_subcommand_from " + command.name;
}

std::string ValueFlags(const CLI::Option& option)
{
    switch (KindOfValue(option)) {
    case ValueKind::None:
        return "";
    case ValueKind::Words: {
        const std::string words = Joined(ValueWords(option), " ");
        return " -x -a " + FishQuoted(words);
    }
    case ValueKind::Revision:
        return " -x -a '(__lintally_cli_revisions)'";
    case ValueKind::File:
        return " -r -F";
    case ValueKind::Folder:
    case ValueKind::Other:
        break;
    }
    return " -x";
}

}  // namespace

std::string FishCompletion(const CLI::App& app)
{
    const std::vector<NamedCommand> commands = CompletedCommands(app);
    const std::string names = Joined(CommandNames(app), " ");
    const std::string program(kProgramName);
    std::string out = "# fish completion for " + program +
                      ", written from its option definitions.\n"
                      "function __lintally_cli_revisions\n"
                      "    git rev-parse --is-inside-work-tree >/dev/null 2>&1; or return\n"
                      "    echo HEAD\n"
                      "    git for-each-ref --format='%(refname:short)' refs/heads refs/tags "
                      "refs/remotes 2>/dev/null\n"
                      "end\n"
                      "complete -c " +
                      program + " -f -a '(__fish_complete_directories)'\n";
    for (const NamedCommand& command : commands) {
        const std::string condition = FishQuoted(Condition(command, names));
        if (!command.name.empty()) {
            out += "complete -c " + program + " -n " +
                   FishQuoted("not __fish_seen_subcommand_from " + names) + " -a " + command.name +
                   " -d " + FishQuoted(command.app->get_description()) + "\n";
        }
        for (const CLI::Option* option : NamedOptions(*command.app)) {
            out += "complete -c " + program + " -n " + condition;
            for (const std::string& name : option->get_snames()) {
                out += " -s " + name;
            }
            for (const std::string& name : option->get_lnames()) {
                out += " -l " + name;
            }
            out += ValueFlags(*option) + " -d " + FishQuoted(ShortHelp(*option)) + "\n";
        }
    }
    return out;
}

}  // namespace lintally::cli
