#pragma once

#include <QWidget>

// The delay events page (events tab "Delayed Events").
class aevents_dlyd_widget : public QWidget {
    Q_OBJECT
public:
    explicit aevents_dlyd_widget(QWidget* parent);

    int refreshCount = 0;  // reloads from the model so far

public slots:
    // Rebuilds the delay rows; the widget argument names the editor that
    // asked for it, if any.
    void refresh(QWidget* w);
    void refresh();
};
