// Moving the whole configuration image between the controller object and the
// controller: 128 framed blocks of 64 KB each way, in transfer mode.

#include "model/kv310_controller.h"

#include "seams/dialog_seam.h"
#include "seams/gui_base.h"
#include "transport/protocol.h"
#include "transport/t_threadDevice.h"

#include <QCoreApplication>
#include <QProgressDialog>

#include <array>
#include <cstring>
#include <memory>
#include <new>

namespace {

constexpr int CONFIG_FRAME_SIZE = CONFIG_BLOCK_SIZE + blockFrame::OVERHEAD;
static_assert(CONFIG_BLOCKS * CONFIG_BLOCK_SIZE == int(img::SIZE));

// Status polls of the transfer steps.
constexpr int BUSY_POLLS = 10;
constexpr int READY_POLLS = 10;
constexpr int WRITTEN_POLLS = 80;
constexpr int NEXT_BLOCK_POLLS = 20;

// The older hardware shows a longer progress range on sending.
constexpr int PROGRESS_RANGE_OLD_HARDWARE = 135;

QProgressDialog* openProgress(const QString& label, int maximum)
{
    auto* dialog = new QProgressDialog;
    dialog->hide();
    dialog->setValue(0);
    dialog->setAutoClose(true);
    dialog->setAutoReset(true);
    dialog->setLabelText(label);
    dialog->setRange(0, maximum);
    dialog->show();
    return dialog;
}

// One block of a send; 0, or the fault point that failed (1..5).
int sendConfigBlock(kv310_controller_class& c, transferBlock& block, int n, uint32_t base)
{
    const uint32_t offset = uint32_t(n) * CONFIG_BLOCK_SIZE;
    if (c.waitDeviceStatus(STATUS_BUSY, BUSY_POLLS) != 0)
        return 1;
    c.lastValue = 1;
    c.lastIndex = 0;
    if (c.device->controlWrite(CONFIG_WRITE, c.deviceWord(1), 0, nullptr, 0) < 0)
        return 2;
    if (c.pollDeviceStatus(STATUS_READY_FOR_DATA, READY_POLLS) != STATUS_READY_FOR_DATA)
        return 3;
    block.type = CONFIG_WRITE;
    block.counter = uint8_t(n);
    block.length = CONFIG_BLOCK_SIZE;
    block.address = base + offset;
    block.data = c.configImage + offset;
    const uint8_t* frame = block.pack();
    if (!frame || c.device->bulkWrite(frame, CONFIG_FRAME_SIZE) < CONFIG_FRAME_SIZE)
        return 4;
    if (c.pollDeviceStatus(STATUS_DONE, WRITTEN_POLLS) != STATUS_DONE)
        return 5;
    return 0;
}

// One block of a read into the scratch image; 0, or the fault point (1..3).
// A block is taken only when it is one whole block of the image that has
// not arrived before, so that 128 blocks taken are the whole image.
int readConfigBlock(kv310_controller_class& c, transferBlock& block, uint8_t* scratch,
                    std::array<bool, CONFIG_BLOCKS>& arrived)
{
    block.lengthInPages = false;
    if (c.pollDeviceStatus(STATUS_DONE, NEXT_BLOCK_POLLS) != STATUS_DONE)
        return 1;
    if (c.readBlock(block) != 0)
        return 3;
    const uint32_t offset = block.address - CONFIG_BASE_ADDRESS;
    if (block.address < CONFIG_BASE_ADDRESS || offset >= img::SIZE || block.length != CONFIG_BLOCK_SIZE
        || offset % CONFIG_BLOCK_SIZE != 0)
        return 2;
    bool& seen = arrived[offset / CONFIG_BLOCK_SIZE];
    if (seen)
        return 2;
    seen = true;
    std::memcpy(scratch + offset, block.data, CONFIG_BLOCK_SIZE);
    return 0;
}

void sendFailed()
{
    showMessage(QMessageBox::Critical, theMainWindow, kv310_controller_class::tr("KvOrbit310+"),
                kv310_controller_class::tr("Config and data writing\n     failed!"), QMessageBox::Ok);
}

void readFailed()
{
    showMessage(QMessageBox::Critical, theMainWindow, kv310_controller_class::tr("KvOrbit310+"),
                kv310_controller_class::tr("Configuration reading\n failed!"), QMessageBox::Ok);
}

// Settings words the pages cannot show outside their ranges.
void clampReadSettings(uint8_t* image)
{
    const uint16_t channels = img::getU16(image, img::outputChannelCount);
    img::putU16(image, img::outputChannelCount, qBound<uint16_t>(24, channels, 512));
    const uint16_t mbft = img::getU16(image, img::mbftCode);
    if (mbft == 0xFFFF)
        img::putU16(image, img::mbftCode, 10);
    else if (mbft > 90)
        img::putU16(image, img::mbftCode, 90);
}

} // namespace

void kv310_controller_class::send_alldata()
{
    // One frame buffer serves the whole send.
    transferBlock block;
    const uint32_t base =
        (hardwareCode == 0xD3 || hardwareCode == 0xD8) ? CONFIG_BASE_ADDRESS_OLD : CONFIG_BASE_ADDRESS;

    const int previousMode = deviceMode;
    if (deviceMode != MODE_TRANSFER && setDeviceMode(MODE_TRANSFER) != MODE_TRANSFER) {
        dropConnection();
        sendFailed();
        return;
    }

    // A table that does not fit leaves the image as it was: sending that
    // image would put an older show on the controller than the one edited.
    const bool eventsPacked = events.packEvents(configImage) == 0;
    const bool programsPacked = programs.packPrograms(configImage) == 0;
    packTimers();
    packCoupledScenes();
    bool success = eventsPacked && programsPacked;

    if (success) {
        // A description too large for the project area is stored in part
        // (the user has been told); the show itself goes out whole all the same.
        storeProjectDescription();
        delete progressDialog;
        progressDialog = openProgress(tr("Sending configuration and data..."),
                                      hardwareCode < 0x100 ? PROGRESS_RANGE_OLD_HARDWARE : CONFIG_BLOCKS);
        for (int n = 0; n < CONFIG_BLOCKS; ++n) {
            const int fault = sendConfigBlock(*this, block, n, base);
            if (fault) {
                dropConnection();
                success = false;
                qDebug("fault %d!", fault);
                break;
            }
            progressDialog->setValue(n + 1);
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
        progressDialog->hide();
        delete progressDialog;
        progressDialog = nullptr;
    }

    if (success) {
        showMessage(QMessageBox::Information, theMainWindow, tr("KvOrbit310+"),
                    tr("Config and data writing\n     successful!"), QMessageBox::Ok);
        emit forceReset();
    } else {
        sendFailed();
    }

    if (setDeviceMode(previousMode) != previousMode)
        dropConnection();
}

void kv310_controller_class::read_alldata()
{
    // The blocks go to a scratch image first: the show in memory changes only
    // when the whole image has arrived.
    std::unique_ptr<uint8_t[]> scratch(new (std::nothrow) uint8_t[img::SIZE]);
    if (!scratch) {
        readFailed();
        return;
    }

    // The controller gone or not answering ends the read at once, and the
    // user is told: the status label alone is easily missed.
    const int previousMode = deviceMode;
    if (deviceMode != MODE_TRANSFER && setDeviceMode(MODE_TRANSFER) != MODE_TRANSFER) {
        dropConnection();
        readFailed();
        return;
    }
    if (waitDeviceStatus(STATUS_BUSY, BUSY_POLLS) != 0) {
        dropConnection();
        readFailed();
        return;
    }

    if (hardwareCode != TYPE_WORD_CURRENT) {
        if (hardwareCode == 0xD3) {
            showMessage(QMessageBox::Information, theMainWindow, tr("Improper hardware"),
                        tr("For Kv310 version 3.99 or less, use older KvOrbit310.exe!"), QMessageBox::Ok);
        } else {
            showMessage(QMessageBox::Information, theMainWindow, tr("Improper hardware"),
                        tr("This software supports ") + QStringLiteral("Kv310+") + tr(" controllers only!"),
                        QMessageBox::Ok);
        }
        if (setDeviceMode(previousMode) != previousMode)
            dropConnection();
        return;
    }

    lastRequest = CONFIG_READ;
    lastIndex = 0;
    if (device->controlWrite(CONFIG_READ, deviceWord(CONFIG_BLOCKS), deviceWord(0), nullptr, 0) < 0) {
        dropConnection();
        readFailed();
        return;
    }

    delete progressDialog;
    progressDialog = openProgress(tr("Reading configuration..."), CONFIG_BLOCKS);
    transferBlock block;
    std::array<bool, CONFIG_BLOCKS> arrived{};
    int fault = 0;
    for (int n = 0; n < CONFIG_BLOCKS; ++n) {
        fault = readConfigBlock(*this, block, scratch.get(), arrived);
        if (fault)
            break;
        progressDialog->setValue(n + 1);
    }
    if (fault) {
        dropConnection();
        qDebug("fault %d!", fault);
    }
    progressDialog->hide();
    delete progressDialog;
    progressDialog = nullptr;

    if (!fault) {
        clampReadSettings(scratch.get());
        // The descriptions belong to the show that was in memory; they go
        // only now that another one replaces it.
        ClearConfig(CLEAR_DESCRIPTIONS);
        std::memcpy(configImage, scratch.get(), img::SIZE);
        programs.unpackPrograms(configImage);
        events.unpackEvents(configImage);
        unpackTimers();
        unpackCoupledScenes();
        rebuildSequences();
        loadStoredProjectDescription();
        emit readKv310Finished();
        // The show is the controller's now, as the pages show it.
        takeFingerprint();
        showMessage(QMessageBox::Information, theMainWindow, tr("KvOrbit310+"),
                    tr("Configuration reading\nsuccessful!"), QMessageBox::Ok);
    } else {
        readFailed();
    }

    if (setDeviceMode(previousMode) != previousMode)
        dropConnection();
}
