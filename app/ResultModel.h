// CResultModel: the result list's rows (relative file name, counted lines) as a Qt table
// model over the dialog core's rows. The core inserts and clears the rows and then tells
// the model, which announces the change to its views. Counts are shown as numbers, never
// as text.
//
// Owned by the dialog; UI thread only.
#pragma once

#include "dialog/ResultRows.h"

#include <QAbstractTableModel>

class CResultModel final : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column
    {
        FileNameColumn = 0,
        CodeLinesColumn = 1,
        ColumnCount = 2
    };

    // rows outlives the model.
    explicit CResultModel(const CResultRows& rows, QObject* parent = nullptr);

    // The core has inserted the row now at index.
    void RowInserted(int index);
    // The core has deleted every row.
    void RowsCleared();
    [[nodiscard]] const lintally::scan::Row& RowAt(int index) const { return m_rows.At(index); }
    [[nodiscard]] std::vector<lintally::scan::Row> SortedRows() const { return m_rows.Sorted(); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    const CResultRows& m_rows;
};
