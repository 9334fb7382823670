#include "cli/OptionValues.h"

#include <CLI/CLI.hpp>

namespace lintally::cli {

namespace {

// The description of option's check, after the type's name ("TEXT:table|json" gives
// "table|json"), or an empty text.
std::string CheckDescription(const CLI::Option& option)
{
    const std::string type = option.get_type_name();
    const std::size_t colon = type.find(':');
    return colon == std::string::npos ? std::string() : type.substr(colon + 1);
}

}  // namespace

ValueKind KindOfValue(const CLI::Option& option)
{
    if (option.get_positional()) {
        return ValueKind::Folder;
    }
    if (option.get_expected_min() == 0) {
        return ValueKind::None;
    }
    const std::string& text = option.get_option_text();
    if (text == "REV") {
        return ValueKind::Revision;
    }
    if (text == "FILE") {
        return ValueKind::File;
    }
    return CheckDescription(option).find('|') != std::string::npos ? ValueKind::Words
                                                                   : ValueKind::Other;
}

std::vector<std::string> ValueWords(const CLI::Option& option)
{
    std::vector<std::string> words;
    const std::string list = CheckDescription(option);
    std::size_t start = 0;
    while (start < list.size()) {
        const std::size_t bar = std::min(list.find('|', start), list.size());
        const std::string word = list.substr(start, bar - start);
        const std::size_t many = word.find('N');
        if (many == std::string::npos) {
            words.push_back(word);
        } else {
            for (const char* example : {"2", "3"}) {
                words.push_back(std::string(word).replace(many, 1, example));
            }
        }
        start = bar + 1;
    }
    return words;
}

std::vector<const CLI::Option*> NamedOptions(const CLI::App& command)
{
    return command.get_options([](const CLI::Option* option) {
        return !option->get_positional() && !option->get_group().empty();
    });
}

std::vector<std::string> OptionNames(const CLI::Option& option)
{
    std::vector<std::string> names;
    for (const std::string& name : option.get_snames()) {
        names.push_back("-" + name);
    }
    for (const std::string& name : option.get_lnames()) {
        names.push_back("--" + name);
    }
    return names;
}

}  // namespace lintally::cli
