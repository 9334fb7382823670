// A JSON reader that walks a document as it streams in, block by block, and builds nothing
// of its own: the caller asks for the token it expects next (an object's brace, a key, a
// string, a number, true or false) and skips the values it has no use for. Memory stays at
// one block and the strings asked for, each of a bounded length, whatever the document's size.
//
// Each call returns false on the first fault and keeps one line saying what was wrong and at
// which byte; every later call fails too. Owned by one thread; reads the stream it is given.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "fileio/Stream.h"

namespace lintally::results {

class JsonInput
{
public:
    explicit JsonInput(Brim::IStream& stream);

    // Takes c (after white space), else fails.
    bool Take(char c);
    // Takes c when it comes next (after white space); false, without failing, when not.
    bool TakeIf(char c)
    {
        if (m_failed || Peek() != static_cast<unsigned char>(c)) {
            return false;
        }
        ++m_at;
        return true;
    }
    // True when nothing but white space is left.
    bool AtEnd();

    // A string of at most most bytes (as decoded); a longer one fails at its first byte
    // past the limit, and is never held whole.
    bool String(std::string& text, std::size_t most = kLongestText);
    // A whole number from 0 up to 2^64 - 1.
    bool Number(std::uint64_t& value);
    bool Boolean(bool& value);
    // Skips one value of any kind, however deep (up to kMaxDepth levels), keeping none of its
    // text: a string of any length costs nothing.
    bool Skip();

    // Sets the fault (what was wrong, and where) and returns false.
    bool Fail(const std::string& what);
    [[nodiscard]] const std::string& Error() const { return m_error; }

    static constexpr std::size_t kMaxDepth = 512;
    // Longer than any key or option a count holds (a command line's argument is shorter).
    static constexpr std::size_t kLongestText = std::size_t{1} << 20;

private:
    // The next byte as it is, taken; -1 at the end.
    int Next();
    // The next byte that is not white space, not taken; -1 at the end. Inline: it is asked
    // before every token.
    int Peek()
    {
        if (m_at < m_end && !IsSpace(m_block[m_at])) {
            return static_cast<unsigned char>(m_block[m_at]);
        }
        return PeekPastSpace();
    }
    int PeekPastSpace();
    static bool IsSpace(char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t'; }
    bool Refill();
    // A string into text, or passed over when text is null.
    bool ReadString(std::string* text, std::size_t most);
    bool Word(const char* word);
    bool Escape(std::string& text);
    bool Hex4(std::uint32_t& value);
    bool SkipNumber();

    Brim::IStream& m_stream;
    std::vector<char> m_block;
    std::size_t m_at = 0;
    std::size_t m_end = 0;
    std::uint64_t m_offset = 0;  // of the block's first byte in the document
    bool m_failed = false;
    std::string m_error;
};

}  // namespace lintally::results
