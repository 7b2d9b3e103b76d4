#pragma once

#include <QWidget>

// The input events page (events tab "Inputs").
class aevents_inputs_widget : public QWidget {
    Q_OBJECT
public:
    explicit aevents_inputs_widget(QWidget* parent);

    int refreshCount = 0;  // reloads from the model so far

public slots:
    void refresh();
};
