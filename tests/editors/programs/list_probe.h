#pragma once

#include <QAbstractItemDelegate>
#include <QAbstractItemView>
#include <QBrush>
#include <QColor>
#include <QImage>

// What a page's list shows of a row: its colour as the model gives it, and
// as the list draws it now.
inline QBrush rowBrush(const QAbstractItemView* list, int row)
{
    return list->model()->index(row, 0).data(Qt::BackgroundRole).value<QBrush>();
}

// The colour drawn at the right end of the row's first cell, clear of its
// text: the list is drawn afresh, as a screen would show it.
inline QColor drawnColour(QAbstractItemView* list, int row)
{
    const QRect cell = list->visualRect(list->model()->index(row, 0));
    const QImage shot = list->viewport()->grab().toImage();
    return shot.pixelColor(cell.right() - 3, cell.center().y());
}

// The width of what the list draws in the row's first cell: its text as
// the list's delegate cuts it, and the cell's margins.
inline int drawnTextWidth(const QAbstractItemView* list, int row)
{
    const QModelIndex cell = list->model()->index(row, 0);
    QStyleOptionViewItem option;
    option.initFrom(list);
    option.font = list->font();
    return list->itemDelegateForIndex(cell)->sizeHint(option, cell).width();
}
