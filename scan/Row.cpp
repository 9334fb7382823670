#include "scan/Row.h"

#include <algorithm>

#include "scan/AsciiCase.h"

namespace lintally::scan {

bool RowNameLess(std::string_view a, std::string_view b)
{
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned char ca = FoldAscii(static_cast<unsigned char>(a[i]));
        const unsigned char cb = FoldAscii(static_cast<unsigned char>(b[i]));
        if (ca != cb) {
            return ca < cb;
        }
    }
    if (a.size() != b.size()) {
        return a.size() < b.size();
    }
    // std::string_view compares through char_traits<char>, which orders bytes unsigned.
    return a < b;
}

}  // namespace lintally::scan
