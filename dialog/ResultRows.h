// CResultRows: the result list's rows (relative file name, counted lines) in the order the
// list shows them. The rows are stored in the order they arrive; a vector of their indexes
// is kept in row-name order (scan::RowNameLess), so a new row goes to its place by binary
// search and an insert moves 4-byte indexes only: 100,000 rows stay cheap.
//
// Owned by the dialog core; UI thread only.
#pragma once

#include "scan/Row.h"

#include <cstdint>
#include <string>
#include <vector>

class CResultRows
{
public:
    // Inserts the row at its sorted place, after any equal names, and returns that index.
    int Insert(std::string name, std::uint64_t lines);
    void Clear();
    [[nodiscard]] int Count() const { return static_cast<int>(m_order.size()); }
    // The row shown at index (0 <= index < Count()).
    [[nodiscard]] const lintally::scan::Row& At(int index) const;
    // Every row, top to bottom.
    [[nodiscard]] std::vector<lintally::scan::Row> Sorted() const;

private:
    std::vector<lintally::scan::Row> m_rows;  // in arrival order
    std::vector<std::uint32_t> m_order;       // indexes into m_rows, in row-name order
};
