#include "app/ElidedNameDelegate.h"

#include "dialog/NameElision.h"

#include <QApplication>
#include <QStyle>

#include <string>

void CElidedNameDelegate::initStyleOption(QStyleOptionViewItem* option,
                                          const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    // Without a cell to draw in (a size hint), the name is measured whole.
    if (option->rect.width() <= 0) {
        return;
    }
    const QWidget* widget = option->widget;
    const QStyle* style = widget != nullptr ? widget->style() : QApplication::style();
    // The room the style leaves for the text: its text rectangle less the margins it draws
    // the text within.
    const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, widget) + 1;
    const int room =
        style->subElementRect(QStyle::SE_ItemViewItemText, option, widget).width() - 2 * margin;
    const QFontMetrics& metrics = option->fontMetrics;
    const std::string name = option->text.toStdString();
    option->text = QString::fromStdString(
        ElideNameMiddle(name, "\u2026", [&metrics, room](std::string_view text) {
            return metrics.horizontalAdvance(
                       QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))) <= room;
        }));
}
