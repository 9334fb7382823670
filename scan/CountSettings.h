// How the files of a count are counted: the file types, whether sub-folders are walked,
// which lines count, whether block comments span lines, and the language table. Every
// counting option of the command line lives here once: the engine's flags and patterns, the
// "options" a saved count records (by key, in the order written) and the first difference
// between two counts all come from this type, so adding an option touches it and the option
// parser only.
//
// A plain value; any thread may read one it owns.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "scan/Presets.h"

namespace lintally::scan {

enum class LanguageTable
{
    Design,  // the dialog's table: counts match the dialog's
    Wide,    // every language known by suffix, file name or "#!" line
};

// One option as a saved count records it: its key and its value, a flag or a text.
struct SettingValue
{
    const char* key;
    bool isFlag = false;
    bool flag = false;
    std::string text{};

    // The value as a saved count shows it: true, false or "text".
    [[nodiscard]] std::string Shown() const;
    [[nodiscard]] bool SameValue(const SettingValue& other) const
    {
        return isFlag == other.isFlag && flag == other.flag && text == other.text;
    }
};

struct CountSettings
{
    // The type list ("*.c,*.h"); empty: every file the language table knows (wide table only).
    std::string types{kFileTypePresets[0]};
    bool includeSubFolders = kStartupOptions.includeSubFolders;
    bool includeRemed = kStartupOptions.includeRemed;
    bool excludeBlank = kStartupOptions.excludeBlank;
    bool blockComments = false;
    LanguageTable languages = LanguageTable::Design;
    // Wide table only: code inside other files counts as its own language; each file's branch
    // tokens are counted (DetailTally.h).
    bool embedded = false;
    bool complexity = false;

    // True when every line counts (comment and blank lines too), so the counted lines are
    // all lines.
    [[nodiscard]] bool CountsEveryLine() const { return includeRemed && !excludeBlank; }
    // The counter's option bits (see FileCount.h and the CF_ bits of linecount).
    [[nodiscard]] std::uint32_t CountFlags() const;
    // The suffix patterns of the type list (with the wide table and no types: ".*", every
    // file, of which the table keeps those it knows).
    [[nodiscard]] std::vector<std::string> Patterns() const;

    // Every option as a saved count writes it under "options", in order.
    [[nodiscard]] std::vector<SettingValue> Values() const;
    // Sets the option a saved count wrote (value's key and value); false when no option has
    // that key or the value is not one it takes.
    [[nodiscard]] bool Set(const SettingValue& value);

    friend bool operator==(const CountSettings&, const CountSettings&) = default;
};

// The name a saved count gives the table ("design", "wide").
[[nodiscard]] const char* LanguageTableName(LanguageTable table);

// The first option in which there differs from here, as "key: A there, B here"; empty when
// none does.
[[nodiscard]] std::string FirstDifference(const CountSettings& there, const CountSettings& here);

}  // namespace lintally::scan
