#include "linecount/WideClassifierOpening.h"

#include <algorithm>

namespace PrjHelper::wide_scan {

Opening OpensByRule(const WideSyntax& syntax, const char* at, const char* end,
                    std::string_view before)
{
    using What = Opening::What;
    const std::uint16_t rules = syntax.rules;
    const char next = end - at >= 2 ? at[1] : '\n';
    if ((rules & wide_rule::kSpacedArguments) != 0 && wide_rules::InRubyCharOrSymbol(before, *at))
        return {What::Nothing};
    switch (*at) {
    case '/':
        if ((rules & wide_rule::kRegex) != 0 && wide_rules::LiteralMayStart(before, next, rules))
            return {What::Regex};
        break;
    case '%':
        if ((rules & wide_rule::kPercentLiterals) != 0) {
            if (const auto percent = wide_rules::PercentAt(at, end, before); percent.size > 0)
                return {.what = What::Percent, .size = percent.size, .percent = percent};
        }
        break;
    case '<':
        if ((rules & kHeredocRules) != 0) {
            if (const auto heredoc = wide_rules::HeredocAt(at, end, before, rules);
                heredoc.size > 0)
                return {.what = What::Heredoc, .size = heredoc.size, .heredoc = heredoc};
        }
        break;
    case '\\':
        if ((rules & wide_rule::kShellWords) != 0)
            return {.what = What::Literal, .size = next == '\n' ? 1u : 2u};
        break;
    case '\'':
        if ((rules & wide_rule::kRustLiterals) != 0) {
            const std::size_t size = wide_rules::CharLiteralSize(at, end);
            return {.what = size > 0 ? What::Literal : What::Nothing,
                    .size = std::max<std::size_t>(size, 1)};
        }
        break;
    case '"':
        if ((rules & wide_rule::kRustLiterals) != 0) {
            if (const int hashes = wide_rules::RawStringHashes(before); hashes >= 0)
                return {.what = What::RawString, .hashes = static_cast<std::uint32_t>(hashes)};
        }
        break;
    default:
        break;
    }
    // Ruby's $' and $" are variables.
    if ((rules & wide_rule::kSpacedArguments) != 0 && !before.empty() && before.back() == '$' &&
        syntax.quotes.Has(*at))
        return {What::Nothing};
    return OpensString(syntax, *at, before);
}

// Where a string opened at open (its quote byte) ends on the line: past its close, or null
// when it runs on past the line, holds a template expression or comes too near end to tell.
const char* StringEndOnLine(const WideSyntax& syntax, const char* open, const char* end, bool raw,
                            std::uint32_t hashes)
{
    const bool templates = syntax.templateQuote != 0 && *open == syntax.templateQuote;
    for (const char* at = open + 1;
         end - at >= static_cast<std::ptrdiff_t>(WideLineScanner::kLookahead); ++at) {
        if (*at == '\n')
            return nullptr;
        if (*at == '\\' && !raw) {
            if (at[1] == '\n')
                return nullptr;
            ++at;
        } else if (templates && *at == '$' && at[1] == syntax.templateOpen)
            return nullptr;
        else if (*at == *open && (hashes == 0 || wide_rules::ClosesRawString(at, end, hashes)))
            return at + 1 + hashes;
    }
    return nullptr;
}

bool OpensStringStatement(const char* line, const char* quote, const char* end)
{
    if (*quote != '"' && *quote != '\'')
        return false;
    const char* first = FirstText(line, quote);
    if (first == quote)
        return true;
    // A prefix has at most two letters: most first texts are longer, a name before " = ".
    bool quoted = false;
    return quote - first <= 2 &&
           wide_rules::StringPrefixSize(first, end, quoted) ==
               static_cast<std::size_t>(quote - first) &&
           quoted;
}

}  // namespace PrjHelper::wide_scan
