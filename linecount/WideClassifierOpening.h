// The pieces the wide classifier's two readers share: white space and markers, and what a
// byte in code state opens (a comment, a string, a literal of a language's own rules).
//
// Internal to the wide classifier (WideClassifier.cpp reads lines in pieces,
// WideClassifierPlain.cpp reads plain lines in one pass). Pure functions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "linecount/ByteSet.h"
#include "linecount/WideClassifier.h"
#include "linecount/WideClassifierRules.h"
#include "linecount/WideLanguages.h"

namespace PrjHelper::wide_scan {

// The first byte from at on that is not white space, or end. Most lines begin with their text.
inline const char* FirstText(const char* at, const char* end)
{
    return at == end || !IsWhite(*at) ? at : SkipWhite(at + 1, end);
}

inline bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// Markers hold at most kWideMarkerMax bytes and most differ in their first or second: a loop
// costs less than a call to memcmp, and the first byte, compared before it, settles most.
inline bool Matches(const char* at, const char* end, std::string_view marker)
{
    if (marker.empty() || static_cast<std::size_t>(end - at) < marker.size() || at[0] != marker[0])
        return false;
    for (std::size_t i = 1; i < marker.size(); ++i) {
        if (at[i] != marker[i])
            return false;
    }
    return true;
}

// A column-block marker stands as a word: "=head1" opens POD, "=begin" but not "=beginning"
// opens a Ruby block.
inline bool MatchesWord(const char* at, const char* end, std::string_view marker)
{
    if (!Matches(at, end, marker))
        return false;
    const bool next = at + marker.size() < end && IsLetter(at[marker.size()]);
    return IsLetter(marker.back()) ? !next : next;
}

// The word, then white space or the line's end.
inline bool IsLineWord(const char* at, const char* end, std::string_view word)
{
    return Matches(at, end, word) && (at + word.size() == end || IsWhite(at[word.size()]));
}

inline bool IsTripleQuote(const char* at, const char* end)
{
    return end - at >= 3 && (at[0] == '"' || at[0] == '\'') && at[1] == at[0] && at[2] == at[0];
}

// What a special byte of code state begins, in the order the rules try them: a long string
// (three quotes, with docstrings), a block of a pair, a line comment, a string (one that ends
// with its line at the latest, or one that may run on), or nothing: a '/' that divides is code
// like its neighbours.
inline bool HasText(const char* from, const char* to)
{
    return FirstText(from, to) != to;
}

// The bytes from from to to end in a backslash, before a CR at most: it escapes the line's end.
inline bool EndsEscaped(const char* from, const char* to)
{
    if (to > from && to[-1] == '\r')
        --to;
    return to > from && to[-1] == '\\';
}

inline constexpr std::uint16_t kHeredocRules =
    wide_rule::kShellHeredocs | wide_rule::kRubyHeredocs | wide_rule::kPerlHeredocs;

struct Opening
{
    enum class What : std::uint8_t
    {
        Nothing,
        LongString,
        Block,
        LineComment,
        LineString,
        SpanString,
        RawString,
        Regex,
        Literal,  // code of its own: a character literal, an escaped byte
        Heredoc,
        Percent,
        BraceOpen,
        BraceClose,
    };
    What what = What::Nothing;
    std::uint8_t pair = 0;
    std::size_t size = 1;      // the opener's bytes
    std::uint32_t hashes = 0;  // a raw string's '#' count
    wide_rules::Heredoc heredoc = {};
    wide_rules::PercentLiteral percent = {};
};

// What the byte at opens when a rule of the language may read it (syntax.ruleBytes, or any
// byte in Ruby, whose ?x and :/ read the bytes before).
[[nodiscard]] Opening OpensByRule(const WideSyntax& syntax, const char* at, const char* end,
                                  std::string_view before);

// What a byte that opens no comment and no literal of a rule opens: a string, or nothing.
inline Opening OpensString(const WideSyntax& syntax, char byte, std::string_view before)
{
    using What = Opening::What;
    if (!syntax.quotes.Has(byte))
        return {What::Nothing};
    // The shell's $'...' takes escapes.
    if (syntax.rawQuotes.Has(byte))
        return {!before.empty() && before.back() == '$' ? What::SpanString : What::RawString};
    return {syntax.spanQuotes.Has(byte) ? What::SpanString : What::LineString};
}

// What a special byte of code state opens; templates is the number of open "${" or "$(".
// Inline: both readers ask it at every special byte, and most are a comment or a quote that
// no rule of the language reads.
[[nodiscard]] inline Opening OpensInCode(const WideSyntax& syntax, const char* at, const char* end,
                                         std::string_view before, std::uint8_t templates)
{
    using What = Opening::What;
    if (syntax.language.docstrings && IsTripleQuote(at, end))
        return {What::LongString};
    if (syntax.commentStarts.Has(*at)) {
        for (std::uint8_t pair = 0; pair < 2; ++pair) {
            if (Matches(at, end, syntax.open[pair]) && !syntax.close[pair].empty())
                return {What::Block, pair};
        }
        for (std::string_view marker : syntax.single) {
            if (Matches(at, end, marker) && ((syntax.rules & wide_rule::kShellWords) == 0 ||
                                             wide_rules::StartsShellComment(before)))
                return {What::LineComment};
        }
    }
    if (templates > 0 && (*at == syntax.templateOpen || *at == syntax.templateClose))
        return {*at == syntax.templateOpen ? What::BraceOpen : What::BraceClose};
    if ((syntax.rules & wide_rule::kSpacedArguments) != 0 || syntax.ruleBytes.Has(*at))
        return OpensByRule(syntax, at, end, before);
    return OpensString(syntax, *at, before);
}

// Where a string opened at open (its quote byte) ends on the line: past its close, or null
// when it runs on past the line, holds code of its own or comes too near end to tell.
[[nodiscard]] const char* StringEndOnLine(const WideSyntax& syntax, const char* open,
                                          const char* end, bool raw, std::uint32_t hashes);

// The quote at quote is the line's first text, after at most a string prefix: it may open a
// string statement.
[[nodiscard]] bool OpensStringStatement(const char* line, const char* quote, const char* end);

}  // namespace PrjHelper::wide_scan
