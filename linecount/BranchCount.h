// The branch tokens of code: a rough measure of how many paths a file's code can take.
//
// Per language family, the tokens counted (words are whole words, in their exact case):
//  - C family with ?: (C, C++, C/C++ Header, C#, Java, JavaScript, JSX, TypeScript,
//    Objective-C, Objective-C++, PHP, Dart, Groovy, Swift, CUDA, ActionScript, Haxe, Vala,
//    Solidity, GLSL, HLSL, Metal, Arduino Sketch): if, for, foreach, while, case, catch,
//    &&, || and a '?' that is not part of ?. ?? ?: or ?[;
//  - C family without ?: (Go, Rust, Kotlin, Scala, Zig): the same words, && and ||;
//  - Python, Cython, GDScript: if, elif, for, while, except, case, and, or;
//  - Ruby, Crystal: if, elsif, unless, for, while, until, when, rescue, and, or, &&, ||;
//  - Shell, Zsh: if, elif, for, while, until, case, &&, ||;
//  - Lua: if, elseif, for, while, and, or.
// "else if" counts once (its if). Other languages have no family and count 0.
// Only code counts: a line the classifier calls code, outside its strings and comments as a
// light reading of the language's markers finds them (comments, block comments with their
// nesting, quoted strings with escapes, Python's triple quotes, Rust's character literals).
// Regular expressions, heredocs and template strings' code are not told apart from strings
// or code, so a keyword in them may count or be missed.
//
// A counter serves one stream of lines on one thread.
#pragma once

#include <cstdint>
#include <string_view>

#include "linecount/WideClassifier.h"

namespace PrjHelper {

enum class BranchFamily : std::uint8_t
{
    None,
    CTernary,
    C,
    Python,
    Ruby,
    Shell,
    Lua,
};

// The family of a wide language id; None for any other id.
[[nodiscard]] BranchFamily BranchFamilyOf(std::int32_t lang);

class BranchCounter
{
public:
    BranchCounter(const WideSyntax& syntax, BranchFamily family, bool trackBlocks);

    // Reads the next line (without its LF) and returns its branch tokens; 0 when code is
    // false (the line is not a code line), though its strings and comments still carry on.
    std::uint32_t Line(std::string_view line, bool code);

private:
    enum class In : std::uint8_t
    {
        Code,
        Block,
        String,
        Triple,
    };

    // Reads code from at; returns where the code ends (a string, comment or the line's end)
    // and adds its tokens to count when counting.
    std::size_t Code(std::string_view line, std::size_t at, bool counting, std::uint32_t& count);
    std::size_t Skip(std::string_view line, std::size_t at);
    [[nodiscard]] bool IsBranchWord(std::string_view word) const;
    [[nodiscard]] std::uint32_t Operators(std::string_view line, std::size_t at) const;

    const WideSyntax& m_syntax;
    BranchFamily m_family;
    bool m_trackBlocks;
    In m_in = In::Code;
    std::uint8_t m_pair = 0;
    std::uint32_t m_depth = 0;
    char m_quote = 0;
    bool m_raw = false;
    bool m_spans = false;
};

}  // namespace PrjHelper
