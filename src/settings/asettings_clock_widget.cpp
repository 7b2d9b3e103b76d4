#include "settings/asettings_clock_widget.h"

#include "model/globals.h"
#include "model/kv310_controller.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QSpinBox>

asettings_clock_widget::asettings_clock_widget(QWidget* parent) : QWidget(parent)
{
    if (parent)
        setGeometry(0, 0, parent->width(), parent->height());
    if (theController)
        shownCalibration = theController->clockCalibration;

    dstIndicator = new QCheckBox(tr("DST"), this);
    dstIndicator->setGeometry(310, 25, 170, 20);
    dstIndicator->setEnabled(false);

    calibrationGroup = new QGroupBox(tr("Calibration"), this);
    calibrationGroup->setGeometry(20, 120, 460, 50);
    calibrationGroup->setCheckable(true);
    calibrationGroup->setChecked(false);
    auto* adjustment = new QLabel(tr("Adjustment:"), calibrationGroup);
    adjustment->setGeometry(30, 20, 100, 20);
    calibrationSpin = new QSpinBox(calibrationGroup);
    calibrationSpin->setGeometry(190, 20, 50, 20);
    calibrationSpin->setRange(-31, 31);
    calibrationSpin->setValue(shownCalibration);
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
    if (theController)
        shownCalibration = theController->clockCalibration;
}
