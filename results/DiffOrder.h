// The order and number of the rows a diff lists: a sort key and a top count over its groups
// or its files, as --sort and --top give them.
//
// Pure functions; any thread may call them on values it owns.
#pragma once

#include <cstddef>
#include <vector>

#include "results/CountDiff.h"
#include "results/RowOrder.h"

namespace lintally::results {

// Sorts groups by key, then keeps the first top (all when top is 0). A number key sorts by
// the size of the change of that kind, largest first (Files: the files added, removed and
// changed; Lines and Counted: the counted lines), ties in name order; Name and Default keep
// name order.
void OrderDiffGroups(std::vector<DiffRow>& groups, SortKey key, std::size_t top);

// The indexes of diff's files (its pairs) in the order key gives, the first top of them.
[[nodiscard]] std::vector<std::size_t> OrderDiffFiles(const CountDiff& diff, SortKey key,
                                                      std::size_t top);

}  // namespace lintally::results
