// One result row (a counted file's relative name, its line count under the scan's options,
// its lines by kind and its language id) and the order rows are listed in: by name, ASCII
// case-insensitive, ties broken by plain byte order.
//
// A Row is a plain value; the functions are pure and any thread may call them on rows it
// owns.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "linecount/DetailTally.h"
#include "linecount/LineBreakdown.h"

namespace lintally::scan {

struct Row
{
    std::string name;
    std::uint64_t lines = 0;
    PrjHelper::LineBreakdown kinds{};
    std::int32_t lang = 0;
    std::uint64_t complexity = 0;
    std::vector<PrjHelper::EmbeddedPart> embedded{};
};

// 'A'-'Z' fold to 'a'-'z', bytes compare unsigned, a prefix sorts first; names equal
// under folding are ordered by their plain bytes, so the order is total and stable.
[[nodiscard]] bool RowNameLess(std::string_view a, std::string_view b);

}  // namespace lintally::scan
