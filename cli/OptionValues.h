// What an option of the command line takes, read from its CLI11 definition, for the man page
// and the shell completions: nothing (a flag), one of a list of words, a git revision, a file,
// a folder, or some other text.
//
// Plain functions; used by one thread at a time.
#pragma once

#include <string>
#include <vector>

namespace CLI {
class App;
class Option;
}  // namespace CLI

namespace lintally::cli {

enum class ValueKind
{
    None,      // a flag
    Words,     // one of ValueWords
    Revision,  // REV
    File,      // FILE
    Folder,    // a ROOT, OLD or NEW: folders (or files)
    Other,     // a number, a size, a date, a pattern
};

[[nodiscard]] ValueKind KindOfValue(const CLI::Option& option);
// The words the option takes, from its check's description ("table|report|..."); a word
// holding N ("dir:N") stands for many and is offered as two of them ("dir:2", "dir:3"), whole
// values that show the form.
[[nodiscard]] std::vector<std::string> ValueWords(const CLI::Option& option);
// The options of command as people give them, help first, positionals left out.
[[nodiscard]] std::vector<const CLI::Option*> NamedOptions(const CLI::App& command);
// "-f", "--format": every name of option, short ones first.
[[nodiscard]] std::vector<std::string> OptionNames(const CLI::Option& option);

}  // namespace lintally::cli
