// The lines of a file's first bytes, as the content rules see them: each without its LF,
// trailing CR and leading spaces and tabs; blank lines are passed over. A line cut by the
// end of the bytes is the last one.
//
// Pure inline functions; any thread may call them.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

namespace PrjHelper {

// Calls test(line) for each non-blank line of head, in order, until it gives true (then true)
// or maxLines lines (blank ones included) have gone by.
template <typename Test>
bool AnyHeadLine(std::string_view head, std::size_t maxLines, Test test)
{
    const char* at = head.data();
    const char* const end = at + head.size();
    for (std::size_t lines = 0; at < end && lines < maxLines; ++lines) {
        const void* found = std::memchr(at, '\n', static_cast<std::size_t>(end - at));
        const char* lf = found == nullptr ? end : static_cast<const char*>(found);
        const char* last = lf;
        if (last > at && last[-1] == '\r')
            --last;
        while (at < last && (*at == ' ' || *at == '\t'))
            ++at;
        if (at < last && test(std::string_view(at, static_cast<std::size_t>(last - at))))
            return true;
        at = lf + 1;
    }
    return false;
}

[[nodiscard]] constexpr char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace PrjHelper
