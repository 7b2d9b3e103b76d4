#pragma once

#include <QWidget>

// The DMX input settings page (settings tab "DMX Input").
class asettings_dmx_in_widget : public QWidget {
    Q_OBJECT
public:
    explicit asettings_dmx_in_widget(QWidget* parent);

    int refreshCount = 0;  // reloads from the model so far

public slots:
    void refresh();
};
