// A small set of byte values and a search for the first of them in a run of bytes.
//
// The counter skips the bytes that can neither begin a marker or a string nor end a line or a
// block; the search looks at sixteen bytes per step when the set is small enough. A set is
// built once and then only read, so one set may serve any number of threads.
#pragma once

#include <cstddef>

namespace PrjHelper {

class ByteSet
{
public:
    // At most this many members are searched sixteen bytes at a time; larger sets one byte at
    // a time.
    static constexpr std::size_t kWideMax = 8;

    void Add(char byte);
    [[nodiscard]] bool Has(char byte) const { return m_has[static_cast<unsigned char>(byte)]; }
    // The first byte from at up to end that is a member, or end.
    [[nodiscard]] const char* FindIn(const char* at, const char* end) const;

private:
    bool m_has[256] = {};
    std::size_t m_count = 0;
    // Rows compared per sixteen-byte step: 1, 2, 4 or 8; 0 to search byte by byte (an
    // empty set, or one too large).
    unsigned char m_rows = 0;
    // Each member sixteen times over, one per row; rows past the members repeat the last one.
    alignas(16) unsigned char m_repeated[kWideMax][16] = {};
};

}  // namespace PrjHelper
