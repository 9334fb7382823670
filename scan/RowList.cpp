#include "scan/RowList.h"

#include <numeric>

namespace lintally::scan {

RowList::RowList(std::initializer_list<Row> rows)
{
    for (const Row& row : rows) {
        Add(row.name, row.lines, row.kinds, row.lang);
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
    if (m_count % kRecordsPerBlock == 0) {
        m_records.emplace_back().reserve(kRecordsPerBlock);
    }
    m_records.back().push_back(record);
    ++m_count;
}

void RowList::Add(std::string_view name, std::uint64_t lines, const PrjHelper::LineBreakdown& kinds,
                  std::int32_t lang)
{
    if (m_count == kMaxRows) {
        return;
    }
    Record record;
    record.lang = lang;
    StoreName(record, name);
    const std::array<std::uint64_t, 4> counts{kinds.code, kinds.comment, kinds.blank, lines};
    if (std::all_of(counts.begin(), counts.end(), [](std::uint64_t count) { return count < kWide; })) {
        for (std::size_t i = 0; i < counts.size(); ++i) {
            record.count[i] = static_cast<std::uint32_t>(counts[i]);
        }
    } else {
        record.count[0] = kWide;
        record.count[1] = static_cast<std::uint32_t>(m_wide.size());
        m_wide.push_back(counts);
    }
    if (m_ordered) {
        m_order.push_back(static_cast<std::uint32_t>(m_count));
    }
    Push(record);
}

RowView RowList::View(std::size_t stored) const
{
    const Record& record = At(stored);
    RowView view;
    view.name = std::string_view(m_names[record.nameBlock]).substr(record.nameOffset, record.nameLength);
    view.lang = record.lang;
    if (record.count[0] == kWide) {
        const std::array<std::uint64_t, 4>& wide = m_wide[record.count[1]];
        view.kinds = {wide[2], wide[1], wide[0]};
        view.lines = wide[3];
    } else {
        view.kinds = {record.count[2], record.count[1], record.count[0]};
        view.lines = record.count[3];
    }
    return view;
}

void RowList::Append(RowList&& other)
{
    const auto nameBase = static_cast<std::uint32_t>(m_names.size());
    const auto wideBase = static_cast<std::uint32_t>(m_wide.size());
    const std::size_t base = m_count;
    if (other.m_ordered) {
        MakeOrder();
    }
    // Stored order, freeing each of other's blocks once it is copied, so the two lists never
    // stand side by side in full.
    const std::size_t taken = std::min(other.m_count, kMaxRows - m_count);
    for (std::size_t i = 0; i < taken; ++i) {
        Record record = other.At(i);
        record.nameBlock += nameBase;
        if (record.count[0] == kWide) {
            record.count[1] += wideBase;
        }
        Push(record);
        if ((i + 1) % kRecordsPerBlock == 0) {
            other.m_records[i / kRecordsPerBlock] = std::vector<Record>();
        }
    }
    if (m_ordered) {
        if (!other.m_ordered) {
            for (std::size_t i = 0; i < taken; ++i) {
                m_order.push_back(static_cast<std::uint32_t>(base + i));
            }
        } else {
            for (const std::uint32_t stored : other.m_order) {
                if (stored < taken) {
                    m_order.push_back(static_cast<std::uint32_t>(base + stored));
                }
            }
        }
    }
    for (std::string& block : other.m_names) {
        m_names.push_back(std::move(block));
    }
    m_wide.insert(m_wide.end(), other.m_wide.begin(), other.m_wide.end());
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
