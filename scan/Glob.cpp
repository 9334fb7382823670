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

// Runs of stars are one token: "*" after "**", "**" after "*" or "**/", and "**/" after "**"
// or "**/" match the same texts as the run's widest star alone.
void Glob::Push(Token token)
{
    const bool star =
        token.kind == Kind::Star || token.kind == Kind::AnyRun || token.kind == Kind::AnyFolders;
    if (star && !m_tokens.empty()) {
        const Kind before = m_tokens.back().kind;
        const Kind now = token.kind;
        if (before == Kind::AnyRun && now != Kind::AnyRun) {
            return;
        }
        if ((before == Kind::Star && now == Kind::Star) ||
            (before == Kind::AnyFolders && now == Kind::AnyFolders)) {
            return;
        }
        if (now == Kind::AnyRun && (before == Kind::Star || before == Kind::AnyFolders)) {
            m_tokens.back().kind = Kind::AnyRun;
            return;
        }
    }
    m_fixed += star ? 0 : 1;
    m_literal = m_literal && token.kind == Kind::Literal;
    m_folders = m_folders || token.kind == Kind::AnyRun || token.kind == Kind::AnyFolders;
    if (token.kind == Kind::Literal) {
        m_text.push_back(token.literal);
    }
    m_tokens.push_back(std::move(token));
}

bool Glob::Parse(std::string_view text, std::string& error)
{
    m_tokens.clear();
    m_fixed = 0;
    m_literal = true;
    m_folders = false;
    m_text.clear();
    std::size_t at = 0;
    while (at < text.size()) {
        const char c = text[at++];
        if (c == '*') {
            if (at < text.size() && text[at] == '*') {
                ++at;
                const bool folders = at < text.size() && text[at] == '/';
                Push(Token{folders ? Kind::AnyFolders : Kind::AnyRun});
                at += folders ? 1 : 0;
            } else {
                Push(Token{Kind::Star});
            }
        } else if (c == '?') {
            Push(Token{Kind::AnyChar});
        } else if (c == '[') {
            Token token{Kind::Set};
            at = ParseSet(text, at, token.negated, token.set);
            if (at == std::string_view::npos) {
                error = "'[' without its ']' in the pattern " + std::string(text);
                return false;
            }
            Push(std::move(token));
        } else if (c == '\\') {
            if (at == text.size()) {
                error = "'\\' at the end of the pattern " + std::string(text);
                return false;
            }
            Push(Token{Kind::Literal, text[at++]});
        } else {
            Push(Token{Kind::Literal, c});
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

bool Glob::PieceAt(std::size_t first, std::size_t last, std::string_view text, std::size_t at) const
{
    if (at + (last - first) > text.size()) {
        return false;
    }
    for (std::size_t t = first; t < last; ++t, ++at) {
        if (!TokenTakes(m_tokens[t], text[at])) {
            return false;
        }
    }
    return true;
}

bool Glob::Matches(std::string_view text) const
{
    if (text.size() < m_fixed) {
        return false;
    }
    if (m_literal) {
        return text == m_text;
    }
    return m_folders ? MatchesAny(text) : MatchesStars(text);
}

// Stars that stay within a part: the pieces between them are found left to right, each at
// its first place. A later place would only leave the stars around it more to take, and a
// '/' between two pieces, which no star takes, stays in the way of every later place too.
bool Glob::MatchesStars(std::string_view text) const
{
    const std::size_t count = m_tokens.size();
    std::size_t t = 0;
    while (t < count && m_tokens[t].kind != Kind::Star) {
        ++t;
    }
    if (t == count) {
        return text.size() == count && PieceAt(0, count, text, 0);
    }
    if (!PieceAt(0, t, text, 0)) {
        return false;
    }
    // The last piece is held to the end of the text.
    std::size_t lastStar = count;
    while (m_tokens[lastStar - 1].kind != Kind::Star) {
        --lastStar;
    }
    const std::size_t tail = count - lastStar;
    if (t + tail > text.size() || !PieceAt(lastStar, count, text, text.size() - tail)) {
        return false;
    }
    const std::size_t end = text.size() - tail;
    std::size_t at = t;
    while (t + 1 < lastStar) {
        const std::size_t first = t + 1;
        std::size_t last = first;
        while (m_tokens[last].kind != Kind::Star) {
            ++last;
        }
        if (first < last) {
            while (at + (last - first) <= end && !PieceAt(first, last, text, at)) {
                if (text[at++] == '/') {
                    return false;
                }
            }
            if (at + (last - first) > end) {
                return false;
            }
            at += last - first;
        }
        t = last;
    }
    return text.substr(at, end - at).find('/') == std::string_view::npos;
}

bool Glob::MatchesAny(std::string_view text) const
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
