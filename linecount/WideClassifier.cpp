#include "linecount/WideClassifier.h"

#include <algorithm>
#include <cstring>

#include "linecount/WideClassifierOpening.h"

namespace PrjHelper {

using namespace wide_scan;

namespace {

std::string_view Text(const char* text)
{
    return text == nullptr ? std::string_view() : std::string_view(text);
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
            if (!marker.empty()) {
                special.Add(marker[0]);
                commentStarts.Add(marker[0]);
            }
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
    for (std::string_view list : {Text(lang.quotes), Text(lang.spanQuotes), Text(lang.rawQuotes)}) {
        for (char quote : list) {
            quotes.Add(quote);
            special.Add(quote);
        }
    }
    for (char quote : Text(lang.quotes))
        lineStringStops.Add(quote);
    lineStringStops.Add('\\');
    for (char quote : Text(lang.spanQuotes))
        spanQuotes.Add(quote);
    for (char quote : Text(lang.rawQuotes))
        rawQuotes.Add(quote);
    if (lang.docstrings) {
        special.Add('"');
        special.Add('\'');
    }
    rules = lang.rules;
    needsContext = (rules & (wide_rule::kRegex | wide_rule::kRustLiterals | kHeredocRules |
                             wide_rule::kPercentLiterals | wide_rule::kShellWords)) != 0;
    const std::pair<std::uint16_t, char> kRuleBytes[] = {
        {wide_rule::kRegex, '/'},
        {wide_rule::kPercentLiterals, '%'},
        {kHeredocRules, '<'},
        {wide_rule::kShellWords, '\\'},
        {wide_rule::kRustLiterals, '\''},
        {wide_rule::kRustLiterals, '"'},
    };
    lessOpensOnlyHeredocs = (rules & kHeredocRules) != 0 && !special.Has('<');
    for (const auto& [rule, byte] : kRuleBytes) {
        if ((rules & rule) != 0) {
            special.Add(byte);
            ruleBytes.Add(byte);
        }
    }
    if ((rules & (wide_rule::kTemplates | wide_rule::kSubstitutions)) != 0) {
        const bool shell = (rules & wide_rule::kSubstitutions) != 0;
        templateQuote = shell ? '"' : '`';
        templateOpen = shell ? '(' : '{';
        templateClose = shell ? ')' : '}';
        templateSpecial = special;
        templateSpecial.Add(templateOpen);
        templateSpecial.Add(templateClose);
    }
    codeLineStops = special;
    longStringLineStops[0].Add('"');
    longStringLineStops[1].Add('\'');
    for (ByteSet* stops : {&codeLineStops, &blockLineStops[0], &blockLineStops[1], &lineEnd,
                           &longStringLineStops[0], &longStringLineStops[1], &lineStringStops})
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
    using In = WideState::In;
    const WideLanguage& language = m_syntax.language;
    // Plain strings, one-quote docstrings and regular expressions end with their line.
    const bool lineString = m_state.in == In::String && !m_state.raw && m_state.open == 0 &&
                            !m_syntax.spanQuotes.Has(m_state.quote) &&
                            !m_syntax.rawQuotes.Has(m_state.quote);
    // A backslash escaping the line's end carries a string or a statement on.
    if ((lineString || (m_state.in == In::Docstring && m_state.single)) && !m_lineEscaped)
        Resume();
    if (m_state.in == In::Regex && (m_syntax.rules & wide_rule::kLongRegex) == 0)
        Resume();
    m_state.continued = m_lineEscaped && m_state.in == In::Code && language.docstrings;
    if (m_state.in == In::Heredoc && !m_tagMiss && m_tagAt == m_state.tagSize) {
        Resume();
        m_state.tagSize = 0;
        m_state.heredocIndented = false;
    }
    if (m_state.heredocPending) {
        // The heredoc's body follows its opening line, whatever that line left open.
        Resume();
        m_state.in = In::Heredoc;
        m_state.heredocPending = false;
    }
    if (!m_trackBlocks)
        m_state = WideState();
    m_lineStart = m_syntax.lineStartRules;
    m_hasText = m_hasCode = m_restIsComment = m_lineEscaped = false;
    m_tagAt = 0;
    m_tagLead = true;
    m_tagMiss = false;
    m_contextSize = 0;
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
    if (code && m_syntax.needsContext)
        Remember(from, to);
    if (m_hasCode || (m_hasText && !code))
        return;
    if (FirstText(from, to) < to) {
        m_hasText = true;
        m_hasCode = m_hasCode || code;
    }
}

void WideLineScanner::Remember(const char* from, const char* to)
{
    constexpr std::size_t kSize = wide_rules::kContext;
    const auto size = static_cast<std::size_t>(to - from);
    if (size >= kSize) {
        std::memcpy(m_context, to - kSize, kSize);
        m_contextSize = kSize;
        return;
    }
    const std::size_t keep = std::min(m_contextSize, kSize - size);
    std::memmove(m_context, m_context + m_contextSize - keep, keep);
    std::memcpy(m_context + keep, from, size);
    m_contextSize = keep + size;
}

void WideLineScanner::Resume()
{
    m_state.in = WideState::In::Code;
    m_state.pair = 0;
    m_state.depth = 0;
    m_state.quote = m_state.open = 0;
    m_state.raw = m_state.single = false;
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
    case WideState::In::Regex:
        return StepRegex(at, end);
    case WideState::In::Heredoc:
        return StepHeredoc(at, end);
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
    using In = WideState::In;
    const WideSyntax& syntax = m_syntax;
    const bool docstrings = syntax.language.docstrings;
    if (docstrings && !m_hasText && !IsWhite(*at) && m_state.brackets == 0 && !m_state.continued) {
        // A string that is a statement of its own reads as a comment.
        bool quoted = false;
        const std::size_t prefix = wide_rules::StringPrefixSize(at, end, quoted);
        if (quoted) {
            const bool triple = IsTripleQuote(at + prefix, end);
            m_state.in = In::Docstring;
            m_state.quote = at[prefix];
            m_state.single = !triple;
            m_hasText = true;
            return prefix + (triple ? 3 : 1);
        }
    }
    const ByteSet& special = m_state.templates > 0 ? syntax.templateSpecial : syntax.special;
    const char* run = special.FindIn(at, end);
    if (run > at) {
        // A docstring's prefix letter is decided above: the run stops at the line's first text.
        if (docstrings && !m_hasText)
            run = std::find_if_not(at + 1, run, IsWhite);
        if (docstrings) {
            wide_rules::CountBrackets(at, run, end, m_state.brackets);
            m_lineEscaped = run == end && EndsEscaped(at, run);
        }
        MarkRun(at, run, true);
        return static_cast<std::size_t>(run - at);
    }

    m_lineEscaped = false;
    using What = Opening::What;
    const Opening opening = OpensInCode(syntax, at, end, Context(), m_state.templates);
    switch (opening.what) {
    case What::Block:
        m_state.in = In::Block;
        m_state.pair = opening.pair;
        m_state.depth = 1;
        m_hasText = true;
        return syntax.open[opening.pair].size();
    case What::LineComment:
        m_hasText = true;
        m_restIsComment = true;
        return RestIsComment(at, end);
    case What::LongString:
        m_state.in = In::LongString;
        m_state.quote = *at;
        MarkRun(at, at + 3, true);
        return 3;
    case What::LineString:
    case What::SpanString:
    case What::RawString:
        m_state.in = In::String;
        m_state.quote = *at;
        m_state.raw = opening.what == What::RawString;
        m_state.depth = opening.hashes;
        break;
    case What::Regex:
        m_state.in = In::Regex;
        break;
    case What::Percent:
        m_state.in = In::String;
        m_state.quote = opening.percent.close;
        m_state.open = opening.percent.open;
        m_state.depth = 1;
        break;
    case What::Heredoc:
        if (!m_state.heredocPending && m_state.tagSize == 0) {
            const std::string_view tag = opening.heredoc.tag;
            m_state.heredocPending = true;
            m_state.heredocIndented = opening.heredoc.indented;
            m_state.tagSize = static_cast<std::uint8_t>(tag.size());
            std::memcpy(m_state.tag, tag.data(), tag.size());
        }
        break;
    case What::BraceOpen:
        ++m_state.braces[m_state.templates - 1];
        break;
    case What::BraceClose:
        if (m_state.braces[m_state.templates - 1] == 0) {
            // The template expression ends: the template string goes on.
            --m_state.templates;
            m_state.in = In::String;
            m_state.quote = syntax.templateQuote;
        } else {
            --m_state.braces[m_state.templates - 1];
        }
        break;
    case What::Nothing:
    case What::Literal:
        break;
    }
    MarkRun(at, at + opening.size, true);
    return opening.size;
}

std::size_t WideLineScanner::StepBlock(const char* at, const char* end)
{
    const std::string_view open = m_syntax.open[m_state.pair];
    const std::string_view close = m_syntax.close[m_state.pair];
    if (Matches(at, end, close)) {
        m_hasText = true;
        if (--m_state.depth == 0)
            Resume();
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

// Strings, long strings and docstrings: only their closing quotes, escapes, a nesting
// %-literal's open bracket and a template's "${" matter.
std::size_t WideLineScanner::StepQuoted(const char* at, const char* end)
{
    using In = WideState::In;
    const bool code = m_state.in != In::Docstring;
    const bool triple =
        m_state.in == In::LongString || (m_state.in == In::Docstring && !m_state.single);
    const bool nesting = m_state.open != 0 && m_state.open != m_state.quote;
    const bool templates = m_syntax.templateQuote != 0 && m_state.in == In::String &&
                           m_state.quote == m_syntax.templateQuote;
    if (*at == '\\' && !m_state.raw) {
        const char* next = std::min(at + 2, end);
        m_lineEscaped = next == end && (next == at + 1 || at[1] == '\r');
        MarkRun(at, next, code);
        return static_cast<std::size_t>(next - at);
    }
    if (nesting && *at == m_state.open) {
        ++m_state.depth;
        MarkRun(at, at + 1, code);
        return 1;
    }
    if (*at == m_state.quote && (!triple || IsTripleQuote(at, end))) {
        const std::uint32_t hashes = m_state.raw ? m_state.depth : 0;
        if (nesting && --m_state.depth > 0) {
            MarkRun(at, at + 1, code);
            return 1;
        }
        if (wide_rules::ClosesRawString(at, end, hashes) || *at != '"' || hashes == 0) {
            const std::size_t size = triple ? 3 : 1 + hashes;
            MarkRun(at, at + size, code);
            Resume();
            return size;
        }
    }
    if (templates && *at == '$' && end - at >= 2 && at[1] == m_syntax.templateOpen &&
        m_state.templates < WideState::kTemplatesMax) {
        MarkRun(at, at + 2, code);
        Resume();
        m_state.braces[m_state.templates++] = 0;
        return 2;
    }
    const char* run = at + 1;
    while (run < end && *run != '\\' && *run != m_state.quote && *run != m_state.open &&
           *run != '$')
        ++run;
    MarkRun(at, run, code);
    return static_cast<std::size_t>(run - at);
}

// A regular expression: its bytes are code; only escapes, classes and its close matter.
std::size_t WideLineScanner::StepRegex(const char* at, const char* end)
{
    bool inClass = m_state.depth != 0;
    const char* stop = wide_rules::RegexEnd(at, end, inClass);
    const bool closes = stop < end && *stop == '/';
    // A backslash as the last byte waits for the byte it escapes, unless nothing else is left.
    stop = closes ? stop + 1 : std::max(stop, at + 1);
    MarkRun(at, stop, true);
    if (closes)
        Resume();
    else
        m_state.depth = inClass ? 1 : 0;
    return static_cast<std::size_t>(stop - at);
}

// A heredoc's body is code; a line that is its tag (after white space when indented) ends it.
std::size_t WideLineScanner::StepHeredoc(const char* at, const char* end)
{
    for (const char* byte = at; byte < end && !m_tagMiss; ++byte) {
        if (m_tagLead && m_state.heredocIndented && IsWhite(*byte))
            continue;
        m_tagLead = false;
        if (m_tagAt < m_state.tagSize && *byte == m_state.tag[m_tagAt])
            ++m_tagAt;
        else if (m_tagAt < m_state.tagSize || *byte != '\r')
            m_tagMiss = true;
    }
    MarkRun(at, end, true);
    return static_cast<std::size_t>(end - at);
}

WideLineScanner::DocstringLine WideLineScanner::DocstringAt(const char* quote,
                                                            const char* end) const
{
    if (!IsTripleQuote(quote, end))
        return {};
    const char* open = quote + 3;
    const char* found = m_syntax.longStringLineStops[*quote == '"' ? 0 : 1].FindIn(open, end);
    if (found == end)
        return {};
    if (*found == '\n')
        return {found, true};
    // It closes on the line: no backslash may escape a quote before the close.
    if (std::memchr(open, '\\', static_cast<std::size_t>(found - open)) != nullptr ||
        !IsTripleQuote(found, end))
        return {};
    const char* after = SkipWhite(found + 3, end);
    if (after == end || *after != '\n')
        return {};
    return {after, false};
}

}  // namespace PrjHelper
