#pragma once

#include <QAbstractItemView>
#include <QBrush>
#include <QColor>
#include <QImage>
#include <QList>
#include <QTest>
#include <QVariant>

// Puts the tab a page is built on on the screen, as the window shows it,
// and makes it the active window; false when it does not come up.
inline bool showOnScreen(QWidget& tab)
{
    tab.resize(860, 680);
    tab.show();
    return QTest::qWaitForWindowActive(&tab);
}

// A dataChanged notice (its arguments, as a QSignalSpy holds them) spans
// rows first..last of the first column.
inline bool spansRows(const QList<QVariant>& notice, int first, int last)
{
    return notice.at(0).toModelIndex().row() == first && notice.at(0).toModelIndex().column() == 0
           && notice.at(1).toModelIndex().row() == last;
}

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
