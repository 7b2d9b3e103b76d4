#pragma once

#include <QWidget>

class QHBoxLayout;
class QLabel;
class QSlider;
class QSpinBox;
class QVBoxLayout;

// One DMX channel fader: the channel number above a vertical slider and a
// spin box, both always showing the same level 0..255. The object itself is
// never shown; `container`, a child of the parent given at construction,
// is the visible fader and stays with that parent when the object goes.
// Built with channel 0 it is the stand-alone "Value" fader, which reports
// channel -1.
class admx_slider_widget : public QWidget {
    Q_OBJECT
public:
    admx_slider_widget(int channel, int x, int y, QWidget* parent);

    int channelBase;     // the channel given at construction
    int channelNumber;   // the channel shown, 1-based
    QWidget* container;  // 67 x 200 at (x, y) in the parent
    QVBoxLayout* columnLayout;
    QHBoxLayout* labelLayout;
    QHBoxLayout* sliderLayout;
    QLabel* label;
    QSlider* slider;     // owners enable, disable and preset it directly
    QSpinBox* valueBox;

signals:
    // The 0-based channel (-1 for the "Value" fader) and its new level, for
    // every change of the slider, also those made by the program.
    void chValCh(int dmxChannelNumber, int value);

public slots:
    void setChannel(int ch);
    void emitChannelChanges(int value);
};
