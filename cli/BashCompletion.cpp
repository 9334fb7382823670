#include <CLI/CLI.hpp>

#include <map>

#include "cli/CliOptions.h"
#include "cli/OptionValues.h"
#include "cli/ShellCompletions.h"

namespace lintally::cli {

namespace {

// What completes the value of option: a bash command setting COMPREPLY, or an empty text
// for a value nothing can offer.
std::string ValueAction(const CLI::Option& option)
{
    switch (KindOfValue(option)) {
    case ValueKind::Words:
        return "_lintally_cli_reply -W \"" + Joined(ValueWords(option), " ") + "\"";
    case ValueKind::Revision:
        return "_lintally_cli_reply -W \"$(_lintally_cli_revisions)\"";
    case ValueKind::File:
        return "_lintally_cli_reply -f";
    case ValueKind::None:
    case ValueKind::Folder:
    case ValueKind::Other:
        break;
    }
    return {};
}

// The case arms that complete an option's value: "command:option" patterns by action.
std::string ValueArms(const std::vector<NamedCommand>& commands)
{
    std::map<std::string, std::string> patterns;  // action -> "a|b|c"
    for (const NamedCommand& command : commands) {
        for (const CLI::Option* option : NamedOptions(*command.app)) {
            if (KindOfValue(*option) == ValueKind::None) {
                continue;
            }
            std::string& arm = patterns[ValueAction(*option)];
            for (const std::string& name : OptionNames(*option)) {
                arm += (arm.empty() ? "" : "|") + command.name + ":" + name;
            }
        }
    }
    std::string out;
    for (const auto& [action, pattern] : patterns) {
        out += "        " + pattern + ")\n" +
               (action.empty() ? "" : "            " + action + "\n") + "            return ;;\n";
    }
    return out;
}

}  // namespace

std::string BashCompletion(const CLI::App& app)
{
    const std::vector<NamedCommand> commands = CompletedCommands(app);
    const std::string names = Joined(CommandNames(app), "|");
    const std::string commandWords = Joined(CommandNames(app), " ");
    std::string optionArms;
    for (const NamedCommand& command : commands) {
        std::vector<std::string> options;
        for (const CLI::Option* option : NamedOptions(*command.app)) {
            for (const std::string& name : OptionNames(*option)) {
                options.push_back(name);
            }
        }
        optionArms += "        " + (command.name.empty() ? "''" : command.name) +
                      ") COMPREPLY=($(compgen -W \"" + Joined(options, " ") +
                      "\" -- \"$cur\")) ;;\n";
    }
    return "# bash completion for " + std::string(kProgramName) +
           ", written from its option definitions.\n"
           "_lintally_cli_revisions() {\n"
           "    git rev-parse --is-inside-work-tree >/dev/null 2>&1 || return 0\n"
           "    echo HEAD\n"
           "    git for-each-ref --format='%(refname:short)' refs/heads refs/tags refs/remotes "
           "2>/dev/null\n"
           "}\n"
           "# The replies compgen ARGS... gives for the value $cur, less the $lead bash keeps.\n"
           "_lintally_cli_reply() {\n"
           "    COMPREPLY=($(compgen \"$@\" -- \"$cur\"))\n"
           "    COMPREPLY=(\"${COMPREPLY[@]#\"$lead\"}\")\n"
           "}\n"
           "_lintally_cli() {\n"
           "    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]} command= i\n"
           "    # bash splits an option's value at ':' (dir:2 comes as dir, :, 2); join it, and\n"
           "    # reply with what follows the colon, as bash replaces only that.\n"
           "    local lead= before=${COMP_WORDS[COMP_CWORD-2]} third=\n"
           "    ((COMP_CWORD > 2)) && third=${COMP_WORDS[COMP_CWORD-3]}\n"
           "    if [[ $cur == : && $before == -* ]]; then\n"
           "        lead=$prev:; cur=$lead; prev=$before\n"
           "    elif [[ $prev == : && $third == -* ]]; then\n"
           "        lead=$before:; cur=$lead$cur; prev=$third\n"
           "    fi\n"
           "    for ((i = 1; i < COMP_CWORD; i++)); do\n"
           "        case ${COMP_WORDS[i]} in\n"
           "        " +
           names +
           ") command=${COMP_WORDS[i]}; break ;;\n"
           "        esac\n"
           "    done\n"
           "    COMPREPLY=()\n"
           "    case $command:$prev in\n" +
           ValueArms(commands) +
           "    esac\n"
           "    if [[ $cur == -* ]]; then\n"
           "        case $command in\n" +
           optionArms +
           "        esac\n"
           "        return\n"
           "    fi\n"
           "    [[ -z $command ]] && COMPREPLY=($(compgen -W \"" +
           commandWords +
           "\" -- \"$cur\"))\n"
           "    COMPREPLY+=($(compgen -d -- \"$cur\"))\n"
           "}\n"
           "complete -o filenames -F _lintally_cli " +
           kProgramName + "\n";
}

}  // namespace lintally::cli
