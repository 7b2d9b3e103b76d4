#include "editors/programs/step_grid.h"

#include <QHeaderView>
#include <QStyle>

stepGridView::stepGridView(const QFont& font, QWidget* parent)
    : checkGridView(new checkGridModel(CELLS, COLUMNS), CELL_WIDTH, CELL_HEIGHT, parent)
{
    grid()->setParent(this);
    grid()->setEnabledCount(0);
    setFont(font);
    QStringList rowTitles;
    for (int r = 0; r < CELLS / COLUMNS; ++r)
        rowTitles << QString::number(COLUMNS * r);
    grid()->setRowLabels(rowTitles);
}

void stepGridView::followCount(int shown, int n)
{
    if (n < shown)
        grid()->apply(checkGridModel::tick::off, qMax(0, n), shown);
    grid()->setEnabledCount(n);
}

void stepGridView::applyCount(int n)
{
    grid()->setEnabledCount(n);
}

int stepGridView::widthForColumns(int least) const
{
    const int frame = 2 * frameWidth();
    const int rowLabels = verticalHeader()->sizeHint().width();
    const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    return qMax(least, frame + rowLabels + COLUMNS * CELL_WIDTH + scrollBar);
}
