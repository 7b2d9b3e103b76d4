#pragma once

#include <QWidget>

// The input-types table of the 24 inputs (settings tab "Inputs").
class asettings_inputs_widget : public QWidget {
    Q_OBJECT
public:
    explicit asettings_inputs_widget(QWidget* parent);

    int refreshCount = 0;  // reloads from the model so far

public slots:
    void refresh();
};
