// A shell-style name pattern, as --exclude takes it: '*' is any run of characters within one
// path part, '?' one character of a part, "**" any run across parts ("**/" also none at all),
// "[...]" one character of a set ("a-z" ranges, '!' or '^' first negates it) and '\' takes
// the next character as it is. '/' separates parts.
//
// Parsed once, then matched any number of times; an object is immutable after Parse, so
// several threads may match with it at once. Matching costs about the length of the text:
// a text shorter than the pattern's fixed characters fails at once, a pattern without
// wildcards is compared as text, one whose only wildcard is '*' matches its pieces left to
// right; only "**" takes the general way, whose cost is the pattern's parts times the text.
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
    void Push(Token token);
    // Whether tokens [first, last) take the characters of text from at on, one each.
    [[nodiscard]] bool PieceAt(std::size_t first, std::size_t last, std::string_view text,
                               std::size_t at) const;
    [[nodiscard]] bool MatchesStars(std::string_view text) const;
    [[nodiscard]] bool MatchesAny(std::string_view text) const;

    std::vector<Token> m_tokens;
    std::size_t m_fixed = 0;  // tokens that take exactly one character
    bool m_literal = true;    // every token a Literal: m_text is the pattern
    bool m_folders = false;   // a "**" token
    std::string m_text;
};

}  // namespace lintally::scan
