// A settings file's entries as the count's own options: each key is a long option's name
// ("by", "skip-binary", "exclude"), each value what the option takes. A flag takes true or
// false (false: as if not given), an option that takes a value a string or an integer, an
// option that may be given several times an array (each element given once), and a list
// option such as types an array joined with ','.
//
// Plain values and functions; used by main's thread only.
#pragma once

#include <string>
#include <vector>

#include "fileio/TomlReader.h"

namespace CLI {
class App;
}

namespace lintally::cli {

struct Setting
{
    std::string option;             // "--by"
    std::vector<std::string> args;  // "--by=dir"; none for a flag set false
    bool adds = false;              // the option may be given several times
    std::string where;              // "PATH:LINE", for errors
};

// The settings of a file's entries for the count's options in app. False with error set to
// "PATH:LINE: what is wrong" for a key no option has (naming the nearest), a table, or a
// value of the wrong kind.
[[nodiscard]] bool SettingsFrom(const CLI::App& app, const std::string& path,
                                const std::vector<Brim::TomlEntry>& entries,
                                std::vector<Setting>& settings, std::string& error);

// later's settings over into's: one of the same option replaces the earlier, except where the
// option may be given several times and the values add.
void MergeSettings(std::vector<Setting>& into, std::vector<Setting> later);

// The arguments of the settings that the command line parsed into app leaves standing: a
// setting whose option (or its opposite, such as --no-progress for --progress) the command
// line gave is dropped, unless its values add.
[[nodiscard]] std::vector<std::string> StandingArguments(const CLI::App& app,
                                                         const std::vector<Setting>& settings);

}  // namespace lintally::cli
