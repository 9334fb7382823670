// The order and number of rows the table, the CSV and the JSON groups list: a sort key and
// a top count over a scan's rows or groups.
//
// Pure functions; any thread may call them on values it owns.
#pragma once

#include <cstddef>

#include "scan/ScanResult.h"

namespace lintally::results {

// What rows are listed by; Default: the grouping's own order (counted lines, largest first,
// for groups; the list order for files).
enum class SortKey
{
    Default,
    Name,
    Files,
    Lines,
    Code,
    Comment,
    Blank,
    Counted,
};

// Sorts result's rows and groups by key (numbers largest first, ties in name order; Default
// keeps files in list order and puts groups by counted lines), then keeps the first top of
// each (all when top is 0). The totals are left as they are.
void OrderRows(scan::ScanResult& result, SortKey key, std::size_t top);

}  // namespace lintally::results
