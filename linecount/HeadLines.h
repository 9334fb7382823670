// The lines of a file's first bytes, as the content rules see them: each without its LF,
// trailing CR and leading spaces and tabs; blank lines are passed over. A line cut by the
// end of the bytes is the last one.
//
// Pure inline functions; any thread may call them.
#pragma once

#include <cstddef>
#include <string_view>

namespace PrjHelper {

// Calls test(line) for each non-blank line of head, in order, until it gives true (then true)
// or maxLines lines (blank ones included) have gone by.
template <typename Test>
bool AnyHeadLine(std::string_view head, std::size_t maxLines, Test test)
{
    for (std::size_t lines = 0; !head.empty() && lines < maxLines; ++lines) {
        const std::size_t lf = head.find('\n');
        std::string_view line = head.substr(0, lf);
        head.remove_prefix(lf == std::string_view::npos ? head.size() : lf + 1);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        const std::size_t start = line.find_first_not_of(" \t");
        if (start != std::string_view::npos && test(line.substr(start)))
            return true;
    }
    return false;
}

[[nodiscard]] constexpr char LowerAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace PrjHelper
