#include "dialog/NameElision.h"

#include "fileio/PathSeparator.h"

#include <cstddef>
#include <vector>

namespace {

// The byte offsets where text's characters start, and its length last: the places a cut
// may fall without splitting a UTF-8 sequence.
std::vector<std::size_t> CutPoints(std::string_view text)
{
    std::vector<std::size_t> points;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            points.push_back(i);
        }
    }
    points.push_back(text.size());
    return points;
}

// The largest n in [0, last] for which fits(n) holds (0 when none does), given that it
// holds for no n above one for which it fails.
std::size_t LargestFitting(std::size_t last, const std::function<bool(std::size_t)>& fits)
{
    std::size_t low = 0;
    std::size_t high = last;
    while (low < high) {
        const std::size_t middle = low + (high - low + 1) / 2;
        if (fits(middle)) {
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    return low;
}

}  // namespace

std::string ElideNameMiddle(std::string_view name, std::string_view ellipsis,
                            const std::function<bool(std::string_view)>& fits)
{
    if (fits(name)) {
        return std::string(name);
    }
    const std::vector<std::size_t> cuts = CutPoints(name);
    const std::size_t characters = cuts.size() - 1;
    const auto joined = [&](std::size_t headEnd, std::size_t tailStart) {
        return std::string(name.substr(0, headEnd)) + std::string(ellipsis) +
               std::string(name.substr(tailStart));
    };

    std::size_t fileStart = name.size();
    while (fileStart > 0 && !Brim::IsPathSeparator(name[fileStart - 1])) {
        --fileStart;
    }
    if (fileStart > 0) {
        // The start up to at most the file's separator, then the separator and the file name.
        const std::size_t separator = fileStart - 1;
        const auto withHead = [&](std::size_t n) { return fits(joined(cuts[n], separator)); };
        if (withHead(0)) {
            std::size_t headCharacters = 0;
            while (cuts[headCharacters + 1] <= separator) {
                ++headCharacters;
            }
            return joined(cuts[LargestFitting(headCharacters, withHead)], separator);
        }
    }
    // n characters kept: the start's half rounded down, the end's half rounded up.
    const auto bothEnds = [&](std::size_t n) {
        return joined(cuts[n / 2], cuts[characters - (n - n / 2)]);
    };
    return bothEnds(LargestFitting(characters, [&](std::size_t n) { return fits(bothEnds(n)); }));
}
