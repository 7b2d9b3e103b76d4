#pragma once

#include <QWidget>

// The DMX input events page (events tab "DMX Input").
class aevents_dmx_widget : public QWidget {
    Q_OBJECT
public:
    explicit aevents_dmx_widget(QWidget* parent);

    int refreshCount = 0;  // reloads from the model so far

public slots:
    void refresh();
};
