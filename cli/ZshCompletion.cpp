#include <CLI/CLI.hpp>

#include <string_view>

#include "cli/CliOptions.h"
#include "cli/OptionValues.h"
#include "cli/ShellCompletions.h"

namespace lintally::cli {

namespace {

// text inside single quotes: a quote closed and reopened around an escaped one.
std::string ZshQuoted(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return out;
}

// text with a backslash before each of special: _arguments reads brackets and colons in a
// description, and colons in an action's words ("dir:2"), as its own separators.
std::string ZshEscaped(const std::string& text, std::string_view special)
{
    std::string out;
    for (const char c : text) {
        if (special.find(c) != std::string_view::npos) {
            out += '\\';
        }
        out += c;
    }
    return out;
}

std::string ValueSpec(const CLI::Option& option)
{
    const std::string name = option.get_option_text().empty() ? "VALUE" : option.get_option_text();
    switch (KindOfValue(option)) {
    case ValueKind::None:
        return {};
    case ValueKind::Words: {
        const std::string words = ZshEscaped(Joined(ValueWords(option), " "), ":");
        return ":" + name + ":(" + words + ")";
    }
    case ValueKind::Revision:
        return ":" + name + ":_lintally_cli_revisions";
    case ValueKind::File:
        return ":" + name + ":_files";
    case ValueKind::Folder:
    case ValueKind::Other:
        break;
    }
    return ":" + name + ": ";
}

// The _arguments specs of command, one a line, each line but the last continued with '\\'.
std::string Specs(const NamedCommand& command)
{
    std::string out;
    for (const CLI::Option* option : NamedOptions(*command.app)) {
        for (const std::string& name : OptionNames(*option)) {
            out += "            '" + name + "[" + ZshQuoted(ZshEscaped(ShortHelp(*option), "[]:")) +
                   "]" + ZshQuoted(ValueSpec(*option)) + "' \\\n";
        }
    }
    const char* folders = command.name.empty() ? "_lintally_cli_roots" : "_files -/";
    return out + "            '*:folder:" + folders + "'\n";
}

}  // namespace

std::string ZshCompletion(const CLI::App& app)
{
    const std::vector<NamedCommand> commands = CompletedCommands(app);
    const std::string names = Joined(CommandNames(app), " ");
    const std::string pattern = Joined(CommandNames(app), "|");
    std::string arms;
    for (const NamedCommand& command : commands) {
        arms += "    " + (command.name.empty() ? std::string("''") : command.name) +
                ")\n        _arguments -s \\\n" + Specs(command) + "        ;;\n";
    }
    std::string out = "#compdef " + std::string(kProgramName) +
                      "\n# zsh completion, written from the option definitions.\n"
                      "_lintally_cli_revisions() {\n"
                      "    git rev-parse --is-inside-work-tree >/dev/null 2>&1 || return 1\n"
                      "    local -a revisions\n"
                      "    revisions=(HEAD ${(f)\"$(git for-each-ref "
                      "--format='%(refname:short)' refs/heads refs/tags refs/remotes "
                      "2>/dev/null)\"})\n"
                      "    compadd -a revisions\n"
                      "}\n"
                      "_lintally_cli_roots() {\n"
                      "    _alternative 'commands:command:(" +
                      names +
                      ")' 'folders:folder:_files -/'\n"
                      "}\n"
                      "local command= word\n"
                      "for word in ${words[2,CURRENT-1]}; do\n"
                      "    case $word in\n"
                      "    " +
                      pattern + ") command=$word; break ;;\n" +
                      "    esac\n"
                      "done\n"
                      "case $command in\n" +
                      arms + "esac\n";
    return out;
}

}  // namespace lintally::cli
