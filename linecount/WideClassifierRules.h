// The lexical rules of single languages that the wide classifier applies beside comment
// markers and quotes: regular-expression literals, Rust's raw strings and character literals,
// heredocs, Ruby's %-literals, the shell's word-start comments and Python's bracket depth.
//
// Pure functions over a piece of one line; none allocates or keeps anything, so any thread
// may call them. `before` is always the line's text outside comments up to the position, at
// most kContext bytes of it (the last ones); the rules look no further back.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "linecount/WideLanguages.h"

namespace PrjHelper::wide_rules {

// How far back before a position the rules look.
inline constexpr std::size_t kContext = 16;
// How far past a position the rules may look: the longest opener (a quoted heredoc tag) and
// the byte after it.
inline constexpr std::size_t kLookahead = 40;
// The longest heredoc tag and the most '#' of a Rust raw string that are followed.
inline constexpr std::size_t kTagMax = 32;
inline constexpr std::uint32_t kRawHashesMax = 30;

[[nodiscard]] bool IsWordByte(char c);

// May a '/' (or Ruby's '%') at this position begin a literal, after before? after is the
// byte that follows it.
[[nodiscard]] bool LiteralMayStart(std::string_view before, char after, std::uint16_t rules);

// Reads a regular expression's body from at (past its opening '/'): returns its closing '/',
// else the first LF, else a backslash that is end's last byte (it escapes a byte not yet
// seen), else end. inClass carries an open character class.
[[nodiscard]] const char* RegexEnd(const char* at, const char* end, bool& inClass);

// The size of a Rust character literal beginning with the quote at at; 0 when the quote
// begins a lifetime or label, or when end comes before the literal could end.
[[nodiscard]] std::size_t CharLiteralSize(const char* at, const char* end);

// The number of '#' of a Rust raw string whose '"' follows before; -1 when the quote opens a
// plain string.
[[nodiscard]] int RawStringHashes(std::string_view before);

// True when at holds a Rust raw string's close: '"' and hashes '#'.
[[nodiscard]] bool ClosesRawString(const char* at, const char* end, std::uint32_t hashes);

struct Heredoc
{
    std::size_t size = 0;  // the opener's bytes; 0 when at opens no heredoc
    std::string_view tag;
    bool indented = false;  // the close line may begin with white space
};
// The heredoc opened by the "<<" at at (shell, Ruby or Perl, by rules).
[[nodiscard]] Heredoc HeredocAt(const char* at, const char* end, std::string_view before,
                                std::uint16_t rules);

struct PercentLiteral
{
    std::size_t size = 0;  // the opener's bytes; 0 when the '%' opens nothing
    char open = 0;         // the open bracket of a nesting pair, else the close byte
    char close = 0;
};
// The Ruby %-literal ("%w[", "%q{", "%(") opened by the '%' at at.
[[nodiscard]] PercentLiteral PercentAt(const char* at, const char* end, std::string_view before);

// Ruby: the byte after before belongs to a character literal (?" ?/) or, as '/', '%' or '<',
// to an operator symbol (:/ :% :<<); it opens nothing then.
[[nodiscard]] bool InRubyCharOrSymbol(std::string_view before, char byte);

// May a shell '#' after before begin a comment? Only at a word's start.
[[nodiscard]] bool StartsShellComment(std::string_view before);

// The size of a Python string's prefix ("r", "rb", "F") from at when a quote follows it, else
// 0; prefixed is false when there is no quote.
[[nodiscard]] std::size_t StringPrefixSize(const char* at, const char* end, bool& quoted);

// Adds the Python bracket changes of the code bytes from at to stop to depth (never below 0).
// The bytes up to end may be read. Inline: the counter calls it for every run of code.
inline void CountBrackets(const char* at, const char* stop, const char* end, std::uint16_t& depth)
{
    int d = depth;
    const auto count = [&d](char c) {
        if (c == '(' || c == '[' || c == '{')
            ++d;
        else if ((c == ')' || c == ']' || c == '}') && d > 0)
            --d;
    };
#if defined(__SSE2__)
    // Sixteen bytes a step while they lie before end: "(|1 == )" finds ( and ), "|0x20 == {"
    // finds [ and {, "|0x20 == }" finds ] and }.
    using Bytes = unsigned char __attribute__((vector_size(16)));
    for (; at < stop && end - at >= 16; at += 16) {
        Bytes bytes;
        std::memcpy(&bytes, at, sizeof bytes);
        const Bytes lower = bytes | 0x20;
        auto bits = static_cast<unsigned>(_mm_movemask_epi8(
            reinterpret_cast<__m128i>(((bytes | 1) == 0x29) | (lower == 0x7B) | (lower == 0x7D))));
        if (stop - at < 16)
            bits &= (1u << (stop - at)) - 1;
        for (; bits != 0; bits &= bits - 1)
            count(at[std::countr_zero(bits)]);
    }
#endif
    for (; at < stop; ++at)
        count(*at);
    depth = static_cast<std::uint16_t>(std::min(d, 0xFFFF));
}

}  // namespace PrjHelper::wide_rules
