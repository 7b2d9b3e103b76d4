#pragma once

#include <QWidget>

// The remote-control button events page (events tab "Remote Control").
class aevents_ired_widget : public QWidget {
    Q_OBJECT
public:
    explicit aevents_ired_widget(QWidget* parent);

    // Calls of refresh() so far. The page has no content to reload yet;
    // the main window's tests count these to see which page a refresh reaches.
    int refreshCount = 0;

public slots:
    void refresh();
};
