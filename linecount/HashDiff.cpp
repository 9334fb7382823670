#include "linecount/HashDiff.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstddef>
#include <new>

namespace PrjHelper {

namespace {

using Lines = std::vector<std::uint64_t>;

// Takes out the first and last lines both sides share; returns how many.
std::size_t TakeCommonEnds(Lines& before, Lines& after)
{
    const std::size_t shorter = std::min(before.size(), after.size());
    std::size_t head = 0;
    while (head < shorter && before[head] == after[head]) {
        ++head;
    }
    std::size_t tail = 0;
    while (tail < shorter - head &&
           before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) {
        ++tail;
    }
    for (Lines* side : {&before, &after}) {
        side->resize(side->size() - tail);
        side->erase(side->begin(), side->begin() + static_cast<std::ptrdiff_t>(head));
    }
    return head + tail;
}

// Takes out the lines of each side whose hash the other side surely lacks: no common line
// is among them. A table of a byte per slot marks the slots each side's hashes fall in; two
// hashes sharing a slot only keep a line that could have gone.
void TakeUnmatchable(Lines& before, Lines& after)
{
    if (before.empty() || after.empty()) {
        return;
    }
    const std::size_t slots = std::bit_ceil(2 * (before.size() + after.size()));
    const int shift = 64 - std::countr_zero(slots);
    std::vector<std::uint8_t> seen(slots, 0);
    const auto slot = [shift](std::uint64_t hash) { return hash >> shift; };
    for (const std::uint64_t hash : before) {
        seen[slot(hash)] |= 1;
    }
    for (const std::uint64_t hash : after) {
        seen[slot(hash)] |= 2;
    }
    std::erase_if(before, [&](std::uint64_t hash) { return (seen[slot(hash)] & 2) == 0; });
    std::erase_if(after, [&](std::uint64_t hash) { return (seen[slot(hash)] & 1) == 0; });
}

// Myers' greedy search for the fewest edits between a and b, keeping only the furthest point
// reached on each diagonal k = x - y. Sets edits and returns Done, or gives up.
DiffEnd FewestEdits(const Lines& a, const Lines& b, std::uint64_t workLimit,
                    const std::function<bool()>& keepGoing, std::uint64_t& edits)
{
    const auto n = static_cast<std::int64_t>(a.size());
    const auto m = static_cast<std::int64_t>(b.size());
    // Step d tries d + 1 diagonals, so d stays below the square root of twice the limit.
    const std::int64_t most = std::min<std::int64_t>(
        n + m, static_cast<std::int64_t>(std::sqrt(2.0 * static_cast<double>(workLimit))) + 1);
    std::vector<std::int64_t> furthest(static_cast<std::size_t>(2 * most + 3), 0);
    const auto at = [&](std::int64_t k) -> std::int64_t& {
        return furthest[static_cast<std::size_t>(k + most + 1)];
    };
    constexpr std::uint64_t kAskEvery = std::uint64_t{1} << 22;
    std::uint64_t work = 0;
    std::uint64_t nextAsk = 0;
    for (std::int64_t d = 0; d <= most; ++d) {
        for (std::int64_t k = -d; k <= d; k += 2) {
            std::int64_t x =
                k == -d || (k != d && at(k - 1) < at(k + 1)) ? at(k + 1) : at(k - 1) + 1;
            const std::int64_t start = x;
            while (x < n && x - k < m &&
                   a[static_cast<std::size_t>(x)] == b[static_cast<std::size_t>(x - k)]) {
                ++x;
            }
            work += static_cast<std::uint64_t>(x - start);
            at(k) = x;
            if (x >= n && x - k >= m) {
                edits = static_cast<std::uint64_t>(d);
                return DiffEnd::Done;
            }
        }
        work += static_cast<std::uint64_t>(d) + 1;
        if (work > workLimit) {
            return DiffEnd::TooCostly;
        }
        if (work >= nextAsk) {
            nextAsk = work + kAskEvery;
            if (keepGoing && !keepGoing()) {
                return DiffEnd::Stopped;
            }
        }
    }
    return DiffEnd::TooCostly;
}

}  // namespace

DiffEnd CountLineEdits(Lines& before, Lines& after, std::uint64_t workLimit, LineEdits& edits,
                       const std::function<bool()>& keepGoing)
{
    edits = {};
    const std::uint64_t beforeLines = before.size();
    const std::uint64_t afterLines = after.size();
    const std::uint64_t ends = TakeCommonEnds(before, after);
    std::uint64_t fewest = 0;
    try {
        TakeUnmatchable(before, after);
        if (const DiffEnd end = FewestEdits(before, after, workLimit, keepGoing, fewest);
            end != DiffEnd::Done) {
            return end;
        }
    } catch (const std::bad_alloc&) {
        return DiffEnd::NoMemory;
    }
    // The fewest edits keep the longest common subsequence: fewest = n + m - 2 * common.
    const std::uint64_t common = ends + (before.size() + after.size() - fewest) / 2;
    edits = {afterLines - common, beforeLines - common};
    return DiffEnd::Done;
}

}  // namespace PrjHelper
