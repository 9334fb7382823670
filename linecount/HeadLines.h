// The lines of a file's first bytes, as the content rules see them: each without its LF,
// trailing CR and leading spaces and tabs; blank lines are passed over. A line cut by the
// end of the bytes is the last one.
//
// The LFs are found a window of kLineWindow bytes at a time and then taken bit by bit, so a
// short line costs no library call of its own.
//
// Pure functions; any thread may call them.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace PrjHelper {

inline constexpr std::size_t kLineWindow = 64;

// A bit for each LF among the kLineWindow bytes from at, the first byte's lowest; only the
// bytes before end are read (none past it count).
[[nodiscard]] std::uint64_t LineBreakBits(const char* at, const char* end);

// The first maxLines lines of head with their LFs; all of head when it has no more.
[[nodiscard]] std::string_view FirstHeadLines(std::string_view head, std::size_t maxLines);

// Calls test(line) for each non-blank line of head whose first byte may(byte) lets by, in order,
// until it gives true (then true). may must let by the first byte of every line that test may
// give true for: the lines it stops cost no more than finding their end and their first byte.
template <typename May, typename Test>
bool AnyHeadLine(std::string_view head, May may, Test test)
{
    const char* at = head.data();
    const char* const end = at + head.size();
    // The LFs of the window from window that no line has ended at yet.
    const char* window = at;
    std::uint64_t breaks = LineBreakBits(window, end);
    while (at < end) {
        while (breaks == 0 && static_cast<std::size_t>(end - window) > kLineWindow) {
            window += kLineWindow;
            breaks = LineBreakBits(window, end);
        }
        const char* const lf = breaks != 0 ? window + std::countr_zero(breaks) : end;
        breaks &= breaks - 1;
        while (at < lf && (*at == ' ' || *at == '\t'))
            ++at;
        if (at < lf && may(*at)) {
            const char* const last = lf[-1] == '\r' ? lf - 1 : lf;
            if (at < last && test(std::string_view(at, static_cast<std::size_t>(last - at))))
                return true;
        }
        at = lf == end ? end : lf + 1;
    }
    return false;
}

template <typename Test>
bool AnyHeadLine(std::string_view head, Test test)
{
    return AnyHeadLine(
        head, [](char) { return true; }, test);
}

[[nodiscard]] constexpr char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace PrjHelper
