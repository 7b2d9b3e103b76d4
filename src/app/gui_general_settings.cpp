// The general settings page ("Other") of the main window: location and time
// zone of the sun table, its CSV import and export, the controller-wide
// switches, start-up and shut-down times, and the events generator.

#include "app/gui_class.h"

#include "seams/dialog_seam.h"
#include "transport/protocol.h"
#include "transport/t_threadDevice.h"
#include "editors/programs/aprogram_settings_widget.h"
#include "model/config_image.h"
#include "model/kv310_controller.h"
#include "model/time_codes.h"

#include <QComboBox>
#include <QGroupBox>
#include <QSpinBox>

namespace {

// The generator sends RAISE_EVENT this many times before it gives up.
constexpr int RAISE_EVENT_TRIES = 10;

// Minutes of time per degree of longitude, as the controller's sun table was
// always computed (truncates to exactly 4 x longitude for -180..180).
constexpr double MINUTES_PER_DEGREE = 4.000000109805707;

QString sunTimesDirectory(const kv310_controller_class* controller)
{
    return controller && !controller->lastPath.isEmpty() ? controller->lastPath : QStringLiteral("./");
}

// Numbers and variants of each event type of the generator, by its first event id.
struct generatorType {
    uint16_t firstId;
    int numbers;
    int variants;
};
constexpr generatorType generatorTypes[] = {
    {0x1340, 24, 2},   // inputs: on, off
    {0x1200, 128, 1},  // sequence starts
    {0x1000, 512, 1},  // delay ends
    {0x400, 1024, 1},  // internal events
    {0x000, 512, 2},   // DMX input channels: on, off
    {0xC00, 512, 2},   // DMX output channels: on, off
    {0x800, 1024, 1},  // timers
    {0x1280, 64, 3},   // remote-control keys: start, repeat, stop
};

}  // namespace

// ---- Location and sun table ----------------------------------------------------------

void gui_class::saveLatit(int lat)
{
    if (controller)
        img::putI32(controller->configImage, img::latitude, lat);
}

void gui_class::saveLongit(int longitude)
{
    if (controller)
        img::putI32(controller->configImage, img::longitude, longitude);
}

void gui_class::saveTZone(int zone)
{
    if (controller)
        img::putI32(controller->configImage, img::timeZone, zone);
    timeZoneSpin->setPrefix(zone < 0 ? QStringLiteral("GMT ") : QStringLiteral("GMT +"));
}

void gui_class::recalculate()
{
    if (!controller)
        return;
    const int longitude = longitudeSpin->value();
    const int zone = timeZoneSpin->value();
    const int latitude = latitudeSpin->value();
    const int offset = int(longitude * MINUTES_PER_DEGREE) - 60 * zone;
    controller->calculateSunEvents(latitude, offset);
}

void gui_class::getSunEventsTimes()
{
    if (!controller)
        return;
    fileRequest request;
    request.directory = sunTimesDirectory(controller);
    request.filter = tr("CSV sheets (*.csv)") + QStringLiteral(";;") + tr("All files (*)");
    request.caption = tr("Choose a file containing sunrise and sunset times");
    const QString fileName = dialogs().openFileName(request);
    if (fileName.isEmpty())
        return;
    const int result = controller->importSunTimes(fileName);
    if (result == -1)
        showMessage(QMessageBox::Critical, this, QStringLiteral("KvOrbit310+"),
                    tr("Cannot open file %1!").arg(fileName));
    else if (result != 0 && result != -2 && result != -3)
        showMessage(QMessageBox::Critical, this, QStringLiteral("KvOrbit310+"), tr("Cannot read times!"));
}

void gui_class::saveSunEventsTimes()
{
    if (!controller)
        return;
    const QString csvFilter = tr("CSV sheets (*.csv)");
    fileRequest request;
    request.directory = sunTimesDirectory(controller);
    request.filter = csvFilter + QStringLiteral(";;") + tr("All files (*)");
    request.caption = tr("Choose a file to save sunrise and sunset times");
    QString fileName = dialogs().saveFileName(request);
    if (fileName.isEmpty())
        return;
    if (request.selectedFilter == csvFilter && !fileName.endsWith(QLatin1String(".csv")))
        fileName += QStringLiteral(".csv");
    controller->lastPath = fileName;
    const int result = controller->exportSunTimes(fileName);
    if (result == -1)
        showMessage(QMessageBox::Critical, this, QStringLiteral("KvOrbit310+"),
                    tr("Cannot open file \"%1\" to write!").arg(fileName));
    else if (result != 0)
        showMessage(QMessageBox::Critical, this, QStringLiteral("KvOrbit310+"), tr("Cannot save times!"));
}

void gui_class::sunEventsEnable(bool on)
{
    if (!controller)
        return;
    uint8_t* image = controller->configImage;
    if (!on)
        img::putU16(image, img::sunEvents, img::NONE16);
    else if (img::getU16(image, img::sunEvents) == img::NONE16)
        img::putU16(image, img::sunEvents, 0);
}

// ---- Switches and times ----------------------------------------------------------------

void gui_class::extPanelEnable(int state)
{
    if (controller)
        img::putU16(controller->configImage, img::extPanelsEnable, state == Qt::Checked ? 0 : img::NONE16);
}

void gui_class::selfPgmEnable(int state)
{
    if (controller)
        img::putU16(controller->configImage, img::dmxInProgramming, state == Qt::Checked ? 0 : img::NONE16);
}

void gui_class::enableTimeChanged(QTime t)
{
    if (controller)
        img::putU16(controller->configImage, img::startUpTime, uint16_t(toTenths(t)));
}

void gui_class::disableTimeChanged(QTime t)
{
    if (controller)
        img::putU16(controller->configImage, img::shutDownTime, uint16_t(toTenths(t)));
}

void gui_class::entriesEnable(int state)
{
    buildPage(lazyPage::programs);
    programEditor->showEntriesTab(state == Qt::Checked);
    if (!controller)
        return;
    uint8_t* image = controller->configImage;
    if (state != 0) {
        if (img::getU16(image, img::firstExtraSlot) > img::PROGRAM_SLOTS)
            img::putU16(image, img::firstExtraSlot, img::PROGRAM_SLOTS);
    } else {
        controller->extraEntries.clear();
        img::putU16(image, img::firstExtraSlot, img::NONE16);
    }
}

// ---- Events generator ----------------------------------------------------------------

void gui_class::evTypeChanged(int index)
{
    if (index < 0)
        return;
    const auto firstId = uint16_t(eventTypeCombo->itemData(index).toInt());
    for (const generatorType& type : generatorTypes) {
        if (type.firstId != firstId)
            continue;
        prepEvMode(type.variants);
        eventNumberSpin->setRange(1, type.numbers);
        return;
    }
}

void gui_class::prepEvMode(int variants)
{
    eventVariantCombo->clear();
    switch (variants) {
    case 1:
        eventVariantCombo->addItem(tr("N/A"), variants);
        eventVariantCombo->setEnabled(false);
        break;
    case 2:
        eventVariantCombo->addItem(tr("On"), variants);
        eventVariantCombo->addItem(tr("Off"), variants);
        eventVariantCombo->setEnabled(true);
        break;
    case 3:
        eventVariantCombo->addItem(tr("Start"), variants);
        eventVariantCombo->addItem(tr("Repeat"), variants);
        eventVariantCombo->addItem(tr("Stop"), variants);
        eventVariantCombo->setEnabled(true);
        break;
    default:
        break;
    }
    eventVariantCombo->setCurrentIndex(0);
}

void gui_class::Wygeneruj()
{
    if (!controller || !controller->isConnected()) {
        showMessage(QMessageBox::Critical, this, QStringLiteral("KvOrbit310+"), tr("Not connected!", "QMessageBox"));
        return;
    }
    const auto firstId = uint16_t(eventTypeCombo->currentData().toInt());
    const auto variants = uint16_t(eventVariantCombo->currentData().toInt());
    const auto number = uint16_t(eventNumberSpin->value());
    const auto variant = uint16_t(eventVariantCombo->currentIndex());
    const auto id = uint16_t(firstId + variants * (number - 1) + variant);
    for (int i = 0; i < RAISE_EVENT_TRIES; ++i) {
        if (controller->device->controlWrite(RAISE_EVENT, 0, controller->deviceWord(id), nullptr, 0) >= 0)
            return;
    }
    showMessage(QMessageBox::Warning, this, tr("USB Interface"), tr("Control error!"));
}
