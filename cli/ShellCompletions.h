// Shell completion scripts for lintally-cli, made from the command line's definition (see
// DefineCommandLine): the options of each command, the words an option takes (-f, --by,
// --languages, --sort), git revisions for REV, files for FILE, folders for ROOT, and the
// commands' names.
//
// Pure functions; used by one thread at a time.
#pragma once

#include <string>
#include <vector>

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace lintally::cli {

// For bash: defines _lintally_cli and registers it with `complete`.
[[nodiscard]] std::string BashCompletion(const CLI::App& app);
// For zsh: the file _lintally-cli of a folder in $fpath.
[[nodiscard]] std::string ZshCompletion(const CLI::App& app);
// For fish: the file lintally-cli.fish of a folder in $fish_complete_path.
[[nodiscard]] std::string FishCompletion(const CLI::App& app);

// The commands of app as the completions walk them: the count (named ""), then each of its
// commands.
struct NamedCommand
{
    std::string name;
    const CLI::App* app;
};
[[nodiscard]] std::vector<NamedCommand> CompletedCommands(const CLI::App& app);
// The names of app's commands ("diff", "history").
[[nodiscard]] std::vector<std::string> CommandNames(const CLI::App& app);
// words with separator between them.
[[nodiscard]] std::string Joined(const std::vector<std::string>& words, const char* separator);
// option's help up to its first ';', at most about 60 characters, for shells that show a line
// beside each name.
[[nodiscard]] std::string ShortHelp(const CLI::Option& option);

}  // namespace lintally::cli
