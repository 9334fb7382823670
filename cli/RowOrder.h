// The order and number of rows the table, the CSV and the JSON groups list: --sort and
// --top over a scan's rows or groups.
//
// Functions of main's thread.
#pragma once

#include <cstddef>

#include "cli/CliOptions.h"
#include "scan/ScanResult.h"

namespace lintally::cli {

// Sorts result's rows and groups by key (numbers largest first, ties in name order; Default
// keeps files in list order and puts groups by counted lines), then keeps the first top of
// each (all when top is 0). The totals are left as they are.
void OrderRows(scan::ScanResult& result, SortKey key, std::size_t top);

}  // namespace lintally::cli
