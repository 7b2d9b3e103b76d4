#include "settings/asettings_clock_widget.h"

#include "model/config_image.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "seams/dialog_seam.h"
#include "settings/fixed_geometry.h"
#include "widgets/page_style.h"

#include <QCheckBox>
#include <QDateTimeEdit>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

using settingsPages::placeAt;

asettings_clock_widget::asettings_clock_widget(QWidget* parent) : QWidget(parent)
{
    if (parent)
        setGeometry(0, 0, parent->width(), parent->height());
    if (theController)
        shownCalibration = theController->clockCalibration;
    const QFont buttonFont = pageStyle::listFont();

    dateTimeEdit = new QDateTimeEdit(this);
    // Wide enough for the longest name of a day in Polish ("poniedziałek").
    placeAt(dateTimeEdit, 28, 25, 309, 44);
    dateTimeEdit->setDisplayFormat(QStringLiteral("dddd, dd.MM.yyyy hh:mm:ss"));

    useSystemTimeBox = new QCheckBox(tr("Use system date and time", "checkbox"), this);
    placeAt(useSystemTimeBox, 28, 60, 277, 79);

    dstEnableBox = new QCheckBox(tr("Enable Daylight Saving Time"), this);
    placeAt(dstEnableBox, 28, 90, 377, 109);

    dstBox = new QCheckBox(tr("DST"), this);
    placeAt(dstBox, 318, 25, 487, 44);
    dstBox->setEnabled(false);

    setClockButton = new QPushButton(tr("Set"), this);
    placeAt(setClockButton, 380, 50, 459, 79);
    setClockButton->setFont(buttonFont);

    calibrationGroup = new QGroupBox(tr("Calibration"), this);
    placeAt(calibrationGroup, 20, 120, 479, 169);
    calibrationGroup->setCheckable(true);
    calibrationGroup->setChecked(false);
    adjustmentLabel = new QLabel(tr("Adjustment:"), calibrationGroup);
    placeAt(adjustmentLabel, 30, 20, 129, 39);
    calibrationSpin = new QSpinBox(calibrationGroup);
    placeAt(calibrationSpin, 190, 20, 239, 39);
    calibrationSpin->setRange(-31, 31);
    calibrationSpin->setValue(shownCalibration);
    setCalibrationButton = new QPushButton(tr("Set"), calibrationGroup);
    placeAt(setCalibrationButton, 270, 18, 339, 41);
    setCalibrationButton->setFont(buttonFont);

    connect(setClockButton, &QPushButton::clicked, this, &asettings_clock_widget::setClockClicked);
    connect(useSystemTimeBox, &QCheckBox::clicked, dateTimeEdit, &QWidget::setDisabled);
    connect(calibrationGroup, &QGroupBox::toggled, this, &asettings_clock_widget::calibEnable);
    connect(setCalibrationButton, &QPushButton::clicked, this, &asettings_clock_widget::setCalibration);
    connect(dstEnableBox, &QCheckBox::stateChanged, this, &asettings_clock_widget::daylightsSavingEnable);
}

void asettings_clock_widget::setClockClicked(bool checked)
{
    Q_UNUSED(checked)
    if (!theController)
        return;
    const QDateTime time = useSystemTimeBox->isChecked() ? QDateTime::currentDateTime() : dateTimeEdit->dateTime();
    // The box tells whether daylight saving time is in force, enabled or not.
    if (theController->setDeviceClock(time, dstBox->isChecked()) < 0)
        showMessage(QMessageBox::Critical, this, tr("KvOrbit310+"), tr("Date and time setting\nerror!"));
    else
        showMessage(QMessageBox::Information, this, tr("KvOrbit310+"), tr("Date and time setting\nsuccessful!"));
}

void asettings_clock_widget::calibEnable(bool on)
{
    if (!on) {
        calibrationSpin->setValue(shownCalibration);
        return;
    }
    if (theController && theController->isConnected())
        return;
    // Unchecking runs this slot again, which puts the shown value back.
    calibrationGroup->setChecked(false);
    showMessage(QMessageBox::Critical, this, tr("USB Interface"), tr("Not connected!"));
}

void asettings_clock_widget::setCalibration(bool checked)
{
    Q_UNUSED(checked)
    const int value = calibrationSpin->value();
    // A calibration the controller did not take is not reported: the next
    // clock read shows what the controller holds.
    if (theController)
        theController->setClockCalibration(value);
    shownCalibration = value;
    calibrationGroup->setChecked(false);
}

void asettings_clock_widget::daylightsSavingEnable(int state)
{
    if (state != Qt::Unchecked && state != Qt::Checked)
        return;
    const bool enabled = state == Qt::Checked;
    if (theController) {
        img::putU16(theController->configImage, img::dstEnable, enabled ? 0 : img::NONE16);
        // Disabled, the box goes back to what the controller last reported.
        if (!enabled)
            dstBox->setChecked(theController->dstActive);
    }
    dstBox->setEnabled(enabled);
}

void asettings_clock_widget::showDeviceCalibration(int value)
{
    if (calibrationGroup->isChecked() || value == shownCalibration)
        return;
    shownCalibration = value;
    calibrationSpin->setValue(value);
}

void asettings_clock_widget::refresh()
{
    ++refreshCount;
    dateTimeEdit->setTime(QTime::currentTime());
    dateTimeEdit->setDate(QDate::currentDate());
    if (theController) {
        // The spin box keeps its value until the controller reports another
        // one or the user leaves calibration editing.
        shownCalibration = theController->clockCalibration;
        // A change of the box rewrites the switch with 0 or 0xFFFF: any value
        // but 0xFFFF counts as enabled.
        const bool enabled = img::getU16(theController->configImage, img::dstEnable) != img::NONE16;
        dstEnableBox->setCheckState(enabled ? Qt::Checked : Qt::Unchecked);
        dstBox->setChecked(theController->dstActive);
    }
    show();
}
