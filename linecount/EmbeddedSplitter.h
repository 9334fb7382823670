// Finds the code written in another language inside a file, line by line: the fenced code
// blocks of Markdown, the <script> and <style> elements of HTML, and the blocks of Vue and
// Svelte components (<template> of Vue as HTML, <script>, <style>).
//
// The rules, for a file fed one line (without its LF) at a time:
//  - A line is the host's or, as a whole, the embedded language's. The lines that open and
//    close a block (a fence, a line holding a tag) are the host's, whatever else they hold;
//    the lines between them are the block's.
//  - Markdown: a line of at most 3 spaces, then 3 or more '`' or '~' (no '`' after a run of
//    '`'), opens a fence; the first word of the text after it (up to white space, ',' or '{')
//    names the language (EmbeddedLanguage.h). A line of at most 3 spaces, then the same byte
//    at least as many times and only white space, closes it; an unclosed fence runs to the
//    file's end. A fence whose word names no language holds host lines. Fences inside list
//    items and block quotes are not looked for.
//  - HTML, Vue, Svelte: outside blocks and outside <!-- --> comments, "<script" or "<style"
//    (any case, then white space, '/' or '>') opens a tag whose attributes may run over
//    lines; with '>' the element begins. Its block is the lines after that line up to the line
//    holding its end tag ("</script"). An element that ends on the line it begins on has
//    no block. Vue's <template> is a block too, up to the "</template" that matches it.
//    A block whose language is unknown (a script of type text/x-template) holds host lines.
//
// One splitter serves one file on one thread; it keeps at most a tag's attributes (up to
// kAttributesMax bytes) between lines.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace PrjHelper {

enum class EmbedHost : std::uint8_t
{
    None,
    Markdown,
    Html,
    Vue,
    Svelte,
};

// The host kind of a wide language id; None for a language that holds no other.
[[nodiscard]] EmbedHost EmbedHostOf(std::int32_t lang);

class EmbeddedSplitter
{
public:
    static constexpr std::size_t kAttributesMax = 1024;

    explicit EmbeddedSplitter(EmbedHost host) : m_host(host) {}

    // The wide id of the language the line is in; 0 for a line of the host.
    [[nodiscard]] std::int32_t Line(std::string_view line);

private:
    enum class Element : std::uint8_t
    {
        None,
        Script,
        Style,
        Template,
    };

    std::int32_t MarkdownLine(std::string_view line);
    // Reads host text of a markup file: comments, tags, and an element that begins in it.
    void ScanMarkup(std::string_view text);
    // Where the open element's end tag begins in text (npos: not in it).
    std::size_t FindEnd(std::string_view text);
    // The tag being read ended; text is what follows its '>' on the line. Returns where host
    // text goes on in text: after the element's end tag, or npos when its block begins.
    std::size_t BeginElement(std::string_view text);

    EmbedHost m_host;
    // Markdown: the open fence's byte (0: none), length and language.
    char m_fence = 0;
    std::size_t m_fenceSize = 0;
    // Markup: the element whose tag or block is open, and its language.
    Element m_element = Element::None;
    bool m_inTag = false;  // its tag's attributes are being read
    bool m_inBlock = false;
    bool m_inComment = false;
    std::string m_attributes;
    unsigned m_depth = 0;  // <template> elements open inside a Vue template
    std::int32_t m_lang = 0;
};

}  // namespace PrjHelper
