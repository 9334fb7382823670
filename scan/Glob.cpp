#include "scan/Glob.h"

namespace lintally::scan {

namespace {

// Reads the set that begins after the '[' at text[at]; returns the position after its ']',
// or npos when it is not closed.
std::size_t ParseSet(std::string_view text, std::size_t at, bool& negated, std::string& ranges)
{
    negated = at < text.size() && (text[at] == '!' || text[at] == '^');
    if (negated) {
        ++at;
    }
    // A ']' right at the start is one of the set, not its end.
    bool first = true;
    while (at < text.size() && (first || text[at] != ']')) {
        first = false;
        char low = text[at++];
        if (low == '\\' && at < text.size()) {
            low = text[at++];
        }
        char high = low;
        if (at + 1 < text.size() && text[at] == '-' && text[at + 1] != ']') {
            high = text[at + 1];
            at += 2;
        }
        ranges.push_back(low);
        ranges.push_back(high);
    }
    return at < text.size() ? at + 1 : std::string_view::npos;
}

}  // namespace

bool Glob::Parse(std::string_view text, std::string& error)
{
    m_tokens.clear();
    std::size_t at = 0;
    while (at < text.size()) {
        const char c = text[at++];
        if (c == '*') {
            if (at < text.size() && text[at] == '*') {
                ++at;
                const bool folders = at < text.size() && text[at] == '/';
                m_tokens.push_back(Token{folders ? Kind::AnyFolders : Kind::AnyRun});
                at += folders ? 1 : 0;
            } else {
                m_tokens.push_back(Token{Kind::Star});
            }
        } else if (c == '?') {
            m_tokens.push_back(Token{Kind::AnyChar});
        } else if (c == '[') {
            Token token{Kind::Set};
            at = ParseSet(text, at, token.negated, token.set);
            if (at == std::string_view::npos) {
                error = "'[' without its ']' in the pattern " + std::string(text);
                return false;
            }
            m_tokens.push_back(std::move(token));
        } else if (c == '\\') {
            if (at == text.size()) {
                error = "'\\' at the end of the pattern " + std::string(text);
                return false;
            }
            m_tokens.push_back(Token{Kind::Literal, text[at++]});
        } else {
            m_tokens.push_back(Token{Kind::Literal, c});
        }
    }
    return true;
}

bool Glob::TokenTakes(const Token& token, char c) const
{
    switch (token.kind) {
    case Kind::Literal:
        return c == token.literal;
    case Kind::AnyChar:
        return c != '/';
    case Kind::Set: {
        if (c == '/') {
            return false;
        }
        bool in = false;
        const auto u = static_cast<unsigned char>(c);
        for (std::size_t i = 0; i + 1 < token.set.size() && !in; i += 2) {
            in = static_cast<unsigned char>(token.set[i]) <= u &&
                 u <= static_cast<unsigned char>(token.set[i + 1]);
        }
        return in != token.negated;
    }
    default:
        return false;
    }
}

bool Glob::Matches(std::string_view text) const
{
    // next[j]: the tokens after the current one match text from j on. Built from the last
    // token back, so the time is tokens times characters whatever the stars, never
    // exponential.
    const std::size_t n = text.size();
    std::vector<char> next(n + 1, 0);
    std::vector<char> here(n + 1, 0);
    next[n] = 1;
    for (std::size_t t = m_tokens.size(); t-- > 0;) {
        const Token& token = m_tokens[t];
        // For AnyFolders: some '/' at or after j is followed by a match of the rest.
        bool slashAhead = false;
        for (std::size_t j = n + 1; j-- > 0;) {
            switch (token.kind) {
            case Kind::Star:
                here[j] = next[j] || (j < n && text[j] != '/' && here[j + 1]);
                break;
            case Kind::AnyRun:
                here[j] = next[j] || (j < n && here[j + 1]);
                break;
            case Kind::AnyFolders:
                slashAhead = slashAhead || (j < n && text[j] == '/' && next[j + 1]);
                here[j] = next[j] || slashAhead;
                break;
            default:
                here[j] = j < n && TokenTakes(token, text[j]) && next[j + 1];
                break;
            }
        }
        next.swap(here);
    }
    return next[0] != 0;
}

}  // namespace lintally::scan
