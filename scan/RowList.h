// The rows of a scan, kept compactly for trees of millions of files: names lie side by side
// in large shared blocks, counts take 32 bits where they fit (wider ones are kept apart),
// and rows are sorted and cut through a list of indexes, so no row is moved or copied whole.
// A row costs 32 bytes and its name's bytes, against some 90 as a Row in a vector.
//
// A plain value, used by one thread at a time. A RowView points into the list and stays
// valid until the list changes.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "linecount/LineBreakdown.h"
#include "scan/Row.h"

namespace lintally::scan {

struct RowView
{
    std::string_view name;
    std::uint64_t lines = 0;
    PrjHelper::LineBreakdown kinds{};
    std::int32_t lang = 0;
    std::uint64_t complexity = 0;
    std::span<const PrjHelper::EmbeddedPart> embedded{};
};

class RowList
{
public:
    class Iterator
    {
    public:
        Iterator(const RowList& list, std::size_t index) : m_list(&list), m_index(index) {}
        RowView operator*() const { return (*m_list)[m_index]; }
        Iterator& operator++()
        {
            ++m_index;
            return *this;
        }
        bool operator==(const Iterator& other) const { return m_index == other.m_index; }

    private:
        const RowList* m_list;
        std::size_t m_index;
    };

    RowList() = default;
    RowList(std::initializer_list<Row> rows);

    // Adds a row at the end of the list. A list holds some four billion rows at most (128 GiB
    // of them); rows past that are not kept. A row with a complexity or embedded parts is
    // kept apart, as one with wide counts is.
    void Add(std::string_view name, std::uint64_t lines, const PrjHelper::LineBreakdown& kinds,
             std::int32_t lang, std::uint64_t complexity = 0,
             std::vector<PrjHelper::EmbeddedPart> embedded = {});

    [[nodiscard]] std::size_t size() const { return m_ordered ? m_order.size() : m_count; }
    [[nodiscard]] bool empty() const { return size() == 0; }
    // The row at index in list order.
    [[nodiscard]] RowView operator[](std::size_t index) const { return View(Stored(index)); }
    [[nodiscard]] Iterator begin() const { return Iterator(*this, 0); }
    [[nodiscard]] Iterator end() const { return Iterator(*this, size()); }

    // Moves other's rows in after these, in other's list order, and leaves other empty. Large
    // lists hand their blocks over instead of being copied.
    void Append(RowList&& other);
    // Gives the row at index (list order) a new name.
    void Rename(std::size_t index, std::string_view name);
    // Orders the list by less on RowViews; rows that compare equal keep their order.
    template <class Less>
    void StableSort(Less less);
    // Keeps the first count rows of the list.
    void Truncate(std::size_t count);

private:
    // A row is stored at an id: its block times kRecordsPerBlock plus its place in the block.
    // Blocks fill one after another, so while the list keeps the order rows were added in,
    // a row's index is its id; blocks handed over by Append may be part full, and from then on
    // m_order gives the ids.
    static constexpr std::size_t kRecordsPerBlock = 4096;
    static constexpr std::size_t kMaxBlocks = std::size_t{1} << 20;  // ids fit 32 bits
    static constexpr std::size_t kNameBlock = 256 * 1024;
    static constexpr std::uint32_t kWide = 0xFFFFFFFFu;  // count[0] of a row kept in m_wide

    // A row kept apart: counts too wide for 32 bits, or a complexity or embedded parts.
    struct WideRow
    {
        std::array<std::uint64_t, 4> count{};  // code, comment, blank, lines
        std::uint64_t complexity = 0;
        std::vector<PrjHelper::EmbeddedPart> embedded;
    };

    struct Record
    {
        std::uint32_t nameBlock = 0;
        std::uint32_t nameOffset = 0;
        std::uint32_t nameLength = 0;
        std::int32_t lang = 0;
        std::array<std::uint32_t, 4> count{};  // code, comment, blank, lines
    };

    const Record& At(std::size_t id) const
    {
        return m_records[id / kRecordsPerBlock][id % kRecordsPerBlock];
    }
    Record& At(std::size_t id) { return m_records[id / kRecordsPerBlock][id % kRecordsPerBlock]; }
    std::size_t Stored(std::size_t index) const { return m_ordered ? m_order[index] : index; }
    RowView View(std::size_t id) const;
    void StoreName(Record& record, std::string_view name);
    void Push(const Record& record);
    void MakeOrder();

    std::vector<std::vector<Record>> m_records;  // blocks of at most kRecordsPerBlock
    std::size_t m_count = 0;                     // rows stored
    std::vector<std::string> m_names;            // name blocks; the last takes new names
    std::vector<WideRow> m_wide;
    std::vector<std::uint32_t> m_order;  // list order as ids, once m_ordered
    bool m_ordered = false;              // until then a row's index is its id
};

// Sorts by RowNameLess of the names.
void SortRows(RowList& rows);

template <class Less>
void RowList::StableSort(Less less)
{
    if (!m_ordered) {
        // While the list is in the order rows were added, equal rows keep it when ties go
        // by id, and an unstable sort then needs no buffer of the list's size (4 MB for a
        // million rows, at the moment a large count's memory peaks).
        MakeOrder();
        std::sort(m_order.begin(), m_order.end(), [this, &less](std::uint32_t a, std::uint32_t b) {
            const RowView first = View(a);
            const RowView second = View(b);
            return less(first, second) || (!less(second, first) && a < b);
        });
        return;
    }
    std::stable_sort(
        m_order.begin(), m_order.end(),
        [this, &less](std::uint32_t a, std::uint32_t b) { return less(View(a), View(b)); });
}

}  // namespace lintally::scan
