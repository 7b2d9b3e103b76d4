// What the monitor windows read from the running controller: the input
// levels, the DMX values it receives and sends, and its internal states.

#include "model/kv310_controller.h"

#include "device/link_helpers.h"
#include "transport/protocol.h"
#include "transport/t_threadDevice.h"

#include <QDebug>

namespace {

constexpr int INPUT_READ_TRIES = 5;
constexpr int REQUEST_TRIES = 50;
constexpr int REQUEST_PAUSE_MS = 1;
constexpr int DMX_READY_POLLS = 10;
constexpr int STATES_READY_POLLS = 120;
constexpr int STATES_FINISHED_POLLS = 100;

enum class dataWait { ready, notReady, failed };

// Back-to-back status polls until STATUS_DONE, at most `limit`. A poll that
// does not bring the whole status word has failed. `unanswered` gets the
// number of polls that did not show the bit.
dataWait waitMonitorData(kv310_controller_class& c, int limit, int* unanswered)
{
    for (int i = 0; i < limit; ++i) {
        uint32_t status = 0;
        if (!readStatusWord(c.device, &status)) {
            *unanswered = i;
            return dataWait::failed;
        }
        if (status & STATUS_DONE) {
            *unanswered = i;
            return dataWait::ready;
        }
    }
    *unanswered = limit;
    return dataWait::notReady;
}

// The request that makes the controller prepare its data, 50 tries 1 ms apart.
bool requestMonitorData(kv310_controller_class& c, uint8_t request, uint16_t value, uint16_t index)
{
    return retryRequest(
        c.device, REQUEST_TRIES, [&] { return c.device->controlWrite(request, value, index, nullptr, 0) >= 0; },
        REQUEST_PAUSE_MS);
}

void monitorMessage(QMessageBox::Icon icon, const QString& text)
{
    usbMessage(icon, text);
}

void controlError()
{
    monitorMessage(QMessageBox::Warning, kv310_controller_class::tr("Control error!"));
}

void protocolError()
{
    monitorMessage(QMessageBox::Warning, kv310_controller_class::tr("Protocol error!"));
}

void readingError()
{
    monitorMessage(QMessageBox::Warning, kv310_controller_class::tr("Reading error!"));
}

void cannotInitiate()
{
    monitorMessage(QMessageBox::Critical, kv310_controller_class::tr("Cannot initiate reading!"));
}

} // namespace

int kv310_controller_class::readInputStates(int kind, void* buffer, unsigned sub)
{
    if (!connected) {
        monitorMessage(QMessageBox::Critical, tr("Not connected!"));
        return -1;
    }
    if ((kind != MONITOR_INPUTS && kind != MONITOR_DMX && kind != MONITOR_STATES) || !buffer)
        return -1;
    auto* bytes = static_cast<uint8_t*>(buffer);

    if (kind == MONITOR_INPUTS) {
        if (retryRequest(device, INPUT_READ_TRIES, [&] {
                return device->controlRead(MONITOR_READ, deviceWord(0), 0, bytes, INPUT_LEVELS_SIZE)
                       == INPUT_LEVELS_SIZE;
            }))
            return 0;
        monitorMessage(QMessageBox::Critical, tr("Cannot read inputs' states!"));
        return -1;
    }

    int unanswered = 0;
    if (kind == MONITOR_DMX) {
        // The source travels in the index as it is, never exchanged.
        if (!requestMonitorData(*this, DMX_MONITOR_READ, 0, uint16_t(sub))) {
            cannotInitiate();
            return -1;
        }
        switch (waitMonitorData(*this, DMX_READY_POLLS, &unanswered)) {
        case dataWait::failed:
            controlError();
            return -1;
        case dataWait::notReady:
            protocolError();
            return -1;
        case dataWait::ready:
            break;
        }
        if (device->bulkRead(bytes, DMX_MONITOR_FRAME_SIZE) < DMX_MONITOR_FRAME_SIZE
            || blockFrame::wordSum(bytes, DMX_MONITOR_FRAME_SIZE / 4) != 0) {
            readingError();
            return -1;
        }
        return 0;
    }

    if (!requestMonitorData(*this, MONITOR_READ, deviceWord(MONITOR_STATES), 0)) {
        cannotInitiate();
        return -1;
    }
    dataWait wait = waitMonitorData(*this, STATES_READY_POLLS, &unanswered);
    if (wait == dataWait::failed) {
        controlError();
        return -1;
    }
    if (unanswered > statesReadyMaxPolls) {
        statesReadyMaxPolls = unanswered;
        qDebug("1.max %d", unanswered);
    }
    if (wait == dataWait::notReady) {
        protocolError();
        return -1;
    }
    if (device->bulkRead(bytes, STATES_BLOCK_SIZE) < STATES_BLOCK_SIZE) {
        readingError();
        return -1;
    }
    wait = waitMonitorData(*this, STATES_FINISHED_POLLS, &unanswered);
    if (wait == dataWait::failed) {
        controlError();
        return -1;
    }
    if (unanswered > statesFinishedMaxPolls) {
        statesFinishedMaxPolls = unanswered;
        qDebug("2.max %d", unanswered);
    }
    if (wait == dataWait::notReady) {
        qDebug("Niepowodzenie odczytu stanow wewn.!");
        protocolError();
        return -1;
    }
    if (blockFrame::wordSum(bytes, STATES_CHECKED_WORDS) != 0) {
        readingError();
        return -1;
    }
    return 0;
}
