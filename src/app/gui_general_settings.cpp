// The general settings page ("Other") of the main window: location and time
// zone of the sun table, its CSV import and export, the controller-wide
// switches, start-up and shut-down times, and the events generator.

#include "app/gui_class.h"

#include "app/gui_page_helpers.h"

#include "seams/dialog_seam.h"
#include "transport/protocol.h"
#include "transport/t_threadDevice.h"
#include "editors/programs/aprogram_settings_widget.h"
#include "model/config_image.h"
#include "model/general_settings_rules.h"
#include "model/kv310_controller.h"
#include "model/time_codes.h"
#include "monitor/ctrl_monitor.h"
#include "settings/asettings_clock_widget.h"
#include "widgets/my_time_edit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
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

using gui_pages::pageFont;
using gui_pages::place;

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

// ---- Construction ------------------------------------------------------------------

void gui_class::buildOtherPage()
{
    dateTimeGroup = new QGroupBox(tr("Date and Time"), tab_settings_other);
    place(dateTimeGroup, 320, 20, 819, 199);
    clockSettings = new asettings_clock_widget(dateTimeGroup);
    buildGeneralSettingsGroups();

    monitor = new ctrl_monitor(tab_settings_other);
    place(monitor, 30, 20, 289, 239);
    connect(monitor, &ctrl_monitor::clrMenu, this, &gui_class::vMenuClr);
    connect(monitor, &ctrl_monitor::forceRefresh, this, &gui_class::refresh);

    buildDelayTimes();
    buildSunEvents();
    buildTimeScale();
    buildEventsGenerator();
    buildMisc();

    if (controller) {
        const uint8_t* image = controller->configImage;
        const QSignalBlocker startup(startupTimeEdit);
        const QSignalBlocker shutdown(shutdownTimeEdit);
        startupTimeEdit->setTime(fromTenths(img::getU16(image, img::startUpTime)));
        shutdownTimeEdit->setTime(fromTenths(img::getU16(image, img::shutDownTime)));
    }
}

void gui_class::buildGeneralSettingsGroups()
{
    delayTimesGroup = new QGroupBox(tr("Enable / Disable Delay Times"), tab_settings_other);
    place(delayTimesGroup, 30, 500, 379, 609);
    timeScaleGroup = new QGroupBox(tr("Time scale"), tab_settings_other);
    place(timeScaleGroup, 320, 370, 439, 479);
    timeScaleGroup->setCheckable(true);
    timeScaleGroup->setChecked(false);
    timeScaleGroup->hide();
    eventsGeneratorGroup = new QGroupBox(tr("Events Generator"), tab_settings_other);
    place(eventsGeneratorGroup, 320, 370, 819, 479);
    miscGroup = new QGroupBox(tr("Miscellaneous"), tab_settings_other);
    place(miscGroup, 30, 260, 289, 479);
    sunEventsGroup = new QGroupBox(tr("Enable Sunrise / Sunset Events"), tab_settings_other);
    place(sunEventsGroup, 320, 220, 819, 349);
    sunEventsGroup->setCheckable(true);
    sunEventsGroup->setChecked(false);
}

void gui_class::buildDelayTimes()
{
    startupTimeLabel = new QLabel(tr("Start-up Time"), delayTimesGroup);
    startupTimeLabel->setGeometry(20, 30, 150, 25);
    shutdownTimeLabel = new QLabel(tr("Shut-down Time"), delayTimesGroup);
    shutdownTimeLabel->setGeometry(20, 70, 150, 25);
    const QTime longest = fromTenths(0xFFFF);
    startupTimeEdit = new MyTimeEdit(delayTimesGroup);
    startupTimeEdit->setGeometry(190, 30, 130, 25);
    startupTimeEdit->setMaximumTime(longest);
    shutdownTimeEdit = new MyTimeEdit(delayTimesGroup);
    shutdownTimeEdit->setGeometry(190, 70, 130, 25);
    shutdownTimeEdit->setMaximumTime(longest);
    connect(startupTimeEdit, qOverload<QTime>(&QDateTimeEdit::timeChanged), this, &gui_class::enableTimeChanged);
    connect(shutdownTimeEdit, qOverload<QTime>(&QDateTimeEdit::timeChanged), this, &gui_class::disableTimeChanged);
}

void gui_class::buildSunEvents()
{
    const QFont font = pageFont();
    const QString degrees = QStringLiteral(" ") + QChar(0x00B0);
    latitudeLabel = new QLabel(tr("Location latitude:"), sunEventsGroup);
    latitudeLabel->setGeometry(20, 25, 185, 25);
    latitudeSpin = new QSpinBox(sunEventsGroup);
    latitudeSpin->setGeometry(210, 25, 100, 25);
    latitudeSpin->setRange(-60, 60);
    latitudeSpin->setSuffix(degrees);
    latitudeSpin->setValue(50);
    longitudeLabel = new QLabel(tr("Location longitude:"), sunEventsGroup);
    longitudeLabel->setGeometry(20, 60, 185, 25);
    longitudeSpin = new QSpinBox(sunEventsGroup);
    longitudeSpin->setGeometry(210, 60, 100, 25);
    longitudeSpin->setRange(-180, 180);
    longitudeSpin->setSuffix(degrees);
    longitudeSpin->setValue(20);
    timeZoneLabel = new QLabel(tr("Time zone:"), sunEventsGroup);
    timeZoneLabel->setGeometry(20, 95, 185, 25);
    timeZoneSpin = new QSpinBox(sunEventsGroup);
    timeZoneSpin->setGeometry(210, 95, 100, 25);
    timeZoneSpin->setRange(-12, 12);
    timeZoneSpin->setPrefix(QStringLiteral("GMT +"));
    timeZoneSpin->setValue(1);

    calculateButton = new QPushButton(tr("Calculate"), sunEventsGroup);
    calculateButton->setGeometry(330, 22, 150, 28);
    readSunTimesButton = new QPushButton(tr("Read from file"), sunEventsGroup);
    readSunTimesButton->setGeometry(330, 57, 150, 28);
    saveSunTimesButton = new QPushButton(tr("Save to file"), sunEventsGroup);
    saveSunTimesButton->setGeometry(330, 92, 150, 28);
    for (QPushButton* b : {calculateButton, readSunTimesButton, saveSunTimesButton})
        b->setFont(font);

    connect(sunEventsGroup, &QGroupBox::toggled, this, &gui_class::sunEventsEnable);
    connect(calculateButton, &QPushButton::clicked, this, &gui_class::recalculate);
    connect(readSunTimesButton, &QPushButton::clicked, this, &gui_class::getSunEventsTimes);
    connect(saveSunTimesButton, &QPushButton::clicked, this, &gui_class::saveSunEventsTimes);
    connect(latitudeSpin, &QSpinBox::valueChanged, this, &gui_class::saveLatit);
    connect(longitudeSpin, &QSpinBox::valueChanged, this, &gui_class::saveLongit);
    connect(timeZoneSpin, &QSpinBox::valueChanged, this, &gui_class::saveTZone);
}

void gui_class::buildTimeScale()
{
    pbRescale = new QPushButton(tr("Recalculate\nproject\ntimes"), timeScaleGroup);
    pbRescale->setObjectName(QStringLiteral("pbRescale"));
    pbRescale->setGeometry(10, 25, 100, 75);
    connect(pbRescale, &QPushButton::clicked, this, &gui_class::prjTimeRescale);
}

void gui_class::buildEventsGenerator()
{
    chooseEventLabel = new QLabel(tr("Choose event:"), eventsGeneratorGroup);
    chooseEventLabel->setGeometry(20, 25, 200, 25);
    eventTypeCombo = new QComboBox(eventsGeneratorGroup);
    eventTypeCombo->setGeometry(20, 60, 150, 28);
    const struct {
        const char* text;
        int firstId;
    } types[] = {
        {QT_TR_NOOP("Input"), 0x1340},   {QT_TR_NOOP("Seq. start"), 0x1200}, {QT_TR_NOOP("Delay"), 0x1000},
        {QT_TR_NOOP("Internal Event"), 0x400}, {QT_TR_NOOP("DMX In"), 0},   {QT_TR_NOOP("DMX Out"), 0xC00},
        {QT_TR_NOOP("Timer"), 0x800},    {QT_TR_NOOP("R. C. Key"), 0x1280},
    };
    for (const auto& t : types)
        eventTypeCombo->addItem(tr(t.text), t.firstId);
    eventVariantCombo = new QComboBox(eventsGeneratorGroup);
    eventVariantCombo->setGeometry(180, 60, 100, 28);
    prepEvMode(2);
    eventNumberSpin = new QSpinBox(eventsGeneratorGroup);
    eventNumberSpin->setGeometry(290, 60, 70, 28);
    eventNumberSpin->setRange(1, 24);
    generateButton = new QPushButton(tr("Generate"), eventsGeneratorGroup);
    generateButton->setGeometry(370, 60, 110, 28);
    generateButton->setFont(pageFont());
    connect(eventTypeCombo, &QComboBox::currentIndexChanged, this, &gui_class::evTypeChanged);
    connect(generateButton, &QPushButton::clicked, this, &gui_class::Wygeneruj);
}

void gui_class::buildMisc()
{
    extPanelsCheck = new QCheckBox(tr("Enable communication\nwith external panels"), miscGroup);
    extPanelsCheck->setGeometry(20, 40, 230, 50);
    dmxInProgrammingCheck = new QCheckBox(tr("Enable setting scenes\nwith DMX inputs"), miscGroup);
    dmxInProgrammingCheck->setGeometry(20, 110, 230, 50);
    connect(extPanelsCheck, &QCheckBox::stateChanged, this, &gui_class::extPanelEnable);
    connect(dmxInProgrammingCheck, &QCheckBox::stateChanged, this, &gui_class::selfPgmEnable);
}

// ---- Reload ----------------------------------------------------------------------

void gui_class::reloadOtherPage()
{
    clockSettings->refresh();
    monitor->updateStateTexts(MONITOR_FLAG_ALL);
    delayTimesGroup->show();
    eventsGeneratorGroup->show();
    if (!controller)
        return;
    uint8_t* image = controller->configImage;
    // The image ends holding what the page shows: a value the page cannot
    // show is stored as it shows it, as a repair rather than as the user's
    // work.
    if (generalSettingsRules::needsRepair(image)) {
        const showRepair repair(controller);
        generalSettingsRules::repair(image);
    }
    const QSignalBlocker panels(extPanelsCheck);
    const QSignalBlocker programming(dmxInProgrammingCheck);
    const QSignalBlocker sun(sunEventsGroup);
    const QSignalBlocker zoneBlocker(timeZoneSpin);
    const QSignalBlocker longitudeBlocker(longitudeSpin);
    const QSignalBlocker latitudeBlocker(latitudeSpin);
    extPanelsCheck->setChecked(img::getU16(image, img::extPanelsEnable) == 0);
    dmxInProgrammingCheck->setChecked(img::getU16(image, img::dmxInProgramming) == 0);
    sunEventsGroup->setChecked(img::getU16(image, img::sunEvents) != img::NONE16);
    const int zone = img::getI32(image, img::timeZone);
    timeZoneSpin->setValue(zone);
    timeZoneSpin->setPrefix(zone < 0 ? QStringLiteral("GMT ") : QStringLiteral("GMT +"));
    longitudeSpin->setValue(img::getI32(image, img::longitude));
    latitudeSpin->setValue(img::getI32(image, img::latitude));
}
