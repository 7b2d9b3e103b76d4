#pragma once

#include <QWidget>

class QCheckBox;
class QGroupBox;
class QSpinBox;

// The clock settings box inside the "Date and Time" group of the general
// settings page.
class asettings_clock_widget : public QWidget {
    Q_OBJECT
public:
    explicit asettings_clock_widget(QWidget* parent);

    // Shows a calibration reported by the controller (-31..31), but only
    // while the user is not editing one and when it differs from the value
    // shown last.
    void showDeviceCalibration(int value);

    QCheckBox* dstIndicator;      // "DST": daylight saving time in force on the controller
    QGroupBox* calibrationGroup;  // checkable; checked while the user edits
    QSpinBox* calibrationSpin;
    int shownCalibration = 0;     // the calibration taken from the controller or sent last
    // Calls of refresh() so far. Of the page's content only the calibration
    // is reloaded yet; the main window's tests count these to see which page
    // a refresh reaches.
    int refreshCount = 0;

public slots:
    void refresh();
};
