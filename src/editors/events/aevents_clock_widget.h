#pragma once

#include <QWidget>

// The sunrise, sunset and timer events page (events tab "Clock").
class aevents_clock_widget : public QWidget {
    Q_OBJECT
public:
    explicit aevents_clock_widget(QWidget* parent);

    int refreshCount = 0;  // reloads from the model so far

public slots:
    void refresh();
};
