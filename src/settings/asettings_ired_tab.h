#pragma once

#include <QWidget>

// The remote-control settings tab (settings tab "Remote Control"). The main
// window's form creates it without a parent as the page of that tab.
class asettings_ired_tab : public QWidget {
    Q_OBJECT
public:
    explicit asettings_ired_tab(QWidget* parent = nullptr);

    int refreshCount = 0;  // reloads so far

public slots:
    // Rebuilds the button rows; the remote-control events tab is usable
    // only while a system address (0..31) is set.
    void refresh();
};
