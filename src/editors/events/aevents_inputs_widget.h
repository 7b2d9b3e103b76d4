#pragma once

#include <QWidget>

// The input events page (events tab "Inputs").
class aevents_inputs_widget : public QWidget {
    Q_OBJECT
public:
    explicit aevents_inputs_widget(QWidget* parent);

    // Calls of refresh() so far. The page has no content to reload yet;
    // the main window's tests count these to see which page a refresh reaches.
    int refreshCount = 0;

public slots:
    void refresh();
};
