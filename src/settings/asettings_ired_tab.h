#pragma once

#include <QWidget>

// The remote-control settings tab (settings tab "Remote Control"). The main
// window's form creates it without a parent as the page of that tab.
class asettings_ired_tab : public QWidget {
    Q_OBJECT
public:
    explicit asettings_ired_tab(QWidget* parent = nullptr);

    // Calls of refresh() so far. The page has no content to reload yet (a
    // refresh only enables the "Remote Control" events tab for a learnt
    // address); the main window's tests count these to see which page a
    // refresh reaches.
    int refreshCount = 0;

public slots:
    // Rebuilds the button rows; the remote-control events tab is usable
    // only while a system address (0..31) is set.
    void refresh();
};
