#pragma once

#include <QWidget>

// The DMX input settings page (settings tab "DMX Input").
class asettings_dmx_in_widget : public QWidget {
    Q_OBJECT
public:
    explicit asettings_dmx_in_widget(QWidget* parent);

    // Calls of refresh() so far. The page has no content to reload yet;
    // the main window's tests count these to see which page a refresh reaches.
    int refreshCount = 0;

public slots:
    void refresh();
};
