#include "linecount/WideClassifier.h"

#include <algorithm>
#include <cstring>

namespace PrjHelper {

namespace {

std::string_view Text(const char* text)
{
    return text == nullptr ? std::string_view() : std::string_view(text);
}

bool IsWhite(char c)
{
    constexpr std::uint64_t kWhite =
        1ULL << ' ' | 1ULL << '\t' | 1ULL << '\r' | 1ULL << '\f' | 1ULL << '\v';
    const auto byte = static_cast<unsigned char>(c);
    return byte <= ' ' && (kWhite >> byte & 1) != 0;
}

// The first byte from at on that is not white space, or end. Indents of spaces go eight at a
// time.
const char* FirstText(const char* at, const char* end)
{
    constexpr std::uint64_t kSpaces = 0x2020202020202020;
    for (std::uint64_t word = 0; end - at >= 8; at += 8) {
        std::memcpy(&word, at, sizeof word);
        if (word != kSpaces)
            break;
    }
    while (at < end && IsWhite(*at))
        ++at;
    return at;
}

bool IsLetter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool Matches(const char* at, const char* end, std::string_view marker)
{
    return !marker.empty() && static_cast<std::size_t>(end - at) >= marker.size() &&
           *at == marker[0] && std::memcmp(at + 1, marker.data() + 1, marker.size() - 1) == 0;
}

// A column-block marker stands as a word: "=head1" opens POD, "=begin" but not "=beginning"
// opens a Ruby block.
bool MatchesWord(const char* at, const char* end, std::string_view marker)
{
    if (!Matches(at, end, marker))
        return false;
    const bool next = at + marker.size() < end && IsLetter(at[marker.size()]);
    return IsLetter(marker.back()) ? !next : next;
}

// The word, then white space or the line's end.
bool IsLineWord(const char* at, const char* end, std::string_view word)
{
    return Matches(at, end, word) && (at + word.size() == end || IsWhite(at[word.size()]));
}

bool IsTripleQuote(const char* at, const char* end)
{
    return end - at >= 3 && (at[0] == '"' || at[0] == '\'') && at[1] == at[0] && at[2] == at[0];
}

// What a special byte of code state begins, in the order the rules try them: a long string
// (three quotes, with docstrings), a block of a pair, a line comment, a string (one that ends
// with its line at the latest, or one that may run on), or nothing: a '/' that divides is code
// like its neighbours.
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
    };
    What what = What::Nothing;
    std::uint8_t pair = 0;
};

Opening OpensInCode(const WideSyntax& syntax, const char* at, const char* end)
{
    using What = Opening::What;
    const WideLanguage& language = syntax.language;
    if (language.docstrings && IsTripleQuote(at, end))
        return {What::LongString};
    for (std::uint8_t pair = 0; pair < 2; ++pair) {
        if (Matches(at, end, syntax.open[pair]) && !syntax.close[pair].empty())
            return {What::Block, pair};
    }
    for (std::string_view marker : syntax.single) {
        if (Matches(at, end, marker))
            return {What::LineComment};
    }
    if (!syntax.quotes.Has(*at))
        return {What::Nothing};
    return {std::strchr(language.spanQuotes, *at) != nullptr ? What::SpanString : What::LineString};
}

bool HasText(const char* from, const char* to)
{
    return FirstText(from, to) != to;
}

}  // namespace

WideSyntax::WideSyntax(const WideLanguage& lang) : language(lang)
{
    for (int i = 0; i < 2; ++i) {
        single[i] = Text(lang.single[i]);
        open[i] = Text(lang.blocks[i].open);
        close[i] = Text(lang.blocks[i].close);
        nests[i] = lang.blocks[i].nests && open[i] != close[i];
        if (!close[i].empty()) {
            for (ByteSet* stops : {&blockStops[i], &blockLineStops[i]}) {
                stops->Add(close[i][0]);
                if (nests[i])
                    stops->Add(open[i][0]);
            }
        }
        for (std::string_view marker : {single[i], open[i]}) {
            if (!marker.empty())
                special.Add(marker[0]);
        }
    }
    columnOpen = Text(lang.columnBlock.open);
    columnClose = Text(lang.columnBlock.close);
    endOfCode[0] = Text(lang.endOfCode[0]);
    endOfCode[1] = Text(lang.endOfCode[1]);
    lineStartRules = !columnOpen.empty() || !endOfCode[0].empty() || !endOfCode[1].empty();
    for (std::string_view marker : {columnOpen, columnClose, endOfCode[0], endOfCode[1]}) {
        if (!marker.empty())
            lineStartBytes.Add(marker[0]);
    }
    for (std::string_view list : {Text(lang.quotes), Text(lang.spanQuotes)}) {
        for (char quote : list) {
            quotes.Add(quote);
            special.Add(quote);
        }
    }
    if (lang.docstrings) {
        special.Add('"');
        special.Add('\'');
    }
    codeLineStops = special;
    for (ByteSet* stops : {&codeLineStops, &blockLineStops[0], &blockLineStops[1], &lineEnd})
        stops->Add('\n');
}

LineKind ClassifyWideLine(const WideSyntax& syntax, bool trackBlocks, std::string_view line,
                          WideState& state)
{
    WideLineScanner scanner(syntax, trackBlocks, state);
    scanner.Add(line.data(), line.size());
    const LineKind kind = scanner.EndLine();
    state = scanner.State();
    return kind;
}

WideLineScanner::WideLineScanner(const WideSyntax& syntax, bool trackBlocks, const WideState& start)
    : m_syntax(syntax), m_trackBlocks(trackBlocks), m_state(start),
      m_lineStart(syntax.lineStartRules)
{}

void WideLineScanner::Add(const char* data, std::size_t size)
{
    if (m_carrySize > 0) {
        // The carried bytes need the next bytes to decide a marker that may begin in them.
        const std::size_t old = m_carrySize;
        const std::size_t take = std::min(size, sizeof m_carry - old);
        std::memcpy(m_carry + old, data, take);
        const std::size_t joined = old + take;
        if (take == size) {
            const std::size_t pos =
                Scan(m_carry, joined, joined >= kLookahead ? joined - kLookahead + 1 : 0);
            m_carrySize = joined - pos;
            std::memmove(m_carry, m_carry + pos, m_carrySize);
            return;
        }
        const std::size_t skip = Scan(m_carry, joined, old) - old;
        m_carrySize = 0;
        data += skip;
        size -= skip;
    }
    const std::size_t pos = Scan(data, size, size >= kLookahead ? size - kLookahead + 1 : 0);
    m_carrySize = size - pos;
    std::memcpy(m_carry, data + pos, m_carrySize);
}

const char* WideLineScanner::PlainLines(const char* at, const char* end, LineBreakdown& kinds) const
{
    const ByteSet* stops = nullptr;
    switch (m_state.in) {
    case WideState::In::Code:
        stops = &m_syntax.codeLineStops;
        break;
    case WideState::In::Block:
        stops = &m_syntax.blockLineStops[m_state.pair];
        break;
    case WideState::In::ColumnBlock:
    case WideState::In::EndOfCode:
        stops = &m_syntax.lineEnd;
        break;
    case WideState::In::Docstring:
    case WideState::In::String:
    case WideState::In::LongString:
        return at;
    }
    using What = Opening::What;
    const bool code = m_state.in == WideState::In::Code;
    std::uint64_t& textKind = code ? kinds.code : kinds.comment;
    while (at < end && !(m_lineStart && m_syntax.lineStartBytes.Has(*at))) {
        const char* segment = at;  // where text outside comments resumes
        bool hasText = false;      // text outside comments before segment: code in code state
        bool hasComment = false;
        const char* stop = stops->FindIn(at, end);
        while (stop != end && *stop != '\n') {
            // Anything but a stop byte that begins nothing, a line comment, a string or a
            // block that ends on this line needs the full rules, and so does a byte too near
            // end to tell.
            if (end - stop < static_cast<std::ptrdiff_t>(kLookahead))
                return at;
            if (!code) {
                if (ChangesDepth(stop, end))
                    return at;
                stop = stops->FindIn(stop + 1, end);
                continue;
            }
            const Opening opening = OpensInCode(m_syntax, stop, end);
            const char* next = stop + 1;  // where the search goes on
            switch (opening.what) {
            case What::Nothing:
                break;
            case What::LongString:
            case What::SpanString:
                return at;
            case What::Block: {
                const char* close =
                    m_syntax.nests[opening.pair]
                        ? nullptr
                        : BlockCloseOnLine(opening.pair, stop + m_syntax.open[opening.pair].size(),
                                           end);
                if (close == nullptr)
                    return at;
                hasText = hasText || HasText(segment, stop);
                hasComment = true;
                next = segment = close + m_syntax.close[opening.pair].size();
                break;
            }
            case What::LineComment: {
                hasText = hasText || HasText(segment, stop);
                hasComment = true;
                const void* lf = std::memchr(stop, '\n', static_cast<std::size_t>(end - stop));
                next = segment = lf == nullptr ? end : static_cast<const char*>(lf);
                break;
            }
            case What::LineString:
                // Its bytes are code and its markers none; a backslash makes the next byte text.
                while (next < end && *next != *stop && *next != '\n')
                    next += *next == '\\' && next + 1 < end && next[1] != '\n' ? 2 : 1;
                if (next < end && *next == *stop)
                    ++next;
                break;
            }
            stop = next == end || *next == '\n' ? next : stops->FindIn(next, end);
        }
        if (stop == end)
            return at;
        ++(hasText || HasText(segment, stop) ? textKind : hasComment ? kinds.comment : kinds.blank);
        at = stop + 1;
    }
    return at;
}

const char* WideLineScanner::BlockCloseOnLine(std::uint8_t pair, const char* at,
                                              const char* end) const
{
    const std::string_view close = m_syntax.close[pair];
    for (const char* stop = m_syntax.blockLineStops[pair].FindIn(at, end); stop != end;
         stop = m_syntax.blockLineStops[pair].FindIn(stop + 1, end)) {
        if (*stop == '\n' || end - stop < static_cast<std::ptrdiff_t>(kLookahead))
            return nullptr;
        if (Matches(stop, end, close))
            return stop;
    }
    return nullptr;
}

bool WideLineScanner::ChangesDepth(const char* at, const char* end) const
{
    return Matches(at, end, m_syntax.close[m_state.pair]) ||
           (m_syntax.nests[m_state.pair] && Matches(at, end, m_syntax.open[m_state.pair]));
}

LineKind WideLineScanner::EndLine(const char* data, std::size_t size)
{
    if (m_carrySize > 0) {
        Add(data, size);
        return EndLine();
    }
    // Without carried bytes the last piece is read to its end in place: the line's end is
    // the only lookahead it needs.
    Scan(data, size, size);
    return Finish();
}

LineKind WideLineScanner::EndLine()
{
    if (m_carrySize > 0) {
        Scan(m_carry, m_carrySize, m_carrySize);
        m_carrySize = 0;
    }
    return Finish();
}

LineKind WideLineScanner::Finish()
{
    const LineKind kind = !m_hasText  ? LineKind::Blank
                          : m_hasCode ? LineKind::Code
                                      : LineKind::Comment;
    if (m_state.in == WideState::In::String &&
        std::strchr(m_syntax.language.spanQuotes, m_state.quote) == nullptr)
        m_state = WideState();
    if (!m_trackBlocks)
        m_state = WideState();
    m_lineStart = m_syntax.lineStartRules;
    m_hasText = m_hasCode = m_restIsComment = false;
    return kind;
}

std::size_t WideLineScanner::Scan(const char* data, std::size_t size, std::size_t limit)
{
    std::size_t pos = 0;
    while (pos < limit)
        pos += Step(data + pos, data + size);
    return pos;
}

// Only a run's first text byte can change what the line holds, and once the line holds code
// (or text, for a comment run) nothing in the run can: the run is not read then.
void WideLineScanner::MarkRun(const char* from, const char* to, bool code)
{
    if (m_hasCode || (m_hasText && !code))
        return;
    if (FirstText(from, to) < to) {
        m_hasText = true;
        m_hasCode = m_hasCode || code;
    }
}

std::size_t WideLineScanner::Step(const char* at, const char* end)
{
    if (m_lineStart) {
        m_lineStart = false;
        if (const std::size_t used = StepLineStart(at, end); used > 0)
            return used;
    }
    if (m_restIsComment)
        return RestIsComment(at, end);
    switch (m_state.in) {
    case WideState::In::Code:
        return StepCode(at, end);
    case WideState::In::Block:
        return StepBlock(at, end);
    case WideState::In::Docstring:
    case WideState::In::String:
    case WideState::In::LongString:
        return StepQuoted(at, end);
    case WideState::In::ColumnBlock:
    case WideState::In::EndOfCode:
        break;
    }
    return RestIsComment(at, end);
}

// Column blocks are decided by the line's first bytes: 0 when they decide nothing.
std::size_t WideLineScanner::StepLineStart(const char* at, const char* end)
{
    if (m_state.in == WideState::In::ColumnBlock) {
        if (MatchesWord(at, end, m_syntax.columnClose))
            m_state = WideState();
        m_restIsComment = true;
        return RestIsComment(at, end);
    }
    if (m_state.in == WideState::In::EndOfCode) {
        m_restIsComment = true;
        return RestIsComment(at, end);
    }
    if (m_state.in == WideState::In::Code && (IsLineWord(at, end, m_syntax.endOfCode[0]) ||
                                              IsLineWord(at, end, m_syntax.endOfCode[1]))) {
        m_state.in = WideState::In::EndOfCode;
        m_restIsComment = true;
        return RestIsComment(at, end);
    }
    if (m_state.in == WideState::In::Code && MatchesWord(at, end, m_syntax.columnOpen)) {
        m_state.in = WideState::In::ColumnBlock;
        m_restIsComment = true;
        return RestIsComment(at, end);
    }
    return 0;
}

std::size_t WideLineScanner::RestIsComment(const char* at, const char* end)
{
    MarkRun(at, end, false);
    return static_cast<std::size_t>(end - at);
}

std::size_t WideLineScanner::StepCode(const char* at, const char* end)
{
    const WideSyntax& syntax = m_syntax;
    if (syntax.language.docstrings && !m_hasText && !IsWhite(*at)) {
        const bool prefixed = std::strchr("rRuUbBfF", *at) != nullptr;
        const char* quotes = prefixed ? at + 1 : at;
        if (IsTripleQuote(quotes, end)) {
            m_state = WideState{WideState::In::Docstring, 0, 0, *quotes};
            m_hasText = true;
            return static_cast<std::size_t>(quotes + 3 - at);
        }
    }
    const char* run = syntax.special.FindIn(at, end);
    if (run > at) {
        // A docstring's prefix letter is decided above: the run stops at the line's first text.
        if (syntax.language.docstrings && !m_hasText)
            run = std::find_if_not(at + 1, run, IsWhite);
        MarkRun(at, run, true);
        return static_cast<std::size_t>(run - at);
    }

    using What = Opening::What;
    const Opening opening = OpensInCode(syntax, at, end);
    switch (opening.what) {
    case What::LongString:
        m_state = WideState{WideState::In::LongString, 0, 0, *at};
        m_hasText = m_hasCode = true;
        return 3;
    case What::Block:
        m_state = WideState{WideState::In::Block, opening.pair, 1, 0};
        m_hasText = true;
        return syntax.open[opening.pair].size();
    case What::LineComment:
        m_hasText = true;
        m_restIsComment = true;
        return RestIsComment(at, end);
    case What::LineString:
    case What::SpanString:
        m_state = WideState{WideState::In::String, 0, 0, *at};
        break;
    case What::Nothing:
        break;
    }
    m_hasText = m_hasCode = true;
    return 1;
}

std::size_t WideLineScanner::StepBlock(const char* at, const char* end)
{
    const std::string_view open = m_syntax.open[m_state.pair];
    const std::string_view close = m_syntax.close[m_state.pair];
    if (Matches(at, end, close)) {
        m_hasText = true;
        if (--m_state.depth == 0)
            m_state = WideState();
        return close.size();
    }
    if (m_syntax.nests[m_state.pair] && Matches(at, end, open)) {
        m_hasText = true;
        ++m_state.depth;
        return open.size();
    }
    // Only a close marker, or an open marker of a nesting pair, changes the depth.
    const char* run = m_syntax.blockStops[m_state.pair].FindIn(at + 1, end);
    MarkRun(at, run, false);
    return static_cast<std::size_t>(run - at);
}

// Strings, long strings and docstrings: only their closing quotes and backslashes matter.
std::size_t WideLineScanner::StepQuoted(const char* at, const char* end)
{
    const bool code = m_state.in != WideState::In::Docstring;
    const bool triple = m_state.in != WideState::In::String;
    if (*at == '\\') {
        const char* next = std::min(at + 2, end);
        MarkRun(at, next, code);
        return static_cast<std::size_t>(next - at);
    }
    if (*at == m_state.quote && (!triple || IsTripleQuote(at, end))) {
        MarkRun(at, at + 1, code);
        m_state = WideState();
        return triple ? 3 : 1;
    }
    const char* run = at + 1;
    while (run < end && *run != '\\' && *run != m_state.quote)
        ++run;
    MarkRun(at, run, code);
    return static_cast<std::size_t>(run - at);
}

}  // namespace PrjHelper
