#pragma once

#include <QLabel>
#include <QList>

#include <cstdint>

class QPalette;

// One cell of a DMX value window: the value in decimal on a background from
// light blue (0) to light yellow (255), one of the panel's 64 palettes. A
// left-button press shows the descriptions of the channel's On and Off events
// as a tool tip; the controller is never told anything.
class dmx_value_class : public QLabel {
    Q_OBJECT
public:
    dmx_value_class(int channel, bool isOutput, const QList<QPalette*>* palettes, QWidget* parent);

    bool isOutput;
    int channel;              // 0-based, 0..511
    int16_t shownValue = -1;  // -1 until the first value
    const QList<QPalette*>* palettes;  // the panel's, shared

    // Shows v unless it is shown already.
    void setDmxValue(uint8_t v);
    // The tool tip: "On: ..." and "Off: ..." of the channel's events, or
    // "no description...".
    QString descriptionText() const;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};
