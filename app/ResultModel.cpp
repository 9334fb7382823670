#include "app/ResultModel.h"

#include <QFile>

using lintally::scan::Row;

CResultModel::CResultModel(const CResultRows& rows, QObject* parent)
    : QAbstractTableModel(parent), m_rows(rows)
{}

void CResultModel::RowInserted(int index)
{
    beginInsertRows(QModelIndex(), index, index);
    endInsertRows();
}

void CResultModel::RowsCleared()
{
    beginResetModel();
    endResetModel();
}

int CResultModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows.Count();
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
