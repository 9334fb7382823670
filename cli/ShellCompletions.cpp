#include "cli/ShellCompletions.h"

#include <CLI/CLI.hpp>

namespace lintally::cli {

std::vector<NamedCommand> CompletedCommands(const CLI::App& app)
{
    std::vector<NamedCommand> commands{{"", &app}};
    for (const CLI::App* command : app.get_subcommands({})) {
        commands.push_back({command->get_name(), command});
    }
    return commands;
}

std::vector<std::string> CommandNames(const CLI::App& app)
{
    std::vector<std::string> names;
    for (const CLI::App* command : app.get_subcommands({})) {
        names.push_back(command->get_name());
    }
    return names;
}

std::string Joined(const std::vector<std::string>& words, const char* separator)
{
    std::string out;
    for (const std::string& word : words) {
        out += (out.empty() ? "" : separator) + word;
    }
    return out;
}

std::string ShortHelp(const CLI::Option& option)
{
    constexpr std::size_t kLongest = 60;
    const std::string help = option.get_description();
    std::string out = help.substr(0, help.find(';'));
    if (out.size() > kLongest) {
        out = out.substr(0, out.rfind(' ', kLongest)) + "...";
    }
    return out;
}

}  // namespace lintally::cli
