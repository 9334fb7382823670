// The checks of option values on the command line, each failing with a message in our own
// words ("--top: takes a whole number from 1 up, not -1"), so no text of the option parser
// reaches the user.
//
// Plain functions; used by main's thread only.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace CLI {
class Validator;
}

namespace lintally::cli {

// A whole number in decimal digits from min to max; none for anything else (a sign, a
// fraction, a number out of range).
[[nodiscard]] std::optional<std::uint64_t> ParseWholeNumber(const std::string& text,
                                                            std::uint64_t min, std::uint64_t max);

// A decimal number in digits with at most one '.' between them ("2.4", "3"), from min to
// max; none for anything else (a sign, an exponent, a lone '.').
[[nodiscard]] std::optional<double> ParseDecimal(const std::string& text, double min, double max);

// Takes a whole number from min to max (see ParseWholeNumber).
[[nodiscard]] CLI::Validator WholeNumber(std::uint64_t min, std::uint64_t max);
// Takes a decimal number from min to max (see ParseDecimal); range says which in words.
[[nodiscard]] CLI::Validator DecimalNumber(double min, double max, const std::string& range);
// Takes one of names; its description lists them, '|' between them.
[[nodiscard]] CLI::Validator OneOf(std::vector<std::string> names);
// Takes an existing folder or file.
[[nodiscard]] CLI::Validator ExistingFolderOrFile();

}  // namespace lintally::cli
