// CElidedNameDelegate: draws the result list's file names, a name wider than its column
// shortened in the middle (dialog/NameElision.h), so the column never has to widen and push
// the counts out of view. The model's tooltip keeps the full name.
//
// Owned by its view; UI thread only.
#pragma once

#include <QStyledItemDelegate>

class CElidedNameDelegate final : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};
