#include "app/ResultModel.h"

#include <QFile>

#include <algorithm>

using lintally::scan::Row;

CResultModel::CResultModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

int CResultModel::InsertRow(std::string name, std::uint64_t lines)
{
    // After any equal names, like a list that inserts a new item behind its equals.
    const auto place = std::upper_bound(m_order.begin(), m_order.end(), name,
        [this](const std::string& key, std::uint32_t row) { return lintally::scan::RowNameLess(key, m_rows[row].name); });
    const int index = static_cast<int>(place - m_order.begin());
    beginInsertRows(QModelIndex(), index, index);
    m_order.insert(place, static_cast<std::uint32_t>(m_rows.size()));
    m_rows.push_back(Row{std::move(name), lines});
    endInsertRows();
    return index;
}

void CResultModel::DeleteAllRows()
{
    beginResetModel();
    m_rows = {};
    m_order = {};
    endResetModel();
}

const Row& CResultModel::RowAt(int index) const
{
    return m_rows[m_order[static_cast<std::size_t>(index)]];
}

std::vector<Row> CResultModel::SortedRows() const
{
    std::vector<Row> rows;
    rows.reserve(m_order.size());
    for (const std::uint32_t row : m_order) {
        rows.push_back(m_rows[row]);
    }
    return rows;
}

int CResultModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_order.size());
}

int CResultModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CResultModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const Row& row = RowAt(index.row());
    // The whole row tells its full name, however narrow the column shows it.
    if (role == Qt::ToolTipRole || (role == Qt::DisplayRole && index.column() == FileNameColumn)) {
        return QFile::decodeName(QByteArray::fromStdString(row.name));
    }
    if (role == Qt::DisplayRole) {
        return QVariant::fromValue<qulonglong>(row.lines);
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
    }
    return {};
}

QVariant CResultModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    if (section == FileNameColumn) {
        return QStringLiteral("File name");
    }
    if (section == CodeLinesColumn) {
        return QStringLiteral("Code line(s)");
    }
    return {};
}
