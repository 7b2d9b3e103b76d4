#pragma once

#include <QWidget>

// The input-types table of the 24 inputs (settings tab "Inputs").
class asettings_inputs_widget : public QWidget {
    Q_OBJECT
public:
    explicit asettings_inputs_widget(QWidget* parent);

    // Calls of refresh() so far. The page has no content to reload yet;
    // the main window's tests count these to see which page a refresh reaches.
    int refreshCount = 0;

public slots:
    void refresh();
};
