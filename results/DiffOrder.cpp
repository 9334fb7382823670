#include "results/DiffOrder.h"

#include <algorithm>
#include <numeric>

namespace lintally::results {

namespace {

std::uint64_t Change(std::uint64_t before, std::uint64_t after)
{
    return after > before ? after - before : before - after;
}

std::uint64_t SortValue(const DiffRow& row, SortKey key)
{
    switch (key) {
    case SortKey::Files:
        return row.filesAdded + row.filesRemoved + row.filesChanged;
    case SortKey::Code:
        return Change(row.before.code, row.after.code);
    case SortKey::Comment:
        return Change(row.before.comment, row.after.comment);
    case SortKey::Blank:
        return Change(row.before.blank, row.after.blank);
    case SortKey::Lines:
    case SortKey::Counted:
    case SortKey::Default:
    case SortKey::Name:
        break;
    }
    return Change(row.before.counted, row.after.counted);
}

bool ByName(SortKey key)
{
    return key == SortKey::Default || key == SortKey::Name;
}

}  // namespace

void OrderDiffGroups(std::vector<DiffRow>& groups, SortKey key, std::size_t top)
{
    // Groups come in name order, so a stable sort leaves ties in it.
    if (!ByName(key)) {
        std::stable_sort(groups.begin(), groups.end(), [key](const DiffRow& a, const DiffRow& b) {
            return SortValue(a, key) > SortValue(b, key);
        });
    }
    if (top != 0 && groups.size() > top) {
        groups.resize(top);
    }
}

std::vector<std::size_t> OrderDiffFiles(const CountDiff& diff, SortKey key, std::size_t top)
{
    std::vector<std::size_t> order(diff.pairs.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    if (!ByName(key)) {
        std::vector<std::uint64_t> values(order.size());
        for (const std::size_t i : order) {
            values[i] = SortValue(diff.FileRow(i), key);
        }
        std::stable_sort(order.begin(), order.end(),
                         [&values](std::size_t a, std::size_t b) { return values[a] > values[b]; });
    }
    if (top != 0 && order.size() > top) {
        order.resize(top);
    }
    return order;
}

}  // namespace lintally::results
