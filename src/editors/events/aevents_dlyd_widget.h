#pragma once

#include <QWidget>

// The delay events page (events tab "Delayed Events").
class aevents_dlyd_widget : public QWidget {
    Q_OBJECT
public:
    explicit aevents_dlyd_widget(QWidget* parent);

    // Calls of refresh() so far. The page has no content to reload yet;
    // the main window's tests count these to see which page a refresh reaches.
    int refreshCount = 0;

public slots:
    // Rebuilds the delay rows; the widget argument names the editor that
    // asked for it, if any.
    void refresh(QWidget* w);
    void refresh();
};
