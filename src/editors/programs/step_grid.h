#pragma once

#include "widgets/check_grid.h"

// The "Groupped Steps" grid: a box for each step a program can have, step s
// in row s / 10, column s % 10, the rows labelled by their first step (0,
// 10, ... 990). Only the steps of the program shown take ticks; the ticks
// mark the steps the group tools act on and are kept nowhere else.
class stepGridView : public checkGridView {
    Q_OBJECT
public:
    static constexpr int CELLS = 1000;
    static constexpr int COLUMNS = 10;
    static constexpr int CELL_WIDTH = 22;
    static constexpr int CELL_HEIGHT = 24;

    // Every cell greyed and unticked.
    stepGridView(const QFont& font, QWidget* parent);

    // Step s is marked for the group tools.
    bool marked(int s) const { return grid()->isChecked(s); }
    // The count shown went from `shown` to n: the steps below n take ticks,
    // the steps the count left lose theirs.
    void followCount(int shown, int n);
    // The steps below n take ticks, the others are greyed; every tick stays.
    void applyCount(int n);
    // The width that shows all ten columns beside the row labels and the
    // scroll bar, at least `least`.
    int widthForColumns(int least) const;
};
