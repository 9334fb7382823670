// An inline search for one of three fixed bytes in a short run: the end of a line comment, of
// a string or of a block comment that closes on its line. Such runs are a few dozen bytes, so a
// call, or a ByteSet's setup, costs more than the search itself.
//
// A pure function; any thread may call it.
#pragma once

#include <bit>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace PrjHelper {

// The first byte from at up to end that is a, b or c (they may repeat), or end. Reads no byte
// at or past end.
[[nodiscard]] inline const char* FindFirstOf(const char* at, const char* end, char a, char b,
                                             char c)
{
#if defined(__SSE2__)
    // Sixteen bytes a step while they lie before end.
    using Bytes = char __attribute__((vector_size(16)));
    const Bytes as = Bytes{} + a, bs = Bytes{} + b, cs = Bytes{} + c;
    for (; end - at >= 16; at += 16) {
        Bytes bytes;
        std::memcpy(&bytes, at, sizeof bytes);
        const auto bits = static_cast<unsigned>(_mm_movemask_epi8(
            reinterpret_cast<__m128i>((bytes == as) | (bytes == bs) | (bytes == cs))));
        if (bits != 0)
            return at + std::countr_zero(bits);
    }
#endif
    for (; at < end; ++at) {
        if (*at == a || *at == b || *at == c)
            return at;
    }
    return end;
}

}  // namespace PrjHelper
