#include "kv310_controller.h"

#include "seams/dialog_seam.h"
#include "seams/gui_base.h"
#include "transport/device_factory.h"
#include "transport/t_threadDevice.h"
#include "transport/t_threadUsbDevice.h"
#include "huge_pages.h"
#include "sun_table.h"

#include <QDebug>
#include <QProgressDialog>
#include <cstdlib>
#include <new>

kv310_controller_class::kv310_controller_class() : QObject(nullptr)
{
    sunriseDefaults = sunriseDefaultTable;
    sunsetDefaults = sunsetDefaultTable;
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

    device->setUsbIds(CONTROLLER_VENDOR_ID, CONTROLLER_PRODUCT_ID);
    // connect() lists there the controllers it passed over for another serial.
    device->setOtherSerialsList(&otherSerials);

    // Zeroed by the system: the scene records, zero when cleared, are then
    // left untouched until something writes them (a file loaded at
    // start-up replaces them anyway). On huge pages where the system offers
    // them: the image is touched in long stretches.
    configImage = hugePages::allocate(img::SIZE);
    if (!configImage) {
        // The main window may not exist yet (start-up): theMainWindow is null then.
        showMessage(QMessageBox::Critical, theMainWindow, tr("KvOrbit310+"), tr("Not enough memory! Quitting!"),
                    QMessageBox::Ok);
        std::exit(-1);
    }
    imageZeroed = true;
    ClearConfig(CLEAR_ALL);
    imageZeroed = false;
}

kv310_controller_class::~kv310_controller_class()
{
    hugePages::release(configImage, img::SIZE);
    configImage = nullptr;
    delete device;
    device = nullptr;
    delete progressDialog;
    progressDialog = nullptr;
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
