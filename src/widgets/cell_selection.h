#pragma once

#include "widgets/check_grid.h"

#include <QGroupBox>
#include <QObject>

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class guardedSpinBox;

// How the grid pages' tools pick cells of a checkGridModel: they tick,
// untick or invert every cell, or those of a range (1-based, both ends
// included), each one or every n-th from the first. The controls belong to
// the page, laid out where it wants them; this object wires and reads them.
class cellSelection : public QObject {
    Q_OBJECT
public:
    struct controls {
        QRadioButton* select;
        QRadioButton* invert;   // neither: deselect
        QCheckBox* every;       // enables step
        QSpinBox* step;
        QCheckBox* inRange;     // enables from and to
        guardedSpinBox* from;
        guardedSpinBox* to;
    };
    // The tick for cells first, first + step, ... below end.
    struct choice {
        checkGridModel::tick mode;
        int first;
        int end;
        int step;
    };

    // The step box follows its check box and the range boxes theirs; a
    // range end the user accepts moves the other end along, so that the
    // range never runs backwards.
    cellSelection(const controls& parts, QObject* parent);

    // The cells below allEnd, or the range while it is ticked.
    choice chosen(int allEnd) const;
    // Applies the choice to `model`; cells from `end` on stay as they are.
    void apply(checkGridModel& model, int end) const;
    // Both range boxes end at n (at 1 when n is smaller).
    void setRangeMaximum(int n);

private:
    controls parts;
};

// The "Selection" group of the "Groupped" tabs (channels of a record, steps
// of a program): Select, Deselect or Invert, "Choose all or..." with every
// n-th cell and a range, and "Execute!", which the page connects to apply().
// The page moves the group to its place.
class cellSelectionGroup : public QGroupBox {
    Q_OBJECT
public:
    // What tells the pages' groups apart.
    struct shape {
        int everyWidth;     // of the "Choose every" box
        int numberWidth;    // of the step and range boxes
        int stepMaximum;
        int rangeMaximum;
        int rangeEnd;       // the "to" box when built
    };
    cellSelectionGroup(const shape& s, QWidget* parent);

    // Applies the tick chosen to `model`, at most up to `end`.
    void apply(checkGridModel& model, int end) const { selection->apply(model, end); }
    void setRangeMaximum(int n) { selection->setRangeMaximum(n); }

    QRadioButton* selectButton;
    QRadioButton* deselectButton;
    QRadioButton* invertButton;
    QGroupBox* chooseGroup;
    QCheckBox* everyBox;
    QSpinBox* stepBox;
    QCheckBox* inRangeBox;
    QLabel* fromLabel;
    QLabel* toLabel;
    guardedSpinBox* fromBox;
    guardedSpinBox* toBox;
    QPushButton* executeButton;

private:
    cellSelection* selection;
};
