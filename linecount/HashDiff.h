// How many lines one version of a text adds and removes against another, from the hashes of
// their lines (see CodeLineHashes.h): the counts of a minimal line diff, the fewest lines
// added plus removed, without building the diff itself.
//
// The common first and last lines are set aside, then the lines one side holds and the other
// does not (they cannot be matched), and Myers' O(ND) search finds the fewest edits D of what
// is left in memory of O(D). Its time grows with (lines) x D, so a work limit bounds it: two
// long texts that differ nearly everywhere are given up rather than compared for hours.
//
// A pure function over vectors its caller owns; any thread may call it.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace PrjHelper {

struct LineEdits
{
    std::uint64_t added = 0;
    std::uint64_t removed = 0;
};

enum class DiffEnd
{
    Done,
    TooCostly,  // the search would take more than the work limit
    Stopped,    // keepGoing said no
    NoMemory,   // the search's tables could not be held
};

// The lines of after that before lacks and of before that after lacks, by line hash. Both
// vectors are used as scratch space (lines are taken out of them). workLimit: the most steps
// of the search (a line compared, or a diagonal tried); keepGoing, when given, is asked now
// and then while it runs.
[[nodiscard]] DiffEnd CountLineEdits(std::vector<std::uint64_t>& before,
                                     std::vector<std::uint64_t>& after, std::uint64_t workLimit,
                                     LineEdits& edits, const std::function<bool()>& keepGoing = {});

}  // namespace PrjHelper
