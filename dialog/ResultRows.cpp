#include "dialog/ResultRows.h"

#include <algorithm>

using lintally::scan::Row;

int CResultRows::Insert(std::string name, std::uint64_t lines)
{
    // After any equal names, like a list that inserts a new item behind its equals.
    const auto place = std::upper_bound(
        m_order.begin(), m_order.end(), name, [this](const std::string& key, std::uint32_t row) {
            return lintally::scan::RowNameLess(key, m_rows[row].name);
        });
    const int index = static_cast<int>(place - m_order.begin());
    m_order.insert(place, static_cast<std::uint32_t>(m_rows.size()));
    m_rows.push_back(Row{std::move(name), lines});
    return index;
}

void CResultRows::Clear()
{
    m_rows = {};
    m_order = {};
}

const Row& CResultRows::At(int index) const
{
    return m_rows[m_order[static_cast<std::size_t>(index)]];
}

std::vector<Row> CResultRows::Sorted() const
{
    std::vector<Row> rows;
    rows.reserve(m_order.size());
    for (const std::uint32_t row : m_order) {
        rows.push_back(m_rows[row]);
    }
    return rows;
}
