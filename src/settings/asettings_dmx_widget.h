#pragma once

#include <QWidget>

class asettings_dmx_set_widget;

// The DMX output channels page (settings tab "DMX Output") with its
// per-channel settings panel.
class asettings_dmx_widget : public QWidget {
    Q_OBJECT
public:
    explicit asettings_dmx_widget(QWidget* parent);

    int currentChannel = 0;                   // 0-based channel shown in the panel
    asettings_dmx_set_widget* settingsPanel;  // a sibling of the page on the same tab page
    int channelLimit = 512;                   // output channels in use, as last applied
    // Calls of refresh() so far. The page has no content to reload yet;
    // the main window's tests count these to see which page a refresh reaches.
    int refreshCount = 0;

public slots:
    void refresh();
    void limitChnls(int n);
};
