#include "results/RowOrder.h"

#include <algorithm>

namespace lintally::results {

namespace {

std::uint64_t FilesOf(const scan::RowView&)
{
    return 1;
}

std::uint64_t FilesOf(const scan::GroupRow& group)
{
    return group.files;
}

template <typename T>
std::uint64_t SortValue(const T& row, SortKey key)
{
    switch (key) {
    case SortKey::Files:
        return FilesOf(row);
    case SortKey::Lines:
        return row.kinds.Physical();
    case SortKey::Code:
        return row.kinds.code;
    case SortKey::Comment:
        return row.kinds.comment;
    case SortKey::Blank:
        return row.kinds.blank;
    case SortKey::Default:
    case SortKey::Name:
    case SortKey::Counted:
        break;
    }
    return row.lines;
}

// rows arrive in name order, so a stable sort leaves ties in it.
template <typename T>
void Order(std::vector<T>& rows, SortKey key, std::size_t top)
{
    if (key != SortKey::Name) {
        std::stable_sort(rows.begin(), rows.end(), [key](const T& a, const T& b) {
            return SortValue(a, key) > SortValue(b, key);
        });
    }
    if (top != 0 && rows.size() > top) {
        rows.resize(top);
    }
}

void Order(scan::RowList& rows, SortKey key, std::size_t top)
{
    if (key != SortKey::Name) {
        rows.StableSort([key](const scan::RowView& a, const scan::RowView& b) {
            return SortValue(a, key) > SortValue(b, key);
        });
    }
    if (top != 0) {
        rows.Truncate(top);
    }
}

}  // namespace

void OrderRows(scan::ScanResult& result, SortKey key, std::size_t top)
{
    Order(result.rows, key == SortKey::Default ? SortKey::Name : key, top);
    Order(result.groups, key == SortKey::Default ? SortKey::Counted : key, top);
}

}  // namespace lintally::results
