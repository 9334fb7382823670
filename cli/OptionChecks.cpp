#include "cli/OptionChecks.h"

#include <CLI/CLI.hpp>

#include <charconv>
#include <filesystem>
#include <limits>

#include "fileio/MessageText.h"

namespace lintally::cli {

std::optional<std::uint64_t> ParseWholeNumber(const std::string& text, std::uint64_t min,
                                              std::uint64_t max)
{
    if (text.empty() || text.size() > 20 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (const char digit : text) {
        const auto next = static_cast<std::uint64_t>(digit - '0');
        if (value > (std::numeric_limits<std::uint64_t>::max() - next) / 10) {
            return std::nullopt;
        }
        value = value * 10 + next;
    }
    if (value < min || value > max) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> ParseDecimal(const std::string& text, double min, double max)
{
    const std::size_t dot = text.find('.');
    const std::string whole = text.substr(0, dot);
    const std::string fraction = dot == std::string::npos ? "0" : text.substr(dot + 1);
    const auto digits = [](const std::string& part) {
        return !part.empty() && part.size() <= 15 &&
               part.find_first_not_of("0123456789") == std::string::npos;
    };
    double value = 0;
    if (!digits(whole) || !digits(fraction) ||
        std::from_chars(text.data(), text.data() + text.size(), value).ptr !=
            text.data() + text.size() ||
        value < min || value > max) {
        return std::nullopt;
    }
    return value;
}

CLI::Validator DecimalNumber(double min, double max, const std::string& range)
{
    return CLI::Validator(
        [min, max, range](std::string& text) {
            return ParseDecimal(text, min, max)
                       ? std::string()
                       : "takes a number " + range + ", not " + Brim::EscapeControlBytes(text);
        },
        "", "number");
}

CLI::Validator WholeNumber(std::uint64_t min, std::uint64_t max)
{
    const std::string range = max == std::numeric_limits<std::uint64_t>::max()
                                  ? "from " + std::to_string(min) + " up"
                                  : "from " + std::to_string(min) + " to " + std::to_string(max);
    return CLI::Validator(
        [min, max, range](std::string& text) {
            return ParseWholeNumber(text, min, max) ? std::string()
                                                    : "takes a whole number " + range + ", not " +
                                                          Brim::EscapeControlBytes(text);
        },
        "", "number");
}

CLI::Validator OneOf(std::vector<std::string> names)
{
    // The names, '|' between them, are the check's description: the man page and the shell
    // completions list them from there (help shows the option's own text instead).
    std::string choices;
    for (const std::string& name : names) {
        choices += (choices.empty() ? "" : "|") + name;
    }
    return CLI::Validator(
        [names](std::string& text) {
            for (const std::string& name : names) {
                if (text == name) {
                    return std::string();
                }
            }
            std::string list;
            for (std::size_t i = 0; i < names.size(); ++i) {
                list += i == 0 ? "" : i + 1 == names.size() ? " or " : ", ";
                list += names[i];
            }
            return "takes " + list + ", not " + Brim::EscapeControlBytes(text);
        },
        choices, "one of");
}

CLI::Validator ExistingFolderOrFile()
{
    return CLI::Validator(
        [](std::string& text) {
            std::error_code failure;
            const auto status = std::filesystem::status(text, failure);
            if (std::filesystem::is_directory(status) || std::filesystem::is_regular_file(status)) {
                return std::string();
            }
            const std::string name = Brim::EscapeControlBytes(text);
            return std::filesystem::exists(status) ? name + " is neither a folder nor a file"
                                                   : "no folder or file " + name;
        },
        "", "path");
}

}  // namespace lintally::cli
