#include "results/FormatThousands.h"

namespace lintally::results {

std::string FormatThousands(std::int64_t value)
{
    // Work on the magnitude as unsigned so the most negative value has no overflow.
    const bool negative = value < 0;
    std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    std::string reversed;
    int digits = 0;
    do {
        if (digits > 0 && digits % 3 == 0) {
            reversed.push_back(',');
        }
        reversed.push_back(static_cast<char>('0' + magnitude % 10));
        magnitude /= 10;
        ++digits;
    } while (magnitude != 0);
    if (negative) {
        reversed.push_back('-');
    }
    return std::string(reversed.rbegin(), reversed.rend());
}

}  // namespace lintally::results
