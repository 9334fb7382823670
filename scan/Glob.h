// A shell-style name pattern, as --exclude takes it: '*' is any run of characters within one
// path part, '?' one character of a part, "**" any run across parts ("**/" also none at all),
// "[...]" one character of a set ("a-z" ranges, '!' or '^' first negates it) and '\' takes
// the next character as it is. '/' separates parts.
//
// Parsed once, then matched any number of times; an object is immutable after Parse, so
// several threads may match with it at once.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lintally::scan {

class Glob
{
public:
    // False with error set when text is not a pattern (an unclosed '[', a trailing '\').
    [[nodiscard]] bool Parse(std::string_view text, std::string& error);

    // Whether the whole of text matches the whole pattern.
    [[nodiscard]] bool Matches(std::string_view text) const;

private:
    enum class Kind : unsigned char
    {
        Literal,
        AnyChar,     // ?
        Star,        // *
        AnyRun,      // ** not followed by '/'
        AnyFolders,  // **/ : nothing, or anything that ends with '/'
        Set,
    };
    struct Token
    {
        Kind kind;
        char literal = 0;
        bool negated = false;
        std::string set{};  // pairs of first and last characters of each range
    };
    [[nodiscard]] bool TokenTakes(const Token& token, char c) const;

    std::vector<Token> m_tokens;
};

}  // namespace lintally::scan
