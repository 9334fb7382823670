// ASCII case folding for names: only 'A'-'Z' fold to 'a'-'z'; every other byte, including
// bytes above 127, stays as it is, so names in any 8-bit encoding compare the same way
// everywhere.
//
// Pure inline functions; any thread may call them.
#pragma once

#include <string_view>

namespace lintally::scan {

[[nodiscard]] constexpr unsigned char FoldAscii(unsigned char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

[[nodiscard]] constexpr bool EqualsIgnoreAsciiCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(static_cast<unsigned char>(a[i])) !=
            FoldAscii(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace lintally::scan
