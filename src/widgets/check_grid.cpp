#include "widgets/check_grid.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>

checkGridModel::checkGridModel(int cells, int columns, QObject* parent)
    : QAbstractTableModel(parent), state(size_t(qMax(0, cells)), false), gridColumns(qMax(1, columns)),
      enabledCells(qMax(0, cells))
{
}

int checkGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : (cells() + gridColumns - 1) / gridColumns;
}

int checkGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : gridColumns;
}

int checkGridModel::cellAt(const QModelIndex& index) const
{
    if (!index.isValid())
        return -1;
    const int cell = index.row() * gridColumns + index.column();
    return cell < cells() ? cell : -1;
}

QModelIndex checkGridModel::indexOf(int cell) const
{
    if (cell < 0 || cell >= cells())
        return QModelIndex();
    return index(cell / gridColumns, cell % gridColumns);
}

QVariant checkGridModel::data(const QModelIndex& index, int role) const
{
    const int cell = cellAt(index);
    if (cell < 0 || role != Qt::CheckStateRole)
        return QVariant();
    return state[size_t(cell)] ? Qt::Checked : Qt::Unchecked;
}

bool checkGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    const int cell = cellAt(index);
    if (cell < 0 || role != Qt::CheckStateRole || !isEnabled(cell))
        return false;
    setChecked(cell, value.toInt() == Qt::Checked);
    return true;
}

Qt::ItemFlags checkGridModel::flags(const QModelIndex& index) const
{
    const int cell = cellAt(index);
    if (cell < 0)
        return Qt::NoItemFlags;
    // A view that marks the cell last acted on may select it; the grid's
    // own view selects nothing.
    return isEnabled(cell) ? Qt::ItemIsUserCheckable | Qt::ItemIsEnabled | Qt::ItemIsSelectable
                           : Qt::ItemIsUserCheckable;
}

QVariant checkGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role == Qt::DisplayRole && orientation == Qt::Vertical && section >= 0 && section < rowLabels.size())
        return rowLabels[section];
    return QAbstractTableModel::headerData(section, orientation, role);
}

bool checkGridModel::isChecked(int cell) const
{
    return cell >= 0 && cell < cells() && state[size_t(cell)];
}

void checkGridModel::changed(int first, int last)
{
    if (first > last)
        return;
    emit dataChanged(index(first / gridColumns, 0), index(last / gridColumns, gridColumns - 1),
                     {Qt::CheckStateRole});
}

void checkGridModel::setChecked(int cell, bool on)
{
    if (cell < 0 || cell >= cells() || state[size_t(cell)] == on)
        return;
    state[size_t(cell)] = on;
    changed(cell, cell);
    emit toggled(cell, on);
}

void checkGridModel::apply(tick mode, int first, int end, int step)
{
    first = qMax(first, 0);
    end = qMin(end, cells());
    step = qMax(step, 1);
    std::vector<int> flipped;
    for (int cell = first; cell < end; cell += step) {
        const bool on = mode == tick::on || (mode == tick::invert && !state[size_t(cell)]);
        if (state[size_t(cell)] != on) {
            state[size_t(cell)] = on;
            flipped.push_back(cell);
        }
    }
    if (flipped.empty())
        return;
    changed(flipped.front(), flipped.back());
    for (int cell : flipped)
        emit toggled(cell, state[size_t(cell)]);
}

void checkGridModel::setEnabledCount(int n)
{
    n = qBound(0, n, cells());
    if (n == enabledCells)
        return;
    const int first = qMin(n, enabledCells);
    const int last = qMax(n, enabledCells) - 1;
    enabledCells = n;
    changed(first, last);
}

void checkGridModel::load(const std::vector<bool>& checked)
{
    for (size_t k = 0; k < state.size(); ++k)
        state[k] = k < checked.size() && checked[k];
    changed(0, cells() - 1);
}

void checkGridModel::setRowLabels(const QStringList& labels)
{
    rowLabels = labels;
    if (rowCount() > 0)
        emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
}

void checkCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    const QWidget* widget = item.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    const bool hasBox = item.features & QStyleOptionViewItem::HasCheckIndicator;
    item.features &= ~QStyleOptionViewItem::HasCheckIndicator;
    // A view that selects the cell last acted on marks it as the cell of a
    // focused check box was marked, without a frame of its own.
    const auto* view = qobject_cast<const QAbstractItemView*>(widget);
    if (view && view->selectionMode() != QAbstractItemView::NoSelection)
        item.state &= ~QStyle::State_HasFocus;
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);
    if (!hasBox)
        return;
    // The box a check box filling the cell drew: at the cell's left edge,
    // not inside the margin an item view keeps around its own indicator.
    QStyleOptionButton box;
    box.rect = item.rect;
    box.palette = item.palette;
    box.fontMetrics = item.fontMetrics;
    box.direction = item.direction;
    box.state = item.state & (QStyle::State_Enabled | QStyle::State_MouseOver);
    box.state |= item.checkState == Qt::Checked ? QStyle::State_On
        : item.checkState == Qt::PartiallyChecked ? QStyle::State_NoChange
                                                  : QStyle::State_Off;
    box.rect = style->subElementRect(QStyle::SE_CheckBoxIndicator, &box, widget);
    style->drawPrimitive(QStyle::PE_IndicatorCheckBox, &box, painter, widget);
}

bool checkCellDelegate::editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                                    const QModelIndex& index)
{
    const Qt::ItemFlags flags = model->flags(index);
    if (!(flags & Qt::ItemIsUserCheckable) || !(flags & Qt::ItemIsEnabled))
        return false;
    const QVariant value = index.data(Qt::CheckStateRole);
    if (!value.isValid())
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        // A box takes the second click of a double click as a click of its own.
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton || !option.rect.contains(mouse->position().toPoint()))
            return false;
        if (event->type() == QEvent::MouseButtonPress)
            return false;
        break;
    }
    case QEvent::MouseButtonRelease: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton || !option.rect.contains(mouse->position().toPoint()))
            return false;
        break;
    }
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Space && key != Qt::Key_Select)
            return false;
        break;
    }
    default:
        return false;
    }
    const Qt::CheckState next = value.toInt() == Qt::Checked ? Qt::Unchecked : Qt::Checked;
    return model->setData(index, next, Qt::CheckStateRole);
}

checkGridView::checkGridView(checkGridModel* model, int cellWidth, int cellHeight, QWidget* parent)
    : QTableView(parent), gridModel(model)
{
    setModel(model);
    setItemDelegate(new checkCellDelegate(this));
    setGridStyle(Qt::DotLine);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    horizontalHeader()->setMinimumSectionSize(qMin(cellWidth, horizontalHeader()->minimumSectionSize()));
    horizontalHeader()->setDefaultSectionSize(cellWidth);
    verticalHeader()->setMinimumSectionSize(qMin(cellHeight, verticalHeader()->minimumSectionSize()));
    verticalHeader()->setDefaultSectionSize(cellHeight);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
}
