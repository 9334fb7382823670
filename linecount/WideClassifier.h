// The per-line decision of the counter under the wide language table: is a line blank, a
// comment line or code?
//
// ClassifyWideLine is a pure routine: it reads the language, the block mode and the line,
// updates the caller's state, allocates nothing and keeps nothing of its own. WideLineScanner
// applies the same rules to a line that arrives in pieces, in constant memory; between lines,
// its PlainLines reads on in one pass through the lines that cannot change the state.
//
// The rules:
//  1. A line is its bytes up to its LF. Spaces, tabs, CRs, form feeds and vertical tabs are
//     white space; every other byte is text.
//  2. Blank: a line without text, whatever state it is in. Its state carries on unchanged.
//  3. The line is read from its start, byte by byte, in one of these states:
//     - code: at each position, in this order,
//       a. with docstrings, a string (after at most two of the prefixes r u b f, in either
//          case) that is the line's first text, with no bracket open and the line before not
//          ended by a backslash, opens a docstring: a statement that is only a string;
//          three quotes anywhere else open a long string;
//       b. the first block pair whose open marker begins here opens a block (depth 1);
//       c. a single-line marker beginning here makes the rest of the line comment; the
//          shell's '#' does so only at a word's start (after white space, ; & | ( ) < >);
//       d. inside a "${" (JavaScript) or "$(" (the shell) opened in a string, the pair's
//          open bracket goes one deeper and its close at depth 0 returns to the string;
//       e. the language's own rules (in WideClassifierRules.h), all of whose bytes are code:
//          - '/' where an operand may begin (at the line's start, after an operator or an
//            opening bracket, after a keyword such as return or typeof; in Ruby also after
//            a word and white space when no white space follows) opens a regular
//            expression, which ends at a '/' outside its [classes]; a backslash escapes;
//          - Rust: 'x', '\n', '\u{..}' are character literals, other quotes lifetimes;
//            r"...", r#"..."#, br##"..."## open raw strings closed by '"' and as many '#';
//          - heredocs: <<TAG, <<-TAG, <<~TAG (Ruby, Perl), quoted tags, the shell's
//            << TAG; the lines after the line that opens one, up to the line that is its
//            tag (after white space for - and ~), are a string;
//          - Ruby: %w[ %q{ %( ... open strings closed by the matching bracket, nesting;
//            $' $" $` are variables, ?x a character, :/ :% :<< operator symbols;
//          - the shell: a backslash makes the next byte code; $'...' takes escapes;
//       f. a byte of `quotes`, `spanQuotes` or `rawQuotes` opens a string closed by the
//          same byte;
//       g. any other text byte is code.
//     - block: the close marker ends one depth (the block at depth 0); with a nesting pair
//       its open marker adds one. Everything else, the markers too, is comment.
//     - docstring: the same quote(s) close it; the text, quotes too, is comment.
//     - string and long string: the closing quote(s) end it; a backslash makes the next byte
//       text unless the string is raw. Every text byte, quotes too, is code.
//     - regular expression, heredoc: as above; every text byte is code.
//     A column block (Perl's POD, Ruby's =begin) opens on a line that begins, in its first
//     column and in code state, with its open marker standing as a word of its own (followed
//     by a letter when the marker ends in another byte, by no letter when it ends in one);
//     every line until the line that begins with its close marker, both included, is comment.
//     A line in code state that begins in its first column with an end-of-code word followed
//     by white space or the line's end makes itself and every later line comment.
//  4. At the line's end a string of `quotes`, a one-quote docstring and a regular expression
//     (but Ruby's) end, unless a backslash escapes the line's end; every other state, and
//     with docstrings the depth of ( [ { in code, carries to the next line with trackBlocks,
//     and is dropped without it (each line is then judged alone, starting in code state).
//  5. The line is code when it holds a code byte, else a comment line when it holds text.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "linecount/ByteSet.h"
#include "linecount/LineBreakdown.h"
#include "linecount/LineClassifier.h"
#include "linecount/WideClassifierRules.h"
#include "linecount/WideLanguages.h"

namespace PrjHelper {

// What carries from one line to the next.
struct WideState
{
    static constexpr std::size_t kTemplatesMax = 4;
    enum class In : std::uint8_t
    {
        Code,
        Block,
        Docstring,
        String,
        LongString,
        ColumnBlock,
        EndOfCode,
        Regex,
        Heredoc,
    };
    In in = In::Code;
    std::uint8_t pair = 0;  // the open block's pair
    // The open block's depth; a raw string's '#' count; a %-literal's bracket depth; 1 in a
    // regular expression's character class.
    std::uint32_t depth = 0;
    char quote = 0;              // the open string's or docstring's (closing) quote byte
    char open = 0;               // a %-literal's open byte, 0 for other strings
    bool raw = false;            // the open string takes no escapes
    bool single = false;         // the docstring closes with one quote, and with its line
    std::uint16_t brackets = 0;  // brackets open in code (languages with docstrings)
    bool continued = false;      // the line before ended in code with a backslash (the same)
    std::uint8_t templates = 0;  // "${" or "$(" code open in strings
    std::uint8_t braces[kTemplatesMax] = {};  // brackets of its pair open in each
    // A heredoc's close tag; pending while the line that opens it is read.
    bool heredocPending = false;
    bool heredocIndented = false;
    std::uint8_t tagSize = 0;
    char tag[wide_rules::kTagMax] = {};

    friend constexpr bool operator==(const WideState&, const WideState&) = default;
};

// A language's markers ready for the per-byte scan; built once per file.
class WideSyntax
{
public:
    explicit WideSyntax(const WideLanguage& language);

    const WideLanguage& language;
    std::string_view single[2];
    std::string_view open[2];
    std::string_view close[2];
    bool nests[2] = {};
    std::string_view columnOpen;
    std::string_view columnClose;
    std::string_view endOfCode[2];
    // A column block or an end-of-code word: a line's first bytes need a look of their own.
    bool lineStartRules = false;
    std::uint16_t rules = 0;
    // The rules read the line's text before a position.
    bool needsContext = false;
    // '<' begins no marker, only heredocs ("<<").
    bool lessOpensOnlyHeredocs = false;
    // Bytes that open a string; those of strings that may run on, with and without escapes.
    ByteSet quotes;
    // The quotes with backslash and LF: where a string that ends with its line may end.
    ByteSet lineStringStops;
    ByteSet spanQuotes;
    ByteSet rawQuotes;
    // Bytes at which something may begin in code state; other bytes are skipped in runs.
    ByteSet special;
    // The first bytes of the comment markers: other bytes open no comment.
    ByteSet commentStarts;
    // The bytes a rule of the language may give a meaning of their own ('/' of a regular
    // expression, '<' of a heredoc, ...); other bytes open a string or nothing.
    ByteSet ruleBytes;
    // A string that holds code: its quote, and the bracket pair that the code stands in after
    // a '$' ("${...}" in a JavaScript template, "$(...)" in a shell string); 0 without.
    char templateQuote = 0;
    char templateOpen = 0;
    char templateClose = 0;
    // The special bytes with the bracket pair, inside such code.
    ByteSet templateSpecial;
    // Bytes at which a block of each pair may end or, nesting, go deeper.
    ByteSet blockStops[2];
    // The same sets with LF, and LF alone: a line that holds none of a state's stops before
    // its LF leaves that state as it found it.
    ByteSet codeLineStops;
    ByteSet blockLineStops[2];
    ByteSet lineEnd;
    // LF and the quote that may end a long string or docstring quoted with '"' ([0]) or '\''
    // ([1]): a line without that quote (escaped or not) leaves the string open.
    ByteSet longStringLineStops[2];
    // The first bytes of the column markers and end-of-code words.
    ByteSet lineStartBytes;
};

// The kind of a whole line under the rules above; state is read and written.
[[nodiscard]] LineKind ClassifyWideLine(const WideSyntax& syntax, bool trackBlocks,
                                        std::string_view line, WideState& state);

// The rules above for lines that arrive in pieces: Add each piece of a line, then EndLine.
// Keeps at most 2 * kLookahead bytes of a line.
class WideLineScanner
{
public:
    // How far past a position the rules may look: a marker or an opener and the byte after it.
    static constexpr std::size_t kLookahead = std::max(kWideMarkerMax + 1, wide_rules::kLookahead);

    WideLineScanner(const WideSyntax& syntax, bool trackBlocks, const WideState& start = {});

    void Add(const char* data, std::size_t size);
    LineKind EndLine();
    // Adds the line's last piece and ends the line.
    LineKind EndLine(const char* data, std::size_t size);
    [[nodiscard]] const WideState& State() const { return m_state; }
    // A shortcut between lines (after EndLine, before Add): reads from at the whole lines
    // that hold nothing before their LF that could change the state but the bracket depth or
    // a block's opening and closing, adds their kinds to kinds, and returns where it stopped
    // (the start of a line it leaves to Add and EndLine).
    const char* PlainLines(const char* at, const char* end, LineBreakdown& kinds);

private:
    // PlainLines in code, a block, a column block or after the end of code.
    const char* PlainCodeLines(const char* at, const char* end, LineBreakdown& kinds);
    // PlainLines in a long string, a many-line docstring or a heredoc: the lines that hold
    // nothing that could end it, and a line that only closes a long string or docstring.
    const char* PlainBodyLines(const char* at, const char* end, LineBreakdown& kinds);
    // A docstring of three quotes that opens at quote, the line's first text, and holds the
    // rest of the line, or closes with only white space after it: the line's LF and whether
    // it runs on; lf is null for any other line, or one that does not end before end.
    struct DocstringLine
    {
        const char* lf = nullptr;
        bool runsOn = false;
    };
    [[nodiscard]] DocstringLine DocstringAt(const char* quote, const char* end) const;
    // What PlainLines knows of the line it reads.
    struct PlainLine
    {
        const char* segment;  // where text outside comments resumes
        bool hasText;         // text outside comments before segment
        bool hasComment;
        // The pair of a block that opens at the stop and runs on past it: PlainOpening
        // returns null then, and the block's search may go on (-1 for other nulls).
        std::int8_t runsOn = -1;
    };
    // PlainLines at a stop byte in code: where the search goes on, or null when the line
    // needs the full rules. Defined, inline, beside PlainLines, its one caller.
    inline const char* PlainOpening(const char* stop, const char* end, std::string_view before,
                                    PlainLine& line) const;
    std::size_t Step(const char* at, const char* end);
    std::size_t StepCode(const char* at, const char* end);
    std::size_t StepBlock(const char* at, const char* end);
    std::size_t StepQuoted(const char* at, const char* end);
    std::size_t StepRegex(const char* at, const char* end);
    std::size_t StepHeredoc(const char* at, const char* end);
    // Back to code from a string, block or regular expression; brackets, templates and a
    // pending heredoc stay.
    void Resume();
    // The line's text outside comments before the position, its last kContext bytes.
    [[nodiscard]] std::string_view Context() const { return {m_context, m_contextSize}; }
    void Remember(const char* from, const char* to);
    std::size_t StepLineStart(const char* at, const char* end);
    std::size_t RestIsComment(const char* at, const char* end);
    void MarkRun(const char* from, const char* to, bool code);
    // The line's kind; readies the state for the next line.
    LineKind Finish();
    // Runs Step from data while the position is below limit; returns the position reached.
    std::size_t Scan(const char* data, std::size_t size, std::size_t limit);

    const WideSyntax& m_syntax;
    bool m_trackBlocks;
    WideState m_state;
    bool m_lineStart;  // nothing of the line was read yet, and its first bytes have rules
    bool m_hasText = false;
    bool m_hasCode = false;
    bool m_restIsComment = false;  // a single-line marker was read
    bool m_lineEscaped = false;    // the line ends in a backslash that escapes its end
    // How far a heredoc body's line matched the close tag.
    std::size_t m_tagAt = 0;
    bool m_tagLead = true;
    bool m_tagMiss = false;
    char m_context[wide_rules::kContext] = {};
    std::size_t m_contextSize = 0;
    char m_carry[2 * kLookahead] = {};
    std::size_t m_carrySize = 0;
};

}  // namespace PrjHelper
