#include "scan/CountSettings.h"

#include <variant>

#include "linecount/DetailTally.h"
#include "linecount/WideTally.h"
#include "scan/FileCount.h"
#include "scan/PatternList.h"

namespace lintally::scan {

namespace {

// Every option once: its key in a saved count, and its member.
struct Option
{
    const char* key;
    std::variant<std::string CountSettings::*, bool CountSettings::*,
                 LanguageTable CountSettings::*>
        member;
};

constexpr Option kOptions[] = {
    {"types", &CountSettings::types},
    {"include_sub_folders", &CountSettings::includeSubFolders},
    {"include_remed", &CountSettings::includeRemed},
    {"exclude_blank", &CountSettings::excludeBlank},
    {"block_comments", &CountSettings::blockComments},
    {"languages", &CountSettings::languages},
    {"embedded", &CountSettings::embedded},
    {"complexity", &CountSettings::complexity},
};

constexpr LanguageTable kTables[] = {LanguageTable::Design, LanguageTable::Wide};

// Overloads for std::visit.
template <class... Ts>
struct Overloaded : Ts...
{
    using Ts::operator()...;
};
template <class... Ts>
Overloaded(Ts...) -> Overloaded<Ts...>;

}  // namespace

std::uint32_t CountSettings::CountFlags() const
{
    std::uint32_t flags = MakeCountFlags(includeRemed, excludeBlank, blockComments);
    if (languages == LanguageTable::Wide) {
        flags |= PrjHelper::CF_WIDE_TABLE;
        // Every file is offered, and the wide table keeps those it knows.
        if (types.empty()) {
            flags |= PrjHelper::CF_KNOWN_ONLY;
        }
        flags |=
            (embedded ? PrjHelper::CF_EMBEDDED : 0) | (complexity ? PrjHelper::CF_COMPLEXITY : 0);
    }
    return flags;
}

std::vector<std::string> CountSettings::Patterns() const
{
    if (types.empty() && languages == LanguageTable::Wide) {
        return {".*"};
    }
    return BuildPatternList(types);
}

const char* LanguageTableName(LanguageTable table)
{
    return table == LanguageTable::Wide ? "wide" : "design";
}

std::string SettingValue::Shown() const
{
    if (isFlag) {
        return flag ? "true" : "false";
    }
    return "\"" + text + "\"";
}

std::vector<SettingValue> CountSettings::Values() const
{
    std::vector<SettingValue> values;
    for (const Option& option : kOptions) {
        SettingValue value{option.key};
        std::visit(Overloaded{
                       [&](bool CountSettings::*flag) {
                           value.isFlag = true;
                           value.flag = this->*flag;
                       },
                       [&](std::string CountSettings::*text) { value.text = this->*text; },
                       [&](LanguageTable CountSettings::*table) {
                           value.text = LanguageTableName(this->*table);
                       },
                   },
                   option.member);
        values.push_back(std::move(value));
    }
    return values;
}

bool CountSettings::Set(const SettingValue& value)
{
    for (const Option& option : kOptions) {
        if (std::string_view(value.key) != option.key) {
            continue;
        }
        return std::visit(Overloaded{
                              [&](bool CountSettings::*member) {
                                  if (value.isFlag) {
                                      this->*member = value.flag;
                                  }
                                  return value.isFlag;
                              },
                              [&](std::string CountSettings::*member) {
                                  if (!value.isFlag) {
                                      this->*member = value.text;
                                  }
                                  return !value.isFlag;
                              },
                              [&](LanguageTable CountSettings::*member) {
                                  for (const LanguageTable table : kTables) {
                                      if (!value.isFlag && value.text == LanguageTableName(table)) {
                                          this->*member = table;
                                          return true;
                                      }
                                  }
                                  return false;
                              },
                          },
                          option.member);
    }
    return false;
}

std::string FirstDifference(const CountSettings& there, const CountSettings& here)
{
    const std::vector<SettingValue> a = there.Values();
    const std::vector<SettingValue> b = here.Values();
    // The language table first: the default types and block comments follow from it, so a
    // difference there is the one to name.
    for (const bool table : {true, false}) {
        for (std::size_t i = 0; i < a.size(); ++i) {
            const bool isTable = std::string_view(a[i].key) == "languages";
            if (isTable == table && !a[i].SameValue(b[i])) {
                return std::string(a[i].key) + ": " + a[i].Shown() + " there, " + b[i].Shown() +
                       " here";
            }
        }
    }
    return {};
}

}  // namespace lintally::scan
