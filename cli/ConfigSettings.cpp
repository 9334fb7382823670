#include "cli/ConfigSettings.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <iterator>

#include "cli/CliOptions.h"
#include "cli/NearestName.h"
#include "fileio/MessageText.h"

namespace lintally::cli {

namespace {

// Options a settings file does not hold: they end the program at once, or choose the files.
constexpr const char* kNotSettings[] = {"--help", "--version", "--no-config"};

bool Settable(const CLI::Option* option)
{
    return option != nullptr && !option->get_lnames().empty() &&
           std::find(std::begin(kNotSettings), std::end(kNotSettings), option->get_name()) ==
               std::end(kNotSettings);
}

std::vector<std::string> SettingNames(const CLI::App& app)
{
    std::vector<std::string> names;
    for (const CLI::Option* option : app.get_options()) {
        if (Settable(option)) {
            names.insert(names.end(), option->get_lnames().begin(), option->get_lnames().end());
        }
    }
    return names;
}

// The setting's arguments from value; an empty text, or what is wrong with the value.
std::string Arguments(const CLI::Option& option, const std::string& key,
                      const Brim::TomlValue& value, Setting& setting)
{
    using Kind = Brim::TomlValue::Kind;
    const std::string name = "--" + key;
    if (option.get_expected_max() == 0) {
        if (value.kind != Kind::Boolean) {
            return key + " takes true or false";
        }
        if (value.boolean) {
            setting.args.push_back(name);
        }
        return {};
    }
    if (value.kind == Kind::Boolean) {
        return key + " takes a value, not true or false";
    }
    if (value.kind != Kind::Strings) {
        setting.args.push_back(
            name + "=" +
            (value.kind == Kind::Integer ? std::to_string(value.integer) : value.text));
    } else if (setting.adds) {
        for (const std::string& each : value.strings) {
            setting.args.push_back(name + "=" + each);
        }
    } else {
        std::string list;
        for (const std::string& each : value.strings) {
            list.append(list.empty() ? "" : ",").append(each);
        }
        setting.args.push_back(name + "=" + list);
    }
    return {};
}

// The option that contradicts option (--no-progress for --progress), or null.
const char* Opposite(const std::string& option)
{
    for (const auto& [one, other] : kContradictions) {
        if (option == one) {
            return other;
        }
        if (option == other) {
            return one;
        }
    }
    return nullptr;
}

}  // namespace

bool SettingsFrom(const CLI::App& app, const std::string& path,
                  const std::vector<Brim::TomlEntry>& entries, std::vector<Setting>& settings,
                  std::string& error)
{
    settings.clear();
    for (const Brim::TomlEntry& entry : entries) {
        const std::string where = Brim::EscapeControlBytes(path) + ":" + std::to_string(entry.line);
        if (!entry.table.empty()) {
            error = where + ": [" + Brim::EscapeControlBytes(entry.table) +
                    "]: a settings file has no sections; its settings are the count's";
            return false;
        }
        const CLI::Option* option = entry.key.empty() || entry.key[0] == '-'
                                        ? nullptr
                                        : app.get_option_no_throw("--" + entry.key);
        if (!Settable(option)) {
            const std::string nearest = NearestName(entry.key, SettingNames(app));
            error = where + ": unknown setting " + Brim::EscapeControlBytes(entry.key) +
                    (nearest.empty() ? std::string() : "; did you mean " + nearest + "?");
            return false;
        }
        Setting setting{option->get_name(), {}, option->get_expected_max() > 1, where};
        if (std::string problem = Arguments(*option, entry.key, entry.value, setting);
            !problem.empty()) {
            error = where + ": " + problem;
            return false;
        }
        settings.push_back(std::move(setting));
    }
    return true;
}

void MergeSettings(std::vector<Setting>& into, std::vector<Setting> later)
{
    for (Setting& setting : later) {
        if (!setting.adds) {
            const char* opposite = Opposite(setting.option);
            std::erase_if(into, [&setting, opposite](const Setting& earlier) {
                return earlier.option == setting.option ||
                       (opposite != nullptr && earlier.option == opposite);
            });
        }
        into.push_back(std::move(setting));
    }
}

std::vector<std::string> StandingArguments(const CLI::App& app,
                                           const std::vector<Setting>& settings)
{
    std::vector<std::string> args;
    for (const Setting& setting : settings) {
        const char* opposite = Opposite(setting.option);
        const bool given =
            app.count(setting.option) > 0 || (opposite != nullptr && app.count(opposite) > 0);
        if (!given || setting.adds) {
            args.insert(args.end(), setting.args.begin(), setting.args.end());
        }
    }
    return args;
}

}  // namespace lintally::cli
