#pragma once

#include "widgets/check_grid.h"

// The cells of the DMX input page's phase grid, one per input channel: a
// check grid whose cells from the input channel limit on are greyed, and
// whose active scenes' control channel is ticked, greyed and amber. Every
// cell tells its channel in its tool tip; the control channel tells what it is.
class phaseGridModel : public checkGridModel {
    Q_OBJECT
public:
    phaseGridModel(int cells, int columns, QObject* parent);

    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    // The control channel's cell (-1 for none) and the tip it shows.
    void setControlCell(int cell, const QString& tip);
    int controlCell() const { return control; }

private:
    int control = -1;
    QString controlTip;
};
