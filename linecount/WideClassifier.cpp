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
        RawString,
        Regex,
        Literal,  // code of its own: a character literal, an escaped byte
        Heredoc,
        Percent,
        BraceOpen,
        BraceClose,
    };
    What what = What::Nothing;
    std::uint8_t pair = 0;
    std::size_t size = 1;      // the opener's bytes
    std::uint32_t hashes = 0;  // a raw string's '#' count
    wide_rules::Heredoc heredoc = {};
    wide_rules::PercentLiteral percent = {};
};

constexpr std::uint16_t kHeredocRules =
    wide_rule::kShellHeredocs | wide_rule::kRubyHeredocs | wide_rule::kPerlHeredocs;

// The rules of single languages, for a byte that opens no comment.
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
    if (!syntax.quotes.Has(*at))
        return {What::Nothing};
    const bool afterDollar = !before.empty() && before.back() == '$';
    // Ruby's $' and $" are variables.
    if ((rules & wide_rule::kSpacedArguments) != 0 && afterDollar)
        return {What::Nothing};
    // The shell's $'...' takes escapes.
    if (syntax.rawQuotes.Has(*at) && !afterDollar)
        return {What::RawString};
    if (syntax.spanQuotes.Has(*at) || syntax.rawQuotes.Has(*at))
        return {What::SpanString};
    return {What::LineString};
}

// What a special byte of code state opens; templates is the number of open "${".
Opening OpensInCode(const WideSyntax& syntax, const char* at, const char* end,
                    std::string_view before, std::uint8_t templates)
{
    using What = Opening::What;
    if (syntax.language.docstrings && IsTripleQuote(at, end))
        return {What::LongString};
    for (std::uint8_t pair = 0; pair < 2; ++pair) {
        if (Matches(at, end, syntax.open[pair]) && !syntax.close[pair].empty())
            return {What::Block, pair};
    }
    for (std::string_view marker : syntax.single) {
        if (Matches(at, end, marker) && ((syntax.rules & wide_rule::kShellWords) == 0 ||
                                         wide_rules::StartsShellComment(before)))
            return {What::LineComment};
    }
    if (templates > 0 && (*at == syntax.templateOpen || *at == syntax.templateClose))
        return {*at == syntax.templateOpen ? What::BraceOpen : What::BraceClose};
    return OpensByRule(syntax, at, end, before);
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

bool HasText(const char* from, const char* to)
{
    return FirstText(from, to) != to;
}

// The bytes from from to to end in a backslash, before a CR at most: it escapes the line's end.
bool EndsEscaped(const char* from, const char* to)
{
    if (to > from && to[-1] == '\r')
        --to;
    return to > from && to[-1] == '\\';
}

// The quote at quote is the line's first text, after at most a string prefix: it may open a
// string statement.
bool OpensStringStatement(const char* line, const char* quote, const char* end)
{
    if (*quote != '"' && *quote != '\'')
        return false;
    const char* first = FirstText(line, quote);
    bool quoted = false;
    return first == quote || (wide_rules::StringPrefixSize(first, end, quoted) ==
                                  static_cast<std::size_t>(quote - first) &&
                              quoted);
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
    for (std::string_view list : {Text(lang.quotes), Text(lang.spanQuotes), Text(lang.rawQuotes)}) {
        for (char quote : list) {
            quotes.Add(quote);
            special.Add(quote);
        }
    }
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
    for (const auto& [rule, byte] : kRuleBytes) {
        if ((rules & rule) != 0)
            special.Add(byte);
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
    default:
        return at;
    }
    if (m_state.templates > 0 || m_state.continued)
        return at;
    const bool code = m_state.in == WideState::In::Code;
    const bool docstrings = m_syntax.language.docstrings;
    std::uint64_t& textKind = code ? kinds.code : kinds.comment;
    while (at < end && !(m_lineStart && m_syntax.lineStartBytes.Has(*at))) {
        const char* segment = at;  // where text outside comments resumes
        bool hasText = false;      // text outside comments before segment: code in code state
        bool hasComment = false;
        std::uint16_t brackets = m_state.brackets;
        const char* codeFrom = at;  // where bytes outside strings and comments resume
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
            if (hasComment && m_syntax.needsContext)
                return at;
            if (docstrings) {
                wide_rules::CountBrackets(codeFrom, stop, end, brackets);
                if (m_state.brackets == 0 && OpensStringStatement(at, stop, end))
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
            stop = next == end || *next == '\n' ? next : stops->FindIn(next, end);
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

const char* WideLineScanner::PlainOpening(const char* stop, const char* end,
                                          std::string_view before, PlainLine& line) const
{
    using What = Opening::What;
    const Opening opening = OpensInCode(m_syntax, stop, end, before, 0);
    switch (opening.what) {
    case What::Nothing:
    case What::Literal:
        return stop + opening.size;
    case What::Block: {
        const char* close =
            m_syntax.nests[opening.pair]
                ? nullptr
                : BlockCloseOnLine(opening.pair, stop + m_syntax.open[opening.pair].size(), end);
        if (close == nullptr)
            return nullptr;
        line.hasText = line.hasText || HasText(line.segment, stop);
        line.hasComment = true;
        return line.segment = close + m_syntax.close[opening.pair].size();
    }
    case What::LineComment: {
        line.hasText = line.hasText || HasText(line.segment, stop);
        line.hasComment = true;
        const void* lf = std::memchr(stop, '\n', static_cast<std::size_t>(end - stop));
        return line.segment = lf == nullptr ? end : static_cast<const char*>(lf);
    }
    case What::LineString: {
        // Its bytes are code and its markers none; a backslash makes the next byte text.
        const char* next = stop + 1;
        while (next < end && *next != *stop && *next != '\n')
            next += *next == '\\' && next + 1 < end && next[1] != '\n' ? 2 : 1;
        if (next < end && *next == *stop)
            return next + 1;
        // A backslash before the line's end carries the string on to the next line.
        return EndsEscaped(stop + 1, next) ? nullptr : next;
    }
    case What::SpanString:
    case What::RawString:
        return StringEndOnLine(m_syntax, stop, end, opening.what == What::RawString,
                               opening.hashes);
    case What::Regex: {
        bool inClass = false;
        const char* close = wide_rules::RegexEnd(stop + 1, end, inClass);
        if (end - close < 2 || (*close != '/' && (m_syntax.rules & wide_rule::kLongRegex) != 0))
            return nullptr;
        return *close == '/' ? close + 1 : close;
    }
    default:
        // Long strings, heredocs, %-literals: their state may run on.
        return nullptr;
    }
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

}  // namespace PrjHelper
