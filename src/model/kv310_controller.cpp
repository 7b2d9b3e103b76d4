#include "kv310_controller.h"

#include "app/seams/dialog_seam.h"
#include "app/seams/gui_base.h"
#include "device/transport/device_factory.h"
#include "device/transport/t_threadDevice.h"

#include <QDebug>
#include <QProgressDialog>
#include <cstdlib>
#include <cstring>
#include <new>

kv310_controller_class::kv310_controller_class() : QObject(nullptr)
{
    programs.owner = this;
    events.owner = this;
    progressDialog = nullptr;

    device = createControllerDevice();
    connected = 0;
    uiMode = 0;
    deviceMode = 0;

    serialText = QStringLiteral("S/N ----");
    clockSyncCounter = 10;
    clockValid = 0;
    clockCalibration = 0;
    hardwareCode = 0x1D3;
    swapBytes = true;

    device->setUsbIds(0x16C0, 0x0780);
    // connect() lists there the controllers it passed over for another serial.
    device->setOtherSerialsList(&otherSerials);

    configImage = new (std::nothrow) uint8_t[img::SIZE];
    if (!configImage) {
        // The main window may not exist yet (start-up): theMainWindow is null then.
        showMessage(QMessageBox::Critical, theMainWindow, tr("KvOrbit310+"), tr("Not enough memory! Quitting!"),
                    QMessageBox::Ok);
        std::exit(-1);
    }
    fillClearedImage();
}

kv310_controller_class::~kv310_controller_class()
{
    delete[] configImage;
    configImage = nullptr;
    delete device;
    device = nullptr;
    delete progressDialog;
    progressDialog = nullptr;
}

void kv310_controller_class::fillClearedImage()
{
    uint8_t* image = configImage;
    std::memset(image, 0xFF, img::SIZE);
    clockCalibration = 0;
    img::putU16(image, img::startUpTime, 0);
    img::putU16(image, img::shutDownTime, 0);

    for (int ch = 0; ch < img::CHANNELS; ++ch)
        outputChannel{0, 0xFF, 0xFF, 0xFF}.write(image + img::outputChannelsOf(ch));
    img::putU16(image, img::outputChannelCount, 512);
    img::putU16(image, img::mbftCode, 10);

    img::putU16(image, img::dmxInReserved, 0);
    img::putU16(image, img::inputChannelLimit, 512);
    img::putU32Run(image, img::inputTypes, img::INPUTS, 0);

    for (int s = 0; s < img::SCENES; ++s)
        fadeTimes{0, 0xFFFF, 0, 0}.write(image + img::sceneTimesOf(s));
    std::memset(image + img::sceneChannels, 0, size_t(img::SCENES) * img::CHANNELS);
    img::putU32Run(image, img::coupledByGroup, img::COUPLED_PAIRS, 0x0000FFFF);
    img::putU32Run(image, img::coupledByScene, img::COUPLED_PAIRS, 0x0000FFFF);

    for (int m = 0; m < img::MASKS; ++m) {
        img::putU16(image, img::maskTimesOf(m), 0);
        img::putU16(image, img::maskTimesOf(m) + 4, 0);
    }
    std::memset(image + img::maskChannelsOf(192), 0, size_t(img::MASKS - 192) * img::CHANNELS);

    img::putU16Run(image, img::programStepCount, img::PROGRAM_SLOTS, 0);
    img::putU16Run(image, img::programRecurrences, img::PROGRAM_SLOTS, 1);
    for (int g = 0; g < img::STEP_RECORDS; ++g)
        stepRecord{0xFFFF, 0, 10, 0}.write(image + img::programStepsOf(g));

    eventAction cleared;
    cleared.eventId = 0xFFFF;
    cleared.number = 0xFFFF;
    for (int r = 0; r < img::ACTION_RECORDS; ++r)
        cleared.write(image + img::eventActionsOf(r));

    img::putI32(image, img::timeZone, 1);
    img::putI32(image, img::longitude, 20);
    img::putI32(image, img::latitude, 50);
    img::putU16(image, img::dstEnable, 0);
    if (sunriseDefaults && sunsetDefaults) {
        for (int d = 0; d < 366; ++d) {
            img::putU16(image, img::sunTableOf(d), sunriseDefaults[d]);
            img::putU16(image, img::sunTableOf(d) + 2, sunsetDefaults[d]);
        }
    }

    // Cleared descriptions are empty strings; remote-control key descriptions null.
    const QString empty(0, QChar());
    sceneDescriptions.fill(empty);
    maskDescriptions.fill(empty);
    programDescriptions.fill(empty);
    eventDescriptions.fill(empty);
    stateDescriptions.fill(empty);
    inputDescriptions.fill(empty);
    panelDescriptions.fill(empty);
    rcuKeyDescriptions.fill(QString());
    rcuKeyCodes.fill(0xFF);
    rcuAddress = 0xFF;

    for (auto& list : sequenceDelays)
        list.clear();
    startedDelays.clear();

    programs.unpackPrograms(configImage);
    events.unpackEvents(configImage);
}

QString kv310_controller_class::descriptionText(unsigned kind, int nr) const
{
    if (nr < 0)
        return QString();
    const auto pick = [nr](const auto& array, int offset = 0, int count = -1) {
        const int n = count < 0 ? int(array.size()) : count;
        return nr < n ? array[size_t(offset + nr)] : QString();
    };
    switch (kind) {
    case 0:
        return pick(sceneDescriptions);
    case 1:
        return pick(programDescriptions);
    case 3:
        return pick(stateDescriptions);
    case 5:
        return pick(eventDescriptions, EVENT_DELAY_END, img::DELAYS);
    case 6:
        return pick(eventDescriptions, EVENT_SEQUENCE_START, img::SEQUENCES);
    case 7:
        return pick(maskDescriptions);
    case 9:
        return pick(panelDescriptions);
    default:
        return QString();
    }
}

int kv310_controller_class::coupledSceneCount() const
{
    int total = 0;
    for (const auto& group : coupledSceneGroups)
        total += int(group.size());
    return total;
}

void kv310_controller_class::trapSlot(const QModelIndex& c, const QModelIndex& p)
{
    Q_UNUSED(c);
    Q_UNUSED(p);
    qDebug("was here! :-)");
}

t_threadDevice* kv310_controller_class::getUsbDev()
{
    return device;
}

void kv310_controller_class::setDmxInLimit(int n)
{
    img::putU16(configImage, img::inputChannelLimit, uint16_t(n));
}
