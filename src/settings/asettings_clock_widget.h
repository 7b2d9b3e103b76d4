#pragma once

#include <QWidget>

class QCheckBox;
class QDateTimeEdit;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;

// The clock settings box inside the "Date and Time" group of the general
// settings page: sets the controller's clock from the PC or from an edited
// date and time, switches daylight saving on and off and adjusts the clock's
// calibration. It holds no copy of the model apart from the calibration it
// shows.
class asettings_clock_widget : public QWidget {
    Q_OBJECT
public:
    explicit asettings_clock_widget(QWidget* parent);

    // Shows a calibration reported by the controller (-31..31), but only
    // while the user is not editing one and when it differs from the value
    // shown last.
    void showDeviceCalibration(int value);

    QDateTimeEdit* dateTimeEdit;   // the date and time to send
    QCheckBox* useSystemTimeBox;   // sends the PC's time at the click instead
    QCheckBox* dstEnableBox;       // the image's daylight-saving switch
    // Daylight saving time in force: shown from the controller's clock, sent
    // with the clock; the user may change it while daylight saving is enabled.
    QCheckBox* dstBox;
    QPushButton* setClockButton;
    QGroupBox* calibrationGroup;   // checkable; checked while the user edits
    QSpinBox* calibrationSpin;
    QPushButton* setCalibrationButton;
    QLabel* adjustmentLabel;
    int shownCalibration = 0;      // the calibration taken from the controller or sent last
    int refreshCount = 0;          // reloads so far

public slots:
    void setClockClicked(bool checked);
    void calibEnable(bool on);
    void setCalibration(bool checked);
    void daylightsSavingEnable(int state);
    void refresh();
};
