#include "linecount/BranchCount.h"

#include <algorithm>
#include <span>

namespace PrjHelper {

namespace {

struct FamilyRow
{
    std::string_view language;
    BranchFamily family;
};

constexpr FamilyRow kFamilies[] = {
    {"ActionScript", BranchFamily::CTernary},
    {"Arduino Sketch", BranchFamily::CTernary},
    {"C", BranchFamily::CTernary},
    {"C#", BranchFamily::CTernary},
    {"C++", BranchFamily::CTernary},
    {"C/C++ Header", BranchFamily::CTernary},
    {"Crystal", BranchFamily::Ruby},
    {"CUDA", BranchFamily::CTernary},
    {"Cython", BranchFamily::Python},
    {"Dart", BranchFamily::CTernary},
    {"GDScript", BranchFamily::Python},
    {"GLSL", BranchFamily::CTernary},
    {"Go", BranchFamily::C},
    {"Groovy", BranchFamily::CTernary},
    {"Haxe", BranchFamily::CTernary},
    {"HLSL", BranchFamily::CTernary},
    {"Java", BranchFamily::CTernary},
    {"JavaScript", BranchFamily::CTernary},
    {"JSX", BranchFamily::CTernary},
    {"Kotlin", BranchFamily::C},
    {"Lua", BranchFamily::Lua},
    {"Metal", BranchFamily::CTernary},
    {"Objective-C", BranchFamily::CTernary},
    {"Objective-C++", BranchFamily::CTernary},
    {"PHP", BranchFamily::CTernary},
    {"Python", BranchFamily::Python},
    {"Ruby", BranchFamily::Ruby},
    {"Rust", BranchFamily::C},
    {"Scala", BranchFamily::C},
    {"Shell", BranchFamily::Shell},
    {"Solidity", BranchFamily::CTernary},
    {"Swift", BranchFamily::CTernary},
    {"TypeScript", BranchFamily::CTernary},
    {"Vala", BranchFamily::CTernary},
    {"Zig", BranchFamily::C},
    {"Zsh", BranchFamily::Shell},
};

using Words = std::span<const std::string_view>;

Words BranchWords(BranchFamily family)
{
    static constexpr std::string_view kC[] = {"if", "for", "foreach", "while", "case", "catch"};
    static constexpr std::string_view kPython[] = {"if",     "elif", "for", "while",
                                                   "except", "case", "and", "or"};
    static constexpr std::string_view kRuby[] = {"if",    "elsif", "unless", "for", "while",
                                                 "until", "when",  "rescue", "and", "or"};
    static constexpr std::string_view kShell[] = {"if", "elif", "for", "while", "until", "case"};
    static constexpr std::string_view kLua[] = {"if", "elseif", "for", "while", "and", "or"};
    switch (family) {
    case BranchFamily::CTernary:
    case BranchFamily::C:
        return kC;
    case BranchFamily::Python:
        return kPython;
    case BranchFamily::Ruby:
        return kRuby;
    case BranchFamily::Shell:
        return kShell;
    case BranchFamily::Lua:
        return kLua;
    case BranchFamily::None:
        break;
    }
    return {};
}

bool IsWordByte(char byte)
{
    return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
           (byte >= '0' && byte <= '9') || byte == '_' || byte == '$';
}

bool At(std::string_view line, std::size_t at, std::string_view text)
{
    return !text.empty() && line.substr(at).starts_with(text);
}

// Python's three quotes of the quote byte.
std::string_view Triple(char quote)
{
    return quote == '"' ? R"(""")" : "'''";
}

}  // namespace

BranchFamily BranchFamilyOf(std::int32_t lang)
{
    const WideLanguage* language = GetWideLanguage(lang);
    if (language == nullptr) {
        return BranchFamily::None;
    }
    const auto row = std::find_if(std::begin(kFamilies), std::end(kFamilies),
                                  [&](const FamilyRow& r) { return r.language == language->name; });
    return row == std::end(kFamilies) ? BranchFamily::None : row->family;
}

BranchCounter::BranchCounter(const WideSyntax& syntax, BranchFamily family, bool trackBlocks)
    : m_syntax(syntax), m_family(family), m_trackBlocks(trackBlocks)
{}

std::uint32_t BranchCounter::Line(std::string_view line, bool code)
{
    if (!m_trackBlocks) {
        m_in = In::Code;
    }
    std::uint32_t count = 0;
    const bool counting = code && m_family != BranchFamily::None;
    for (std::size_t at = 0; at < line.size();) {
        at = m_in == In::Code ? Code(line, at, counting, count) : Skip(line, at);
    }
    // A string of `quotes` ends with its line.
    if (m_in == In::String && !m_spans) {
        m_in = In::Code;
    }
    return count;
}

std::size_t BranchCounter::Code(std::string_view line, std::size_t at, bool counting,
                                std::uint32_t& count)
{
    const bool shellWords = (m_syntax.rules & wide_rule::kShellWords) != 0;
    for (std::size_t i = at; i < line.size();) {
        const char byte = line[i];
        if (m_syntax.language.docstrings && (byte == '"' || byte == '\'') &&
            At(line, i, Triple(byte))) {
            m_in = In::Triple;
            m_quote = byte;
            return i + 3;
        }
        for (std::uint8_t pair = 0; pair < 2; ++pair) {
            if (At(line, i, m_syntax.open[pair])) {
                m_in = In::Block;
                m_pair = pair;
                m_depth = 1;
                return i + m_syntax.open[pair].size();
            }
        }
        const bool wordStart =
            i == 0 || std::string_view(" \t;&|()<>").find(line[i - 1]) != std::string_view::npos;
        for (const std::string_view single : m_syntax.single) {
            if (At(line, i, single) && (!shellWords || wordStart)) {
                return line.size();
            }
        }
        if (byte == '\'' && (m_syntax.rules & wide_rule::kRustLiterals) != 0) {
            // 'x' and '\n' are characters; a quote without its closing one is a lifetime.
            const std::size_t close = line.find('\'', i + 2);
            i = line[std::min(i + 1, line.size() - 1)] == '\\' ? std::min(close, line.size())
                : i + 2 < line.size() && line[i + 2] == '\''   ? i + 2
                                                               : i;
            ++i;
            continue;
        }
        const bool raw = m_syntax.rawQuotes.Has(byte);
        if (raw || m_syntax.quotes.Has(byte) || m_syntax.spanQuotes.Has(byte)) {
            m_in = In::String;
            m_quote = byte;
            m_raw = raw;
            m_spans = raw || m_syntax.spanQuotes.Has(byte);
            return i + 1;
        }
        if (IsWordByte(byte)) {
            std::size_t end = i;
            while (end < line.size() && IsWordByte(line[end])) {
                ++end;
            }
            count += counting && IsBranchWord(line.substr(i, end - i)) ? 1 : 0;
            i = end;
            continue;
        }
        const std::uint32_t operators = counting ? Operators(line, i) : 0;
        count += operators;
        i += operators != 0 && byte != '?' ? 2 : 1;
    }
    return line.size();
}

std::size_t BranchCounter::Skip(std::string_view line, std::size_t at)
{
    for (std::size_t i = at; i < line.size();) {
        if (m_in == In::Block) {
            if (At(line, i, m_syntax.close[m_pair])) {
                i += m_syntax.close[m_pair].size();
                if (--m_depth == 0) {
                    m_in = In::Code;
                    return i;
                }
            } else if (m_syntax.nests[m_pair] && At(line, i, m_syntax.open[m_pair])) {
                i += m_syntax.open[m_pair].size();
                ++m_depth;
            } else {
                ++i;
            }
            continue;
        }
        if (line[i] == '\\' && !m_raw) {
            i += 2;
            continue;
        }
        const std::string_view close =
            m_in == In::Triple ? Triple(m_quote) : std::string_view(&m_quote, 1);
        if (At(line, i, close)) {
            m_in = In::Code;
            return i + close.size();
        }
        ++i;
    }
    return line.size();
}

bool BranchCounter::IsBranchWord(std::string_view word) const
{
    const Words words = BranchWords(m_family);
    return std::find(words.begin(), words.end(), word) != words.end();
}

std::uint32_t BranchCounter::Operators(std::string_view line, std::size_t at) const
{
    const bool symbols = m_family == BranchFamily::CTernary || m_family == BranchFamily::C ||
                         m_family == BranchFamily::Ruby || m_family == BranchFamily::Shell;
    if (symbols && (At(line, at, "&&") || At(line, at, "||"))) {
        return 1;
    }
    if (m_family != BranchFamily::CTernary || line[at] != '?') {
        return 0;
    }
    const char next = at + 1 < line.size() ? line[at + 1] : ' ';
    const char before = at > 0 ? line[at - 1] : ' ';
    return std::string_view(".?:[").find(next) == std::string_view::npos && before != '?' ? 1 : 0;
}

}  // namespace PrjHelper
