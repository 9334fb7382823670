#include "results/TextWidth.h"

#include <algorithm>
#include <iterator>

#include "fileio/Utf8Text.h"

namespace lintally::results {

namespace {

struct Range
{
    char32_t first;
    char32_t last;
};

// Combining marks and zero-width characters, sorted: the common blocks, not every mark.
constexpr Range kZeroWidth[] = {
    {0x0300, 0x036F}, {0x0483, 0x0489}, {0x0591, 0x05BD}, {0x0610, 0x061A}, {0x064B, 0x065F},
    {0x0E31, 0x0E31}, {0x0E34, 0x0E3A}, {0x0E47, 0x0E4E}, {0x1AB0, 0x1AFF}, {0x1DC0, 0x1DFF},
    {0x200B, 0x200F}, {0x202A, 0x202E}, {0x2060, 0x2069}, {0x20D0, 0x20FF}, {0xFE00, 0xFE0F},
    {0xFE20, 0xFE2F}, {0xFEFF, 0xFEFF},
};

// East Asian wide and fullwidth characters and the emoji blocks, sorted.
constexpr Range kDoubleWidth[] = {
    {0x1100, 0x115F},   {0x2E80, 0x303E},   {0x3041, 0x33FF},   {0x3400, 0x4DBF},
    {0x4E00, 0x9FFF},   {0xA000, 0xA4CF},   {0xAC00, 0xD7A3},   {0xF900, 0xFAFF},
    {0xFE30, 0xFE4F},   {0xFF00, 0xFF60},   {0xFFE0, 0xFFE6},   {0x1F300, 0x1F64F},
    {0x1F900, 0x1F9FF}, {0x20000, 0x2FFFD}, {0x30000, 0x3FFFD},
};

template <std::size_t N>
bool Holds(const Range (&ranges)[N], char32_t point)
{
    const auto* after = std::upper_bound(std::begin(ranges), std::end(ranges), point,
                                         [](char32_t p, const Range& r) { return p < r.first; });
    return after != std::begin(ranges) && point <= std::prev(after)->last;
}

}  // namespace

std::size_t DisplayWidth(std::string_view text)
{
    std::size_t width = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t length = Brim::Utf8SequenceLength(text, i);
        if (length <= 1) {
            ++width;
            ++i;
            continue;
        }
        const char32_t point = Brim::Utf8CodePoint(text, i, length);
        width += Holds(kZeroWidth, point) ? 0 : Holds(kDoubleWidth, point) ? 2 : 1;
        i += length;
    }
    return width;
}

}  // namespace lintally::results
