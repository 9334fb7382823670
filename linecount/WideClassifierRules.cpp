#include "linecount/WideClassifierRules.h"

#include <algorithm>
#include <array>

namespace PrjHelper::wide_rules {

namespace {

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

bool IsUpperStart(char c)
{
    return (c >= 'A' && c <= 'Z') || c == '_';
}

bool IsWordStart(char c)
{
    return IsUpperStart(c) || (c >= 'a' && c <= 'z');
}

// The word that ends before, and whether before holds it whole.
std::string_view LastWord(std::string_view before, bool& whole)
{
    std::size_t from = before.size();
    while (from > 0 && IsWordByte(before[from - 1]))
        --from;
    whole = from > 0 || before.size() < kContext;
    return before.substr(from);
}

// Words after which an operand, not an operator, comes next.
bool IsOperandKeyword(std::string_view word, std::uint16_t rules)
{
    static constexpr std::string_view kJs[] = {"await", "case",       "delete", "do",   "else",
                                               "in",    "instanceof", "new",    "of",   "return",
                                               "throw", "typeof",     "void",   "yield"};
    static constexpr std::string_view kRuby[] = {"and",    "case",  "elsif", "if",
                                                 "in",     "not",   "or",    "return",
                                                 "unless", "until", "when",  "while"};
    const bool ruby = (rules & wide_rule::kSpacedArguments) != 0;
    const std::string_view* from = ruby ? std::begin(kRuby) : std::begin(kJs);
    const std::string_view* to = ruby ? std::end(kRuby) : std::end(kJs);
    return std::find(from, to, word) != to;
}

// The tag of a heredoc from at: an identifier, or a quoted or (shell) backslashed word.
std::size_t TagAt(const char* at, const char* end, bool bareLowercase, std::string_view& tag)
{
    if (at < end && (*at == '\'' || *at == '"' || *at == '`')) {
        const char* close = std::find(at + 1, end, *at);
        if (close == end || close == at + 1 || static_cast<std::size_t>(close - at - 1) > kTagMax)
            return 0;
        tag = std::string_view(at + 1, static_cast<std::size_t>(close - at - 1));
        return tag.find('\n') == std::string_view::npos ? tag.size() + 2 : 0;
    }
    const char* word = at < end && *at == '\\' ? at + 1 : at;
    if (word == end || !((bareLowercase || word != at) ? IsWordStart(*word) : IsUpperStart(*word)))
        return 0;
    const char* stop = std::find_if_not(word, end, IsWordByte);
    if (static_cast<std::size_t>(stop - word) > kTagMax)
        return 0;
    tag = std::string_view(word, static_cast<std::size_t>(stop - word));
    return static_cast<std::size_t>(stop - at);
}

}  // namespace

bool IsWordByte(char c)
{
    return IsWordStart(c) || (c >= '0' && c <= '9') || c == '$';
}

bool LiteralMayStart(std::string_view before, char after, std::uint16_t rules)
{
    std::size_t last = before.size();
    while (last > 0 && IsSpace(before[last - 1]))
        --last;
    if (last == 0)
        return true;
    const char c = before[last - 1];
    if (c == ')' || c == ']' || c == '}' || c == '.' || c == '"' || c == '\'' || c == '`')
        return false;
    if (!IsWordByte(c))
        return true;
    bool whole = false;
    const std::string_view word = LastWord(before.substr(0, last), whole);
    if (whole && IsOperandKeyword(word, rules))
        return true;
    // Ruby reads "puts /x/" as a call with a literal, "a / b" as a division.
    return (rules & wide_rule::kSpacedArguments) != 0 && last < before.size() && !IsSpace(after) &&
           after != '=';
}

const char* RegexEnd(const char* at, const char* end, bool& inClass)
{
    for (; at < end && *at != '\n'; ++at) {
        if (*at == '\\') {
            if (at + 1 == end)
                return at;
            if (at[1] != '\n')
                ++at;
        } else if (*at == '[') {
            inClass = true;
        } else if (*at == ']') {
            inClass = false;
        } else if (*at == '/' && !inClass) {
            return at;
        }
    }
    return at;
}

std::size_t CharLiteralSize(const char* at, const char* end)
{
    if (end - at < 3)
        return 0;
    if (at[1] == '\\') {
        // '\n', '\'', '\x7f', '\u{10ffff}'
        const char* limit = std::min(end, at + 13);
        for (const char* close = at + 3; close < limit; ++close) {
            if (*close == '\'')
                return static_cast<std::size_t>(close - at + 1);
            if (*close == '\n')
                return 0;
        }
        return 0;
    }
    // One character of one to four bytes, then the quote. Its bytes after the first must be
    // UTF-8 continuation bytes, so a literal never takes in a line's end.
    const auto lead = static_cast<unsigned char>(at[1]);
    const std::size_t bytes = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if (at[1] == '\'' || at[1] == '\n' || static_cast<std::size_t>(end - at) < bytes + 2)
        return 0;
    for (std::size_t i = 2; i <= bytes; ++i) {
        if ((static_cast<unsigned char>(at[i]) & 0xC0) != 0x80)
            return 0;
    }
    return at[1 + bytes] == '\'' ? bytes + 2 : 0;
}

int RawStringHashes(std::string_view before)
{
    std::size_t r = before.size();
    while (r > 0 && before[r - 1] == '#')
        --r;
    const std::size_t hashes = before.size() - r;
    if (r == 0 || before[r - 1] != 'r' || hashes > kRawHashesMax)
        return -1;
    // r"", br"", cr"": the prefix stands as a word of its own.
    std::size_t start = r - 1;
    if (start > 0 && (before[start - 1] == 'b' || before[start - 1] == 'c'))
        --start;
    if (start > 0 && IsWordByte(before[start - 1]))
        return -1;
    if (start == 0 && before.size() >= kContext)
        return -1;
    return static_cast<int>(hashes);
}

bool ClosesRawString(const char* at, const char* end, std::uint32_t hashes)
{
    if (*at != '"' || static_cast<std::size_t>(end - at) < hashes + 1)
        return false;
    return std::all_of(at + 1, at + 1 + hashes, [](char c) { return c == '#'; });
}

Heredoc HeredocAt(const char* at, const char* end, std::string_view before, std::uint16_t rules)
{
    if (end - at < 3 || at[0] != '<' || at[1] != '<')
        return {};
    const bool shell = (rules & wide_rule::kShellHeredocs) != 0;
    const bool perl = (rules & wide_rule::kPerlHeredocs) != 0;
    const char previous = before.empty() ? ' ' : before.back();
    // "<<<" is a here-string; "a<<B" a shift.
    if (at[2] == '<' || previous == '<' || (!shell && (IsWordByte(previous) || previous == ')')))
        return {};
    Heredoc heredoc;
    const char* tag = at + 2;
    if (*tag == '-' || (!shell && *tag == '~')) {
        heredoc.indented = true;
        ++tag;
    }
    // The shell allows white space before any tag, Perl before a quoted one.
    const char* spaced = tag;
    while (spaced < end && (*spaced == ' ' || *spaced == '\t'))
        ++spaced;
    if (spaced != tag && !(shell || (perl && !heredoc.indented && spaced < end &&
                                     (*spaced == '"' || *spaced == '\''))))
        return {};
    const std::size_t size = TagAt(spaced, end, shell || heredoc.indented, heredoc.tag);
    if (size == 0)
        return {};
    heredoc.size = static_cast<std::size_t>(spaced - at) + size;
    return heredoc;
}

PercentLiteral PercentAt(const char* at, const char* end, std::string_view before)
{
    static constexpr std::string_view kTypes = "qQwWiIrsx";
    static constexpr std::string_view kOpens = "([{<", kCloses = ")]}>";
    if (end - at < 2)
        return {};
    const bool typed = end - at >= 3 && kTypes.find(at[1]) != std::string_view::npos;
    const char delimiter = typed ? at[2] : at[1];
    const bool bracket = kOpens.find(delimiter) != std::string_view::npos;
    // Untyped, only a bracket or '|' after an operator opens one: "x % y", "100%)" divide.
    if (IsWordByte(delimiter) || IsSpace(delimiter) || delimiter == '\n' || delimiter == '=' ||
        (!typed && !(bracket || delimiter == '|')))
        return {};
    if (!LiteralMayStart(before, at[1], wide_rule::kSpacedArguments))
        return {};
    const char close = bracket ? kCloses[kOpens.find(delimiter)] : delimiter;
    return {typed ? 3u : 2u, bracket ? delimiter : close, close};
}

bool InRubyCharOrSymbol(std::string_view before, char byte)
{
    if (before.empty())
        return false;
    const char before1 = before.size() >= 2 ? before[before.size() - 2] : ' ';
    if (before.back() == '?')
        return IsSpace(before1) || before1 == '(' || before1 == ',' || before1 == '[' ||
               before1 == '=';
    return before.back() == ':' && before1 != ':' && (byte == '/' || byte == '%' || byte == '<');
}

bool StartsShellComment(std::string_view before)
{
    if (before.empty())
        return true;
    const char c = before.back();
    return IsSpace(c) || c == ';' || c == '&' || c == '|' || c == '(' || c == ')' || c == '<' ||
           c == '>';
}

std::size_t StringPrefixSize(const char* at, const char* end, bool& quoted)
{
    static constexpr std::string_view kPrefix = "rRuUbBfF";
    std::size_t size = 0;
    while (size < 2 && at + size < end && kPrefix.find(at[size]) != std::string_view::npos)
        ++size;
    quoted = at + size < end && (at[size] == '"' || at[size] == '\'');
    return quoted ? size : 0;
}

}  // namespace PrjHelper::wide_rules
