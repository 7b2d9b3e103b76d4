// The controller's request protocol: byte order of word fields, the status
// waits, the configuration block read and the DMX transparency switch.

#include "model/kv310_controller.h"

#include "device/link_helpers.h"
#include "transport/link_clock.h"
#include "transport/protocol.h"
#include "transport/t_threadDevice.h"

#include <QDebug>

namespace {

// Bytes of one configuration block frame: 64 KB of data, header and checksum.
constexpr int CONFIG_FRAME_SIZE = 0x10000 + blockFrame::OVERHEAD;
constexpr int TRANSPARENCY_TRIES = 10;

} // namespace

uint16_t kv310_controller_class::deviceWord(int value) const
{
    return swapWordBytes(value, swapBytes);
}

void kv310_controller_class::delay100ms()
{
    theLinkClock().sleepMs(100);
}

void kv310_controller_class::delay1ms()
{
    theLinkClock().sleepMs(1);
}

// One status poll of the waits. A short answer is a broken link: it is
// reported and the connection dropped here, once.
static bool pollStatusWord(kv310_controller_class& controller, uint32_t* status)
{
    if (readStatusWord(controller.device, status)) {
        controller.lastStatusWord = *status;
        return true;
    }
    qDebug("can't get stat!");
    controller.dropConnection();
    return false;
}

int kv310_controller_class::waitDeviceStatus(int bits, int tries)
{
    // After a drop there is nothing to ask; the callers' own drop is then a no-op.
    if (!device->isConnected()) {
        dropConnection();
        return bits;
    }
    for (;;) {
        uint32_t status = 0;
        if (!pollStatusWord(*this, &status))
            return bits;
        if (!(status & uint32_t(bits)))
            return 0;
        if (tries > 0)
            delay100ms();
        if (--tries <= 0)
            return int(status & uint32_t(bits));
    }
}

int kv310_controller_class::pollDeviceStatus(int bits, int tries)
{
    if (!device->isConnected()) {
        dropConnection();
        return 0;
    }
    for (;;) {
        uint32_t status = 0;
        if (!pollStatusWord(*this, &status))
            return 0;
        if ((status & uint32_t(bits)) == uint32_t(bits))
            return bits;
        if (tries > 0)
            delay100ms();
        if (--tries <= 0)
            return int(status & uint32_t(bits));
    }
}

int kv310_controller_class::readBlock(transferBlock& block)
{
    int received = -1;
    if (waitDeviceStatus(STATUS_BUSY, 10) == 0)
        received = device->bulkRead(block.rawBuffer(), CONFIG_FRAME_SIZE);
    if (received < CONFIG_FRAME_SIZE) {
        dropConnection();
        return -1;
    }
    return block.unpack(received) == 0 ? 0 : -1;
}

int kv310_controller_class::setDmxTransparency(bool on)
{
    if (!connected)
        return 0;
    const uint16_t value = on ? DMX_TRANSPARENCY_ON : DMX_TRANSPARENCY_OFF;
    const int tookIt = retryRequest(device, TRANSPARENCY_TRIES, [&] {
        return device->controlWrite(SET_DMX_TRANSPARENCY, value, 0, nullptr, 0) >= 0;
    });
    return tookIt ? 1 : 0;
}
