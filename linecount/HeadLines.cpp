#include "linecount/HeadLines.h"

#include <bit>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace PrjHelper {

std::uint64_t LineBreakBits(const char* at, const char* end)
{
    if (static_cast<std::size_t>(end - at) < kLineWindow) {
        // The last bytes, padded with NULs (no LF) to a whole window.
        char tail[kLineWindow] = {};
        if (at != end)
            std::memcpy(tail, at, static_cast<std::size_t>(end - at));
        return LineBreakBits(tail, tail + kLineWindow);
    }
    std::uint64_t bits = 0;
#if defined(__SSE2__)
    const __m128i lf = _mm_set1_epi8('\n');
    for (std::size_t step = 0; step < kLineWindow; step += sizeof(__m128i)) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + step));
        const auto hits = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, lf)));
        bits |= static_cast<std::uint64_t>(hits) << step;
    }
#else
    for (std::size_t i = 0; i < kLineWindow; ++i)
        bits |= static_cast<std::uint64_t>(at[i] == '\n') << i;
#endif
    return bits;
}

std::string_view FirstHeadLines(std::string_view head, std::size_t maxLines)
{
    if (maxLines == 0)
        return head.substr(0, 0);
    const char* const end = head.data() + head.size();
    std::size_t lines = 0;
    for (std::size_t window = 0; window < head.size(); window += kLineWindow) {
        std::uint64_t breaks = LineBreakBits(head.data() + window, end);
        const auto count = static_cast<std::size_t>(std::popcount(breaks));
        if (lines + count >= maxLines) {
            // Drop the LFs before the last line's own.
            for (; lines + 1 < maxLines; ++lines)
                breaks &= breaks - 1;
            return head.substr(0, window + static_cast<std::size_t>(std::countr_zero(breaks)) + 1);
        }
        lines += count;
    }
    return head;
}

}  // namespace PrjHelper
