#include "settings/phase_grid_model.h"

#include <QBrush>
#include <QColor>

namespace {

const QColor controlChannelColour(220, 173, 33);

}  // namespace

phaseGridModel::phaseGridModel(int cells, int columns, QObject* parent) : checkGridModel(cells, columns, parent) {}

QVariant phaseGridModel::data(const QModelIndex& index, int role) const
{
    const int cell = cellAt(index);
    if (cell < 0)
        return QVariant();
    switch (role) {
    case Qt::ToolTipRole:
        return cell == control ? controlTip : QString::number(cell + 1);
    case Qt::BackgroundRole:
        return cell == control ? QVariant(QBrush(controlChannelColour)) : QVariant();
    default:
        return checkGridModel::data(index, role);
    }
}

bool phaseGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (cellAt(index) == control && control >= 0)
        return false;
    return checkGridModel::setData(index, value, role);
}

Qt::ItemFlags phaseGridModel::flags(const QModelIndex& index) const
{
    const Qt::ItemFlags usual = checkGridModel::flags(index);
    return cellAt(index) == control && control >= 0 ? usual & ~Qt::ItemIsEnabled : usual;
}

void phaseGridModel::setControlCell(int cell, const QString& tip)
{
    if (cell < 0 || cell >= cells())
        cell = -1;
    const int before = control;
    control = cell;
    controlTip = tip;
    for (int changed : {before, cell})
        if (changed >= 0)
            emit dataChanged(indexOf(changed), indexOf(changed));
}
