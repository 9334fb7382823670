#include "linecount/ByteSet.h"

#include <bit>
#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace PrjHelper {

namespace {

constexpr std::size_t kStep = 16;
// Sixteen bytes compared at once (SSE2 on x86-64, plain code elsewhere).
using Bytes = unsigned char __attribute__((vector_size(kStep)));
using Hits = signed char __attribute__((vector_size(kStep)));

// Where the first hit is among the sixteen bytes (each hit byte is all ones); kStep if none.
std::size_t FirstHit(const Hits& hits)
{
#if defined(__SSE2__)
    const auto bits = static_cast<unsigned>(_mm_movemask_epi8(reinterpret_cast<__m128i>(hits)));
    return bits == 0 ? kStep : static_cast<std::size_t>(std::countr_zero(bits));
#else
    std::uint64_t half[2];
    std::memcpy(half, &hits, sizeof half);
    for (std::size_t i = 0; i < 2; ++i) {
        if (half[i] != 0) {
            const int bit = std::endian::native == std::endian::little ? std::countr_zero(half[i])
                                                                       : std::countl_zero(half[i]);
            return i * 8 + static_cast<std::size_t>(bit) / 8;
        }
    }
    return kStep;
#endif
}

// The first member from at up to end, sixteen bytes at a time; N members are compared with
// each step (the set's members repeated up to N).
template <std::size_t N>
const char* FindWide(const unsigned char (&repeated)[ByteSet::kWideMax][kStep], const char* at,
                     const char* end)
{
    Bytes members[N];
    std::memcpy(members, repeated, sizeof members);
    const auto firstHit = [&members](const char* from) {
        Bytes bytes;
        std::memcpy(&bytes, from, kStep);
        Hits hits = bytes == members[0];
        for (std::size_t i = 1; i < N; ++i)
            hits |= bytes == members[i];
        return FirstHit(hits);
    };
    for (; end - at >= static_cast<std::ptrdiff_t>(kStep); at += kStep) {
        if (const std::size_t hit = firstHit(at); hit < kStep)
            return at + hit;
    }
    // The last sixteen bytes overlap bytes already read, which hold no member.
    if (at == end)
        return end;
    const std::size_t hit = firstHit(end - kStep);
    return hit < kStep ? end - kStep + hit : end;
}

}  // namespace

void ByteSet::Add(char byte)
{
    if (Has(byte))
        return;
    m_has[static_cast<unsigned char>(byte)] = true;
    ++m_count;
    // The rows past the members repeat the last one, so 1, 2, 4 or 8 rows may be compared.
    for (std::size_t row = m_count - 1; m_count <= kWideMax && row < kWideMax; ++row)
        std::memset(m_repeated[row], static_cast<unsigned char>(byte), kStep);
    m_rows = m_count <= kWideMax ? static_cast<unsigned char>(std::bit_ceil(m_count)) : 0;
}

const char* ByteSet::FindIn(const char* at, const char* end) const
{
    if (end - at >= static_cast<std::ptrdiff_t>(kStep)) {
        switch (m_rows) {
        case 1:
            return FindWide<1>(m_repeated, at, end);
        case 2:
            return FindWide<2>(m_repeated, at, end);
        case 4:
            return FindWide<4>(m_repeated, at, end);
        case 8:
            return FindWide<8>(m_repeated, at, end);
        default:
            break;
        }
    }
    while (at < end && !Has(*at))
        ++at;
    return at;
}

}  // namespace PrjHelper
