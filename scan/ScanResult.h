// What one scan found: its rows in list order, the total of their lines, and whether a
// stop request ended it early (the rows are then those counted up to the stop).
//
// A plain value owned by the caller.
#pragma once

#include <cstdint>
#include <vector>

#include "scan/Row.h"

namespace lintally::scan {

struct ScanResult
{
    std::vector<Row> rows;
    std::uint64_t total = 0;
    bool stopped = false;
};

}  // namespace lintally::scan
