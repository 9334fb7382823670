// CResultModel: the result list's rows (relative file name, counted lines) as a Qt table
// model. The rows are stored in the order they arrive; a vector of their indexes is kept in
// row-name order (scan::RowNameLess), so a new row goes to its place by binary search and
// an insert moves 4-byte indexes only: 100,000 rows stay cheap. Counts are stored and shown
// as numbers, never as text.
//
// Owned by the dialog; UI thread only.
#pragma once

#include "scan/Row.h"

#include <QAbstractTableModel>

#include <cstdint>
#include <string>
#include <vector>

class CResultModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { FileNameColumn = 0, CodeLinesColumn = 1, ColumnCount = 2 };

    explicit CResultModel(QObject* parent = nullptr);

    // Inserts the row at its sorted place and returns that row's index.
    int InsertRow(std::string name, std::uint64_t lines);
    void DeleteAllRows();
    // The row shown at index (0 <= index < rowCount()).
    [[nodiscard]] const lintally::scan::Row& RowAt(int index) const;
    // Every row, top to bottom.
    [[nodiscard]] std::vector<lintally::scan::Row> SortedRows() const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    std::vector<lintally::scan::Row> m_rows;  // in arrival order
    std::vector<std::uint32_t> m_order;       // indexes into m_rows, in row-name order
};
