#include <algorithm>
#include <cstring>

#include "linecount/ShortSearch.h"
#include "linecount/WideClassifier.h"
#include "linecount/WideClassifierOpening.h"

// The one-pass reading of plain lines: PlainLines and what it asks.
namespace PrjHelper {

using namespace wide_scan;

// Defined before PlainLines, which asks it at every stop byte in a block, so that it is inlined.
inline bool WideLineScanner::ChangesDepth(const char* at, const char* end) const
{
    return Matches(at, end, m_syntax.close[m_state.pair]) ||
           (m_syntax.nests[m_state.pair] && Matches(at, end, m_syntax.open[m_state.pair]));
}

const char* WideLineScanner::PlainLines(const char* at, const char* end, LineBreakdown& kinds)
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
    case WideState::In::LongString:
    case WideState::In::Docstring:
    case WideState::In::Heredoc:
        return PlainBodyLines(at, end, kinds);
    default:
        return at;
    }
    if (m_state.templates > 0 || m_state.continued)
        return at;
    const bool code = m_state.in == WideState::In::Code;
    const bool docstrings = m_syntax.language.docstrings;
    std::uint64_t& textKind = code ? kinds.code : kinds.comment;
    ByteSet::Cursor stopsFrom(*stops, at, end);
    while (at < end && !(m_lineStart && m_syntax.lineStartBytes.Has(*at))) {
        const char* segment = at;  // where text outside comments resumes
        bool hasText = false;      // text outside comments before segment: code in code state
        bool hasComment = false;
        std::uint16_t brackets = m_state.brackets;
        const char* codeFrom = at;  // where bytes outside strings and comments resume
        const char* stop = stopsFrom.FindIn(at);
        while (stop != end && *stop != '\n') {
            // Anything but a stop byte that begins nothing, a line comment, a string or a
            // block that ends on this line needs the full rules, and so does a byte too near
            // end to tell.
            if (end - stop < static_cast<std::ptrdiff_t>(kLookahead))
                return at;
            if (!code) {
                if (ChangesDepth(stop, end))
                    return at;
                stop = stopsFrom.FindIn(stop + 1);
                continue;
            }
            // A '<' that begins no "<<" is a comparison where only heredocs begin with it.
            if (m_syntax.lessOpensOnlyHeredocs && *stop == '<' && stop[1] != '<') {
                stop = stopsFrom.FindIn(stop + 1);
                continue;
            }
            if (hasComment && m_syntax.needsContext)
                return at;
            if (docstrings) {
                wide_rules::CountBrackets(codeFrom, stop, end, brackets);
                // Only the line's first stop may be its first text.
                if (m_state.brackets == 0 && codeFrom == at && OpensStringStatement(at, stop, end))
                    return at;
            }
            const char* context = std::max(at, stop - wide_rules::kContext);
            PlainLine line{segment, hasText, hasComment};
            const char* next =
                PlainOpening(stop, end, {context, static_cast<std::size_t>(stop - context)}, line);
            if (next == nullptr)
                return at;
            segment = line.segment;
            hasText = line.hasText;
            hasComment = line.hasComment;
            codeFrom = next;
            stop = next == end || *next == '\n' ? next : stopsFrom.FindIn(next);
        }
        if (stop == end)
            return at;
        if (docstrings) {
            wide_rules::CountBrackets(codeFrom, stop, end, brackets);
            if (EndsEscaped(codeFrom, stop))
                return at;
            if (m_trackBlocks)
                m_state.brackets = brackets;
        }
        ++(hasText || HasText(segment, stop) ? textKind : hasComment ? kinds.comment : kinds.blank);
        at = stop + 1;
    }
    return at;
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
        if (lf == end || *lf != '\n')
            return at;
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
        if (close == nullptr)
            return nullptr;
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
