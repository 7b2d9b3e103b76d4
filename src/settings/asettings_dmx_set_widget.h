#pragma once

#include "ui_dmx_output_set.h"

#include <QMetaObject>
#include <QPair>
#include <QWidget>

#include <cstdint>

// The settings panel beside the DMX output channel table: the record of the
// current output channel (its minimal and maximal value and its
// characteristic: linear, non-linear, or triggered with two hysteresis
// levels) and the settings of the whole output (channel limit, event
// generation range, DMX input transmission range, mark between frames).
// Every edit goes straight into the image of `theController`; the panel keeps
// no copy of it. Showing a channel writes back only the repairs of a record
// that breaks its rules.
class asettings_dmx_set_widget : public QWidget, public Ui::dmxOutputSet {
    Q_OBJECT
public:
    explicit asettings_dmx_set_widget(QWidget* parent);

    int currentChannel = 0;  // 0-based channel whose record the panel edits

    // The stored event generation range as the DMX output events page lists
    // it: 1-based, within 1..512 and first at most last; (513, 512), which
    // lists nothing, while generation is off.
    static QPair<int, int> storedEventRange(const uint8_t* image);
    // The spin box value that shows a stored MBFT code, and the code a value stores.
    static int mbftValueOf(int code);
    static int mbftCodeOf(int value);

    // Makes `channel` current (a channel of 512 or more keeps the current
    // one) and shows it.
    void setChannel(unsigned channel);
    // Shows the current channel's record, repaired where it breaks its
    // rules, and the settings of the whole output.
    void loadChannel();

signals:
    // The current channel's record has changed in the image.
    void changed();

public slots:
    void setMin(int a);
    void setMax(int a);
    void setHistDown(int a);
    void setHistUp(int a);
    void setLinear(bool on);
    void setNonLinear(bool on);
    void setTriggered(bool on);
    void fromChnlChanged(int a);
    void toChnlChanged(int a);
    // Switches DMX output event generation on or off in the image and
    // enables or disables the "DMX Output" events tab with it. Switched on
    // from off, generation starts with the last channel alone.
    void eventGenEnable(bool on);
    void fromChnlChangedT(int a);
    void toChnlChangedT(int a);
    // DMX input signal transmission on (true) or off (false).
    void transparencyDisable(bool on);
    void setMbft(int v);

private:
    uint8_t* record() const;
    // The look of a channel that is not triggered: both hysteresis boxes
    // blank and detached from the record.
    void showUntriggered();
    void attachHysteresis();
    void detachHysteresis();

    QMetaObject::Connection hDownConnection;
    QMetaObject::Connection hUpConnection;
    bool transmissionAttached = false;
};
