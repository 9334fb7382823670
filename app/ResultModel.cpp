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
    const auto place = std::upper_bound(m_rows.begin(), m_rows.end(), name,
        [](const std::string& key, const Row& row) { return lintally::scan::RowNameLess(key, row.name); });
    const int index = static_cast<int>(place - m_rows.begin());
    beginInsertRows(QModelIndex(), index, index);
    m_rows.insert(place, Row{std::move(name), lines});
    endInsertRows();
    return index;
}

void CResultModel::DeleteAllRows()
{
    beginResetModel();
    m_rows.clear();
    m_rows.shrink_to_fit();
    endResetModel();
}

int CResultModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int CResultModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CResultModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= static_cast<int>(m_rows.size())) {
        return {};
    }
    const Row& row = m_rows[static_cast<std::size_t>(index.row())];
    if (role == Qt::DisplayRole) {
        if (index.column() == FileNameColumn) {
            return QFile::decodeName(QByteArray::fromStdString(row.name));
        }
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
