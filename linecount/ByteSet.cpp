#include "linecount/ByteSet.h"

#include <bit>
#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
// On x86-64 Linux a window's bytes are compared 32 at a time where the processor has AVX2;
// every other build compares them 16 at a time.
#if defined(__x86_64__) && defined(__linux__)
#define LINTALLY_WINDOW_AVX2 1
#include <immintrin.h>
#endif

namespace PrjHelper {

namespace {

constexpr std::size_t kStep = 16;
// Sixteen bytes compared at once (SSE2 on x86-64, plain code elsewhere).
using Bytes = unsigned char __attribute__((vector_size(kStep)));
using Hits = signed char __attribute__((vector_size(kStep)));

// A bit for each hit among the sixteen bytes, the first byte's lowest.
std::uint64_t HitBits(const Hits& hits)
{
#if defined(__SSE2__)
    return static_cast<unsigned>(_mm_movemask_epi8(reinterpret_cast<__m128i>(hits)));
#else
    std::uint64_t bits = 0;
    for (std::size_t i = 0; i < kStep; ++i)
        bits |= static_cast<std::uint64_t>(hits[i] != 0) << i;
    return bits;
#endif
}

// Where the first hit is among the sixteen bytes (each hit byte is all ones); kStep if none.
std::size_t FirstHit(const Hits& hits)
{
    const std::uint64_t bits = HitBits(hits);
    return bits == 0 ? kStep : static_cast<std::size_t>(std::countr_zero(bits));
}

// A bit for each of the sixteen bytes from from that is neither a space nor a tab (the white
// space of nearly every indent; the rarer CR, form feed and vertical tab are tested one by one).
std::uint64_t NonBlankBits(const char* from)
{
    Bytes bytes;
    std::memcpy(&bytes, from, kStep);
    return ~HitBits((bytes == ' ') | (bytes == '\t')) & 0xFFFF;
}

// The window search of a Cursor: window(from) gives a bit for each of the 64 bytes from from
// that is a member.
template <typename Window>
const char* SearchWindows(Window window, const char* at, const char* end, const char*& base,
                          std::uint64_t& mask)
{
    constexpr auto kSpan = static_cast<std::ptrdiff_t>(ByteSet::Cursor::kWindow);
    while (at != end) {
        // The last window ends at end and may begin before at, on bytes already read.
        const char* from = end - at >= kSpan ? at : end - kSpan;
        base = from;
        mask = window(from) & ~0ULL << (at - from);
        if (mask != 0)
            return from + std::countr_zero(mask);
        at = from + kSpan;
    }
    return end;
}

// Windows whose bytes are compared sixteen at a time with the N members.
template <std::size_t N>
const char* WindowBits(const unsigned char (&repeated)[ByteSet::kWideMax][kStep], const char* at,
                       const char* end, const char*& base, std::uint64_t& mask)
{
    Bytes members[N];
    std::memcpy(members, repeated, sizeof members);
    return SearchWindows(
        [&members](const char* from) {
            std::uint64_t bits = 0;
            for (std::size_t part = 0; part < ByteSet::Cursor::kWindow / kStep; ++part) {
                Bytes bytes;
                std::memcpy(&bytes, from + part * kStep, kStep);
                Hits hits = bytes == members[0];
                for (std::size_t i = 1; i < N; ++i)
                    hits |= bytes == members[i];
                bits |= HitBits(hits) << (part * kStep);
            }
            return bits;
        },
        at, end, base, mask);
}

#if defined(LINTALLY_WINDOW_AVX2)
// A bit for each of the 64 bytes from from that is one of the N members, 32 bytes a step.
template <std::size_t N>
__attribute__((target("avx2"), always_inline)) inline std::uint64_t Avx2Window(
    const unsigned char (&repeated)[ByteSet::kWideMax][kStep], const char* from)
{
    using Wide = unsigned char __attribute__((vector_size(2 * kStep)));
    std::uint64_t bits = 0;
    for (std::size_t part = 0; part < ByteSet::Cursor::kWindow / sizeof(Wide); ++part) {
        Wide bytes;
        std::memcpy(&bytes, from + part * sizeof(Wide), sizeof bytes);
        auto hits = bytes == repeated[0][0];
        for (std::size_t i = 1; i < N; ++i)
            hits |= bytes == repeated[i][0];
        bits |= static_cast<std::uint64_t>(static_cast<std::uint32_t>(
                    _mm256_movemask_epi8(reinterpret_cast<__m256i>(hits))))
                << (part * sizeof(Wide));
    }
    return bits;
}

// SearchWindows over Avx2Window: the loop is written out here, where AVX2 code may be inlined.
template <std::size_t N>
__attribute__((target("avx2"))) const char* WindowBitsAvx2(
    const unsigned char (&repeated)[ByteSet::kWideMax][kStep], const char* at, const char* end,
    const char*& base, std::uint64_t& mask)
{
    constexpr auto kSpan = static_cast<std::ptrdiff_t>(ByteSet::Cursor::kWindow);
    while (at != end) {
        const char* from = end - at >= kSpan ? at : end - kSpan;
        base = from;
        mask = Avx2Window<N>(repeated, from) & ~0ULL << (at - from);
        if (mask != 0)
            return from + std::countr_zero(mask);
        at = from + kSpan;
    }
    return end;
}

bool HasAvx2()
{
    static const bool avx2 = [] {
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2") != 0;
    }();
    return avx2;
}

template <std::size_t N>
auto WindowSearchFor()
{
    return HasAvx2() ? &WindowBitsAvx2<N> : &WindowBits<N>;
}
#else
template <std::size_t N>
auto WindowSearchFor()
{
    return &WindowBits<N>;
}
#endif

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

const char* SkipWhite(const char* at, const char* end)
{
    while (end - at >= static_cast<std::ptrdiff_t>(kStep)) {
        const std::uint64_t bits = NonBlankBits(at);
        if (bits == 0) {
            at += kStep;
            continue;
        }
        at += std::countr_zero(bits);
        if (!IsWhite(*at))
            return at;
        ++at;
    }
    while (at < end && IsWhite(*at))
        ++at;
    return at;
}

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
    switch (m_rows) {
    case 1:
        m_windows = WindowSearchFor<1>();
        break;
    case 2:
        m_windows = WindowSearchFor<2>();
        break;
    case 4:
        m_windows = WindowSearchFor<4>();
        break;
    case 8:
        m_windows = WindowSearchFor<8>();
        break;
    default:
        m_windows = nullptr;
        break;
    }
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
