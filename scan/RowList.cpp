#include "scan/RowList.h"

#include <iterator>
#include <numeric>
#include <utility>

namespace lintally::scan {

RowList::RowList(std::initializer_list<Row> rows)
{
    for (const Row& row : rows) {
        Add(row.name, row.lines, row.kinds, row.lang, row.complexity, row.embedded);
    }
}

void RowList::StoreName(Record& record, std::string_view name)
{
    if (m_names.empty() || m_names.back().capacity() - m_names.back().size() < name.size()) {
        m_names.emplace_back().reserve(std::max(kNameBlock, name.size()));
    }
    std::string& block = m_names.back();
    record.nameBlock = static_cast<std::uint32_t>(m_names.size() - 1);
    record.nameOffset = static_cast<std::uint32_t>(block.size());
    record.nameLength = static_cast<std::uint32_t>(name.size());
    block.append(name);
}

void RowList::Push(const Record& record)
{
    if (m_records.empty() || m_records.back().size() == kRecordsPerBlock) {
        if (m_records.size() == kMaxBlocks) {
            return;
        }
        m_records.emplace_back().reserve(kRecordsPerBlock);
    }
    const std::size_t id = (m_records.size() - 1) * kRecordsPerBlock + m_records.back().size();
    m_records.back().push_back(record);
    if (m_ordered) {
        m_order.push_back(static_cast<std::uint32_t>(id));
    }
    ++m_count;
}

void RowList::Add(std::string_view name, std::uint64_t lines, const PrjHelper::LineBreakdown& kinds,
                  std::int32_t lang, std::uint64_t complexity,
                  std::vector<PrjHelper::EmbeddedPart> embedded)
{
    Record record;
    record.lang = lang;
    StoreName(record, name);
    const std::array<std::uint64_t, 4> counts{kinds.code, kinds.comment, kinds.blank, lines};
    if (complexity == 0 && embedded.empty() &&
        std::all_of(counts.begin(), counts.end(),
                    [](std::uint64_t count) { return count < kWide; })) {
        for (std::size_t i = 0; i < counts.size(); ++i) {
            record.count[i] = static_cast<std::uint32_t>(counts[i]);
        }
    } else {
        record.count[0] = kWide;
        record.count[1] = static_cast<std::uint32_t>(m_wide.size());
        m_wide.push_back(WideRow{counts, complexity, std::move(embedded)});
    }
    Push(record);
}

RowView RowList::View(std::size_t stored) const
{
    const Record& record = At(stored);
    RowView view;
    view.name =
        std::string_view(m_names[record.nameBlock]).substr(record.nameOffset, record.nameLength);
    view.lang = record.lang;
    if (record.count[0] == kWide) {
        const WideRow& wide = m_wide[record.count[1]];
        view.kinds = {wide.count[2], wide.count[1], wide.count[0]};
        view.lines = wide.count[3];
        view.complexity = wide.complexity;
        view.embedded = wide.embedded;
    } else {
        view.kinds = {record.count[2], record.count[1], record.count[0]};
        view.lines = record.count[3];
    }
    return view;
}

void RowList::Append(RowList&& other)
{
    // An empty list takes other whole: no record is touched and no second order is held.
    if (m_count == 0 && m_names.empty() && m_wide.empty()) {
        *this = std::move(other);
        other = RowList();
        return;
    }
    // other's records name its own blocks: renumber them for the blocks they join here.
    const auto nameBase = static_cast<std::uint32_t>(m_names.size());
    const auto wideBase = static_cast<std::uint32_t>(m_wide.size());
    for (std::vector<Record>& block : other.m_records) {
        for (Record& record : block) {
            record.nameBlock += nameBase;
            record.count[1] += record.count[0] == kWide ? wideBase : 0;
        }
    }
    for (std::string& block : other.m_names) {
        m_names.push_back(std::move(block));
    }
    m_wide.insert(m_wide.end(), std::make_move_iterator(other.m_wide.begin()),
                  std::make_move_iterator(other.m_wide.end()));
    if (other.m_count < kRecordsPerBlock ||
        m_records.size() + other.m_records.size() > kMaxBlocks) {
        for (std::size_t i = 0; i < other.size(); ++i) {
            Push(other.At(other.Stored(i)));
        }
    } else {
        const bool full = m_records.empty() || m_records.back().size() == kRecordsPerBlock;
        if (m_ordered || other.m_ordered || !full) {
            MakeOrder();
            m_order.reserve(m_order.size() + other.size());
            const std::size_t base = m_records.size() * kRecordsPerBlock;
            for (std::size_t i = 0; i < other.size(); ++i) {
                m_order.push_back(static_cast<std::uint32_t>(base + other.Stored(i)));
            }
        }
        for (std::vector<Record>& block : other.m_records) {
            m_records.push_back(std::move(block));
        }
        m_count += other.m_count;
    }
    other = RowList();
}

void RowList::Rename(std::size_t index, std::string_view name)
{
    StoreName(At(Stored(index)), name);
}

void RowList::Truncate(std::size_t count)
{
    if (count < size()) {
        MakeOrder();
        m_order.resize(count);
    }
}

void RowList::MakeOrder()
{
    if (!m_ordered) {
        m_order.resize(m_count);
        std::iota(m_order.begin(), m_order.end(), 0u);
        m_ordered = true;
    }
}

void SortRows(RowList& rows)
{
    rows.StableSort([](const RowView& a, const RowView& b) { return RowNameLess(a.name, b.name); });
}

}  // namespace lintally::scan
