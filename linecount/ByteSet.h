// A small set of byte values and a search for the first of them in a run of bytes.
//
// The counter skips the bytes that can neither begin a marker or a string nor end a line or a
// block; the search looks at sixteen bytes per step when the set is small enough. A set is
// built once and then only read, so one set may serve any number of threads. A Cursor finds
// the members of 64 bytes at once and hands them out one by one, for a reader that asks for
// the next member again and again as it moves forward; it belongs to one thread. White space
// within a line is searched past the same way, sixteen bytes per step.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>

namespace PrjHelper {

// Space, tab, CR, form feed and vertical tab; LF ends a line and is none.
[[nodiscard]] inline bool IsWhite(char c)
{
    constexpr std::uint64_t kWhite =
        1ULL << ' ' | 1ULL << '\t' | 1ULL << '\r' | 1ULL << '\f' | 1ULL << '\v';
    const auto byte = static_cast<unsigned char>(c);
    return byte <= ' ' && (kWhite >> byte & 1) != 0;
}

// The first byte from at up to end that is not white space, or end.
[[nodiscard]] const char* SkipWhite(const char* at, const char* end);

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

    class Cursor;

private:
    bool m_has[256] = {};
    std::size_t m_count = 0;
    // Rows compared per sixteen-byte step: 1, 2, 4 or 8; 0 to search byte by byte (an
    // empty set, or one too large).
    unsigned char m_rows = 0;
    // Each member sixteen times over, one per row; rows past the members repeat the last one.
    alignas(16) unsigned char m_repeated[kWideMax][16] = {};
    // A Cursor's search from at up to end, a window of 64 bytes at a time (the last one ends at
    // end): the first member, or end; the window searched last is left in base and mask (its
    // members at and after at). Chosen for m_rows and the processor when a member is added
    // (null while m_rows is 0); needs end - at >= 64 or a window that ends at end.
    using WindowSearch = const char* (*)(const unsigned char (&)[kWideMax][16], const char* at,
                                         const char* end, const char*& base, std::uint64_t& mask);
    WindowSearch m_windows = nullptr;
};

// The members of a set in the bytes from begin to end, which stay readable while it is used.
class ByteSet::Cursor
{
public:
    static constexpr std::size_t kWindow = 64;

    Cursor(const ByteSet& set, const char* begin, const char* end)
        : m_begin(begin), m_end(end), m_base(begin)
    {
        Use(set);
    }
    // Searches for the members of another set from here on.
    void Use(const ByteSet& set)
    {
        m_set = &set;
        // Fewer bytes than a window are searched by the set itself.
        m_windows =
            m_end - m_begin >= static_cast<std::ptrdiff_t>(kWindow) ? set.m_windows : nullptr;
        m_span = 0;
    }
    // The first member from at (between begin and end) up to end, or end.
    [[nodiscard]] const char* FindIn(const char* at)
    {
        const auto offset = static_cast<std::size_t>(at - m_base);
        if (offset < m_span) {
            if (const std::uint64_t bits = m_mask & ~0ULL << offset; bits != 0)
                return m_base + std::countr_zero(bits);
            return Refill(m_base + kWindow);
        }
        return Refill(at);
    }

private:
    // Finds the members of the window that holds at, and of those after it while none is.
    const char* Refill(const char* at)
    {
        if (m_windows == nullptr)
            return m_set->FindIn(at, m_end);
        m_span = kWindow;
        return m_windows(m_set->m_repeated, at, m_end, m_base, m_mask);
    }

    const ByteSet* m_set = nullptr;
    WindowSearch m_windows = nullptr;  // the set's search, or null to search without windows
    const char* m_begin;
    const char* m_end;
    // The window: kWindow bytes from m_base whose members are m_mask's bits (m_span 0 while
    // there is none).
    const char* m_base;
    std::size_t m_span = 0;
    std::uint64_t m_mask = 0;
};

}  // namespace PrjHelper
