#pragma once

#include <QWidget>

class QSpinBox;

// The settings panel of one DMX output channel and the page-wide output
// settings: the output channel limit and DMX output event generation.
class asettings_dmx_set_widget : public QWidget {
    Q_OBJECT
public:
    explicit asettings_dmx_set_widget(QWidget* parent);

    QSpinBox* spinChnlMax;  // "Output Channels Limit": 24..512, 512 when built

public slots:
    // Switches DMX output event generation on or off in the image and
    // enables or disables the "DMX Output" events tab with it. Switched on
    // from off, generation starts with channel 512 alone.
    void eventGenEnable(bool on);
};
