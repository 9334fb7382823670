// LongLine: a line that arrives in pieces, kept as the little that decides its class.
//
// LineCounts looks at three things of a line's trimmed text: whether it is empty, its first
// bytes (the markers are at most kHeadBytes long), and where the first closing marker ends
// (nowhere, at the end of the text, or before it). LongLine follows those through the
// pieces, in constant memory, and gives back a short line that LineCounts classifies exactly
// as the whole line. So a line of any length is counted in one pass without being held.
//
// One object serves one stream on one thread; Reset starts the next line.
#pragma once

#include <cstddef>
#include <cstdint>

namespace PrjHelper {

class LongLine
{
public:
    static constexpr std::size_t kHeadBytes = 2;

    // close is the language's closing marker ("" when it has none); it must outlive the object.
    explicit LongLine(const char* close);

    void Reset();
    // The line's next bytes (without its LF). Bytes from a NUL on are not part of the line.
    void Add(const char* data, std::size_t size);
    // A NUL-terminated line that classifies like everything added since Reset; valid until
    // the next call.
    const char* Condensed();

private:
    void FindStart(const char* data, std::size_t size);
    void FindClose(const char* data, std::size_t size);
    void FindLastContent(const char* data, std::size_t size);

    static constexpr std::uint64_t kNone = ~std::uint64_t{0};

    const char* m_close;
    std::size_t m_closeSize;
    char m_filler;                  // a byte that is no part of the closing marker
    std::uint64_t m_length = 0;     // bytes of the line so far
    bool m_cut = false;             // a NUL ended the line; later bytes are ignored
    std::uint64_t m_start = kNone;  // offset of the first byte that is not a space or tab
    char m_head[kHeadBytes] = {};   // the bytes from m_start on
    std::size_t m_headSize = 0;
    std::uint64_t m_closeEnd = kNone;      // one past the first closing marker
    char m_lastByte = '\0';                // the line's last byte so far
    std::uint64_t m_contentEnd = 0;        // one past the last byte that is not a space or tab
    std::uint64_t m_contentEndBefore = 0;  // m_contentEnd before that byte was seen
    char m_text[2 * kHeadBytes + 4] = {};
};

}  // namespace PrjHelper
