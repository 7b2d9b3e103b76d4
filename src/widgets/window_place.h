#pragma once

#include <QHash>
#include <QString>

class QWidget;

// Where the user was in a window: the tab each tab widget showed and the
// current cell of each list and table. A window made anew by the same code
// (after a change of the interface language) takes it back, part by part
// as its pages are built, so the user finds the page, tab and row they
// left. Choosing them is what a click does: it stores nothing.
class windowPlace {
public:
    // The place in `window` as it shows now.
    static windowPlace of(const QWidget* window);

    // Takes back into `window` what of the place it has built by now; what
    // it has not built yet waits for a later call.
    void restoreInto(QWidget* window);
    bool isEmpty() const { return tabs.isEmpty() && cells.isEmpty(); }

private:
    struct cell {
        int row;
        int column;
    };
    // Keyed by the widget's path from the window (see pathOf in the source).
    QHash<QString, int> tabs;
    QHash<QString, cell> cells;
};
