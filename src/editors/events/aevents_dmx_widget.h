#pragma once

#include <QWidget>

// The DMX input events page (events tab "DMX Input").
class aevents_dmx_widget : public QWidget {
    Q_OBJECT
public:
    explicit aevents_dmx_widget(QWidget* parent);

    // Calls of refresh() so far. The page has no content to reload yet;
    // the main window's tests count these to see which page a refresh reaches.
    int refreshCount = 0;

public slots:
    void refresh();
};
