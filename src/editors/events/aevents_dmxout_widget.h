#pragma once

#include <QWidget>

// The DMX output events page (events tab "DMX Output"): the On and Off
// events of the output channels within the event-generation range.
class aevents_dmxout_widget : public QWidget {
    Q_OBJECT
public:
    explicit aevents_dmxout_widget(QWidget* parent);

    // 1-based range of the channels listed; firstChannel above lastChannel lists none.
    int firstChannel = 512;
    int lastChannel = 512;
    // Calls of refresh() so far. The page has no content to reload yet;
    // the main window's tests count these to see which page a refresh reaches.
    int refreshCount = 0;

public slots:
    void refresh();
};
