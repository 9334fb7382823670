#include <algorithm>
#include <cstring>

#include "linecount/ShortSearch.h"
#include "linecount/WideClassifier.h"
#include "linecount/WideClassifierOpening.h"

// The one-pass reading of plain lines: PlainLines and what it asks.
namespace PrjHelper {

using namespace wide_scan;

const char* WideLineScanner::PlainLines(const char* at, const char* end, LineBreakdown& kinds)
{
    using In = WideState::In;
    // Each reader stops where a line needs the full rules, or after a line that opens or
    // closes a long string or docstring: then the other reader goes on.
    for (;;) {
        const bool body = m_state.in == In::LongString || m_state.in == In::Docstring ||
                          m_state.in == In::Heredoc;
        const char* from = at;
        at = body ? PlainBodyLines(at, end, kinds) : PlainCodeLines(at, end, kinds);
        const bool bodyNow = m_state.in == In::LongString || m_state.in == In::Docstring ||
                             m_state.in == In::Heredoc;
        if (at == from || at == end || body == bodyNow)
            return at;
    }
}

const char* WideLineScanner::PlainCodeLines(const char* at, const char* end, LineBreakdown& kinds)
{
    using In = WideState::In;
    switch (m_state.in) {
    case In::Code:
    case In::Block:
    case In::ColumnBlock:
    case In::EndOfCode:
        break;
    default:
        return at;
    }
    if (m_state.templates > 0 || m_state.continued)
        return at;
    const bool docstrings = m_syntax.language.docstrings;
    // With blocks tracked, a block that opens or closes within a line switches between the
    // code and block searches without the full rules. A line left to the full rules must find
    // the state as the line began: the state before the first change on a line is kept.
    In in = m_state.in;
    std::uint8_t pair = m_state.pair;
    std::uint32_t depth = m_state.depth;
    const char* changedOn = nullptr;  // the start of the last line on which the state changed
    In inBefore = in;
    std::uint8_t pairBefore = pair;
    std::uint32_t depthBefore = depth;
    const auto change = [&](const char* line, In newIn, std::uint8_t newPair,
                            std::uint32_t newDepth) {
        if (changedOn != line) {
            changedOn = line;
            inBefore = in;
            pairBefore = pair;
            depthBefore = depth;
        }
        in = newIn;
        pair = newPair;
        depth = newDepth;
    };
    const auto leave = [&](const char* line) {
        if (changedOn == line) {
            in = inBefore;
            pair = pairBefore;
            depth = depthBefore;
        }
        m_state.in = in;
        m_state.pair = pair;
        m_state.depth = depth;
        return line;
    };
    const auto stopsOf = [this, &pair](In state) -> const ByteSet& {
        return state == In::Code    ? m_syntax.codeLineStops
               : state == In::Block ? m_syntax.blockLineStops[pair]
                                    : m_syntax.lineEnd;
    };
    ByteSet::Cursor stops(stopsOf(in), at, end);
    while (at < end && !(m_lineStart && m_syntax.lineStartBytes.Has(*at))) {
        const char* segment = at;  // where text of the line's present state resumes
        bool hasCode = false;      // code before segment
        bool hasComment = false;   // a comment on the line
        std::uint16_t brackets = m_state.brackets;
        const char* codeFrom = at;  // where bytes outside strings and comments resume
        const char* stop = stops.FindIn(at);
        while (stop != end && *stop != '\n') {
            // Anything but a stop byte that begins nothing, a line comment, a string or a
            // block needs the full rules, and so does a byte too near end to tell: one whose
            // line does not end before end (the rules look no further than a line's end).
            if (end - stop < static_cast<std::ptrdiff_t>(kLookahead) &&
                std::memchr(stop, '\n', static_cast<std::size_t>(end - stop)) == nullptr)
                return leave(at);
            if (in != In::Code) {
                // Only a block's close marker, or its open marker where blocks nest, is a
                // stop here.
                if (Matches(stop, end, m_syntax.close[pair])) {
                    stop += m_syntax.close[pair].size();
                    if (depth == 1) {
                        change(at, In::Code, 0, 0);
                        stops.Use(stopsOf(in));
                        hasComment = true;
                        segment = codeFrom = stop;
                    } else {
                        change(at, in, pair, depth - 1);
                    }
                } else if (m_syntax.nests[pair] && Matches(stop, end, m_syntax.open[pair])) {
                    stop += m_syntax.open[pair].size();
                    change(at, in, pair, depth + 1);
                } else {
                    ++stop;
                }
                stop = stops.FindIn(stop);
                continue;
            }
            // A '<' that begins no "<<" is a comparison where only heredocs begin with it.
            if (m_syntax.lessOpensOnlyHeredocs && *stop == '<' && stop[1] != '<') {
                stop = stops.FindIn(stop + 1);
                continue;
            }
            if (hasComment && m_syntax.needsContext)
                return leave(at);
            if (docstrings) {
                wide_rules::CountBrackets(codeFrom, stop, end, brackets);
                // Only the line's first stop may be its first text. A docstring of three
                // quotes that is all the line holds is read here; other string statements
                // need the full rules.
                if (m_state.brackets == 0 && codeFrom == at &&
                    OpensStringStatement(at, stop, end)) {
                    const DocstringLine docstring =
                        m_trackBlocks ? DocstringAt(stop, end) : DocstringLine{};
                    if (docstring.lf == nullptr)
                        return leave(at);
                    if (docstring.runsOn) {
                        ++kinds.comment;
                        leave(docstring.lf + 1);
                        m_state.in = In::Docstring;
                        m_state.quote = *stop;
                        m_state.single = false;
                        return docstring.lf + 1;
                    }
                    // The line ends here, a comment line.
                    segment = codeFrom = stop = docstring.lf;
                    hasComment = true;
                    continue;
                }
            }
            const char* context = std::max(at, stop - wide_rules::kContext);
            PlainLine line{segment, hasCode, hasComment};
            const char* next =
                PlainOpening(stop, end, {context, static_cast<std::size_t>(stop - context)}, line);
            if (next == nullptr) {
                if (line.runsOn < 0 || !m_trackBlocks)
                    return leave(at);
                hasCode = hasCode || HasText(segment, stop);
                hasComment = true;
                change(at, In::Block, static_cast<std::uint8_t>(line.runsOn), 1);
                stops.Use(stopsOf(in));
                stop = stops.FindIn(stop + m_syntax.open[pair].size());
                continue;
            }
            segment = line.segment;
            hasCode = line.hasText;
            hasComment = line.hasComment;
            codeFrom = next;
            stop = next == end || *next == '\n' ? next : stops.FindIn(next);
        }
        if (stop == end)
            return leave(at);
        if (docstrings && in == In::Code) {
            wide_rules::CountBrackets(codeFrom, stop, end, brackets);
            if (EndsEscaped(codeFrom, stop))
                return leave(at);
            if (m_trackBlocks)
                m_state.brackets = brackets;
        }
        if (hasCode) {
            ++kinds.code;
        } else {
            const bool text = HasText(segment, stop);
            ++(in == In::Code && text ? kinds.code
               : hasComment || text   ? kinds.comment
                                      : kinds.blank);
        }
        at = stop + 1;
    }
    return leave(at);
}

const char* WideLineScanner::PlainBodyLines(const char* at, const char* end, LineBreakdown& kinds)
{
    using In = WideState::In;
    const bool heredoc = m_state.in == In::Heredoc;
    // A one-quote docstring ends with its line; a string of another quote byte is not one of
    // these.
    if ((m_state.in == In::Docstring && m_state.single) || m_state.templates > 0 ||
        (!heredoc && m_state.quote != '"' && m_state.quote != '\''))
        return at;
    const ByteSet& stops =
        heredoc ? m_syntax.lineEnd : m_syntax.longStringLineStops[m_state.quote == '"' ? 0 : 1];
    std::uint64_t& textKind = m_state.in == In::Docstring ? kinds.comment : kinds.code;
    ByteSet::Cursor stopsFrom(stops, at, end);
    while (at < end && !(m_lineStart && m_syntax.lineStartBytes.Has(*at))) {
        const char* lf = stopsFrom.FindIn(at);
        if (lf == end)
            return at;
        if (*lf != '\n') {
            // A line that holds only the three quotes that close a long string or docstring
            // ends it here; other quotes need the full rules.
            if (heredoc || m_state.open != 0 || m_state.depth != 0 || FirstText(at, lf) != lf ||
                !IsTripleQuote(lf, end))
                return at;
            const char* after = SkipWhite(lf + 3, end);
            if (after == end || *after != '\n')
                return at;
            ++textKind;
            Resume();
            return after + 1;
        }
        const char* text = FirstText(at, lf);
        // A line that may be the heredoc's close tag (white space before it where the
        // heredoc allows it) needs the full rules.
        if (heredoc &&
            (m_state.tagSize == 0 || *(m_state.heredocIndented ? text : at) == m_state.tag[0]))
            return at;
        ++(text != lf ? textKind : kinds.blank);
        at = lf + 1;
    }
    return at;
}

namespace {

// Where a string of `quotes` opened at open ends on the line: past its close quote, at the
// line's end (or end), or null when a backslash carries it on to the next line.
const char* LineStringEnd(const char* open, const char* end)
{
    // Its bytes are code and its markers none; a backslash makes the next byte text.
    const char quote = *open;
    const char* next = FindFirstOf(open + 1, end, quote, '\\', '\n');
    while (next < end && *next != quote && *next != '\n') {
        next += next + 1 < end && next[1] != '\n' ? 2 : 1;
        next = FindFirstOf(next, end, quote, '\\', '\n');
    }
    if (next < end && *next == quote)
        return next + 1;
    return EndsEscaped(open + 1, next) ? nullptr : next;
}

// PlainOpening for what a rule of the language or a quote that may run on opens: where the
// search goes on, or null.
const char* RuleOpeningEnd(const WideSyntax& syntax, const Opening& opening, const char* stop,
                           const char* end)
{
    using What = Opening::What;
    switch (opening.what) {
    case What::SpanString:
    case What::RawString:
        return StringEndOnLine(syntax, stop, end, opening.what == What::RawString, opening.hashes);
    case What::Regex: {
        bool inClass = false;
        const char* close = wide_rules::RegexEnd(stop + 1, end, inClass);
        if (end - close < 2 || (*close != '/' && (syntax.rules & wide_rule::kLongRegex) != 0))
            return nullptr;
        return *close == '/' ? close + 1 : close;
    }
    default:
        // Long strings, heredocs, %-literals: their state may run on.
        return nullptr;
    }
}

// Where the close marker of a pair that does not nest begins between at and the line's end;
// null when the block runs on past the line, or when end comes too soon to tell.
const char* BlockCloseOnLine(const WideSyntax& syntax, std::uint8_t pair, const char* at,
                             const char* end)
{
    // A byte from end - kLookahead + 1 on is too near end to tell: the search stops before it.
    constexpr auto kLookahead = static_cast<std::ptrdiff_t>(WideLineScanner::kLookahead);
    const std::string_view close = syntax.close[pair];
    const char* limit = end - at >= kLookahead ? end - kLookahead + 1 : at;
    for (const char* stop = FindFirstOf(at, limit, close[0], '\n', '\n'); stop != limit;
         stop = FindFirstOf(stop + 1, limit, close[0], '\n', '\n')) {
        if (*stop == '\n')
            return nullptr;
        if (Matches(stop, end, close))
            return stop;
    }
    return nullptr;
}

// HasText for the few bytes before a comment, mostly an indent: a loop costs less than a call.
bool HasTextBefore(const char* from, const char* to)
{
    for (; from < to; ++from) {
        if (!IsWhite(*from))
            return true;
    }
    return false;
}

}  // namespace

// Always inlined into PlainLines: a call at each of its stops cost more than most openings
// take to read, and PlainLines' state (the line's segment, its flags) then stays in registers.
[[gnu::always_inline]] inline const char* WideLineScanner::PlainOpening(const char* stop,
                                                                        const char* end,
                                                                        std::string_view before,
                                                                        PlainLine& line) const
{
    using What = Opening::What;
    const Opening opening = OpensInCode(m_syntax, stop, end, before, 0);
    switch (opening.what) {
    case What::Nothing:
    case What::Literal:
        return stop + opening.size;
    case What::Block: {
        const char* close = m_syntax.nests[opening.pair]
                                ? nullptr
                                : BlockCloseOnLine(m_syntax, opening.pair,
                                                   stop + m_syntax.open[opening.pair].size(), end);
        if (close == nullptr) {
            line.runsOn = static_cast<std::int8_t>(opening.pair);
            return nullptr;
        }
        line.hasText = line.hasText || HasTextBefore(line.segment, stop);
        line.hasComment = true;
        return line.segment = close + m_syntax.close[opening.pair].size();
    }
    case What::LineComment:
        line.hasText = line.hasText || HasTextBefore(line.segment, stop);
        line.hasComment = true;
        return line.segment = FindFirstOf(stop + 1, end, '\n', '\n', '\n');
    case What::LineString:
        return LineStringEnd(stop, end);
    default:
        return RuleOpeningEnd(m_syntax, opening, stop, end);
    }
}

}  // namespace PrjHelper
