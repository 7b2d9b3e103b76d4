#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <QStyledItemDelegate>
#include <QTableView>

#include <vector>

// A grid of check boxes (channels, steps) drawn by one view from one model:
// cell k lies in row k / columns, column k % columns. Cells from the
// enabled count on are shown greyed and cannot be ticked by the user; the
// group tools of the pages act on the model, which tells each change.
class checkGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum class tick { on, off, invert };

    checkGridModel(int cells, int columns, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    int cells() const { return int(state.size()); }
    int columns() const { return gridColumns; }
    // The cell (row, column) stands for; -1 for none.
    int cellAt(const QModelIndex& index) const;
    QModelIndex indexOf(int cell) const;

    bool isChecked(int cell) const;
    bool isEnabled(int cell) const { return cell >= 0 && cell < enabledCells && cell < cells(); }
    // Ticks or unticks one cell, as a click on it would (also a disabled one).
    void setChecked(int cell, bool on);
    // Ticks, unticks or inverts cells first, first + step, ... below end.
    void apply(tick mode, int first, int end, int step = 1);
    // Cells below n take clicks; those from n on are greyed.
    void setEnabledCount(int n);
    int enabledCount() const { return enabledCells; }
    // Shows what the show holds, telling no change (a load is no edit).
    void load(const std::vector<bool>& checked);

    void setRowLabels(const QStringList& labels);

signals:
    // A cell was ticked or unticked, by the user or a tool (never by load()).
    void toggled(int cell, bool on);

private:
    void changed(int first, int last);

    std::vector<bool> state;
    int gridColumns;
    int enabledCells;
    QStringList rowLabels;
};

// Draws a cell's box where a check box in the cell would stand and ticks it
// with a click anywhere in the cell or the space bar, as such a box did.
class checkCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;

protected:
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;
};

// The view of a checkGridModel: cells of a fixed size, a dotted grid, no
// selection and no editing beyond the ticks.
class checkGridView : public QTableView {
    Q_OBJECT
public:
    checkGridView(checkGridModel* model, int cellWidth, int cellHeight, QWidget* parent = nullptr);
    checkGridModel* grid() const { return gridModel; }

private:
    checkGridModel* gridModel;
};
