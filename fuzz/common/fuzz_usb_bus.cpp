#include "fuzz_usb_bus.h"

#include "transport/protocol.h"
#include "transport/t_threadUsbDevice.h"

#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace {

constexpr uint8_t FIRST_ERROR = 0xF0;
constexpr uint16_t FOREIGN_VENDOR = 0x1234;
constexpr uint16_t FOREIGN_PRODUCT = 0x5678;

class fuzzHandle final : public usbDeviceHandle {
};

int errorOf(uint8_t r)
{
    return usbReplyErrors[(r - FIRST_ERROR) % USB_REPLY_ERROR_COUNT];
}

// u32 count, then that many bytes (at most `room`) of which the input gives
// a u32-counted part and one fill byte the rest. Returns the count.
int readData(fuzzInput& in, uint8_t* data, int room, uint32_t count)
{
    const int n = int(std::min<uint32_t>(count, uint32_t(std::max(room, 0))));
    const int given = int(std::min<uint32_t>(in.u32(), uint32_t(n)));
    const int got = int(in.bytes(data, size_t(given)));
    const uint8_t fill = in.u8();
    std::memset(data + got, fill, size_t(n - got));
    return n;
}

} // namespace

fuzzUsbBus::~fuzzUsbBus()
{
    qDeleteAll(handles);
}

QList<usbDeviceInfo> fuzzUsbBus::listDevices()
{
    QList<usbDeviceInfo> devices;
    if (exhausted())
        return devices;
    const int n = in->u8() % 4;
    for (int i = 0; i < n; ++i) {
        usbDeviceInfo d;
        d.bus = 1;
        d.address = uint8_t(i + 1);
        d.serialIndex = in->u8();
        const bool foreign = in->u8() & 1;
        d.vendorId = foreign ? FOREIGN_VENDOR : CONTROLLER_VENDOR_ID;
        d.productId = foreign ? FOREIGN_PRODUCT : CONTROLLER_PRODUCT_ID;
        devices.append(d);
    }
    return devices;
}

usbDeviceHandle* fuzzUsbBus::open(const usbDeviceInfo&, int* error)
{
    int ignored = 0;
    int& result = error ? *error : ignored;
    result = USB_ERROR_NO_DEVICE;
    if (exhausted())
        return nullptr;
    const uint8_t r = in->u8();
    if (r != 0) {
        result = usbReplyErrors[r % USB_REPLY_ERROR_COUNT];
        return nullptr;
    }
    result = 0;
    auto* h = new fuzzHandle;
    handles.insert(h);
    return h;
}

void fuzzUsbBus::close(usbDeviceHandle* handle)
{
    if (handles.remove(handle))
        delete handle;
}

int fuzzUsbBus::getConfiguration(usbDeviceHandle*, int* configuration)
{
    *configuration = USB_CONFIGURATION;
    return 0;
}

int fuzzUsbBus::setConfiguration(usbDeviceHandle*, int)
{
    return 0;
}

int fuzzUsbBus::claimInterface(usbDeviceHandle*, int)
{
    return 0;
}

int fuzzUsbBus::releaseInterface(usbDeviceHandle*, int)
{
    return 0;
}

int fuzzUsbBus::controlTransfer(usbDeviceHandle* handle, uint8_t requestType, uint8_t, uint16_t, uint16_t,
                                uint8_t* data, uint16_t length, unsigned)
{
    if (!handles.contains(handle) || exhausted())
        return USB_ERROR_NO_DEVICE;
    const uint8_t r = in->u8();
    if (r >= FIRST_ERROR)
        return errorOf(r);
    if (requestType & 0x80) {
        const int n = std::min<int>(r, length);
        std::memset(data, 0, size_t(n));
        in->bytes(data, size_t(n));
        return n;
    }
    return r == 0 ? int(length) : std::min<int>(r - 1, length);
}

int fuzzUsbBus::bulkTransfer(usbDeviceHandle* handle, uint8_t endpoint, uint8_t* data, int length, int* transferred,
                             unsigned)
{
    *transferred = 0;
    if (!handles.contains(handle) || exhausted())
        return USB_ERROR_NO_DEVICE;
    const uint8_t r = in->u8();
    if (r >= FIRST_ERROR)
        return errorOf(r);
    if (!(endpoint & 0x80)) {
        if (r == 0) {
            *transferred = length;
            return 0;
        }
        *transferred = int(std::min<uint32_t>(in->u32(), uint32_t(std::max(length, 0))));
        return USB_ERROR_TIMEOUT;
    }
    if (r == 0) {
        const uint8_t type = in->u8();
        const uint8_t counter = in->u8();
        const uint32_t address = in->u32();
        const bool inPages = in->u8() & 1;
        uint32_t dataLength = std::min<uint32_t>(in->u32(), uint32_t(std::max(length - blockFrame::OVERHEAD, 0)));
        if (inPages)
            dataLength &= ~0xFFu;
        // An empty frame cannot carry length code 0 - 1: give it one word.
        if (!inPages && dataLength == 0 && length >= blockFrame::OVERHEAD + 4)
            dataLength = 4;
        if (length < blockFrame::OVERHEAD + int(dataLength) || (!inPages && dataLength == 0)) {
            *transferred = 0;
            return USB_ERROR_OVERFLOW;
        }
        readData(*in, data + blockFrame::HEADER_SIZE, int(dataLength), dataLength);
        blockFrame::build(data, length, type, counter, address, data + blockFrame::HEADER_SIZE, int(dataLength),
                          inPages);
        data[blockFrame::HEADER_SIZE + dataLength] ^= in->u8();
        *transferred = int(dataLength) + blockFrame::OVERHEAD;
        return 0;
    }
    if (r == 1) {
        *transferred = readData(*in, data, length, in->u32());
        return 0;
    }
    const int n = std::min<int>(r, length);
    std::memset(data, 0, size_t(n));
    in->bytes(data, size_t(n));
    *transferred = n;
    return 0;
}

int fuzzUsbBus::getStringDescriptor(usbDeviceHandle* handle, uint8_t, uint8_t* data, int length)
{
    if (!handles.contains(handle) || exhausted())
        return USB_ERROR_NO_DEVICE;
    const uint8_t r = in->u8();
    if (r >= FIRST_ERROR)
        return errorOf(r);
    const int n = std::min<int>(r, length);
    std::memset(data, 0, size_t(n));
    in->bytes(data, size_t(n));
    return n;
}

// ---- Recorder ---------------------------------------------------------------

usbReplyRecorder::usbReplyRecorder(usbBackend& b, fuzzOutput& o)
    : bus(b)
    , out(o)
{
}

void usbReplyRecorder::error(int result)
{
    const int* e = std::find(std::begin(usbReplyErrors), std::end(usbReplyErrors), result);
    out.u8(FIRST_ERROR + unsigned(e == std::end(usbReplyErrors) ? 0 : e - std::begin(usbReplyErrors)));
}

void usbReplyRecorder::tail(const uint8_t* data, int count)
{
    int given = count;
    const uint8_t fill = count > 0 ? data[count - 1] : 0;
    while (given > 0 && data[given - 1] == fill)
        --given;
    out.u32(uint32_t(given));
    out.bytes(data, size_t(given));
    out.u8(fill);
}

QList<usbDeviceInfo> usbReplyRecorder::listDevices()
{
    QList<usbDeviceInfo> devices = bus.listDevices();
    const int n = std::min<int>(int(devices.size()), 3);
    devices.resize(n);
    out.u8(unsigned(n));
    for (const usbDeviceInfo& d : devices) {
        out.u8(d.serialIndex);
        out.u8(d.vendorId == CONTROLLER_VENDOR_ID && d.productId == CONTROLLER_PRODUCT_ID ? 0 : 1);
    }
    return devices;
}

usbDeviceHandle* usbReplyRecorder::open(const usbDeviceInfo& device, int* error)
{
    int why = 0;
    usbDeviceHandle* h = bus.open(device, &why);
    if (error)
        *error = why;
    if (h) {
        out.u8(0);
    } else {
        // An answer byte r stands for usbReplyErrors[r % 10]; r = 0 would open.
        int index = 0;
        while (index < USB_REPLY_ERROR_COUNT - 1 && usbReplyErrors[index] != why)
            ++index;
        out.u8(uint8_t(USB_REPLY_ERROR_COUNT + index));
    }
    return h;
}

void usbReplyRecorder::close(usbDeviceHandle* handle)
{
    bus.close(handle);
}

int usbReplyRecorder::getConfiguration(usbDeviceHandle* handle, int* configuration)
{
    return bus.getConfiguration(handle, configuration);
}

int usbReplyRecorder::setConfiguration(usbDeviceHandle* handle, int configuration)
{
    return bus.setConfiguration(handle, configuration);
}

int usbReplyRecorder::claimInterface(usbDeviceHandle* handle, int interfaceNumber)
{
    return bus.claimInterface(handle, interfaceNumber);
}

int usbReplyRecorder::releaseInterface(usbDeviceHandle* handle, int interfaceNumber)
{
    return bus.releaseInterface(handle, interfaceNumber);
}

int usbReplyRecorder::controlTransfer(usbDeviceHandle* handle, uint8_t requestType, uint8_t request, uint16_t value,
                                      uint16_t index, uint8_t* data, uint16_t length, unsigned timeoutMs)
{
    const int result = bus.controlTransfer(handle, requestType, request, value, index, data, length, timeoutMs);
    if (result < 0) {
        error(result);
    } else if (requestType & 0x80) {
        out.u8(unsigned(result));
        out.bytes(data, size_t(result));
    } else {
        out.u8(result >= length ? 0 : unsigned(result + 1));
    }
    return result;
}

int usbReplyRecorder::bulkTransfer(usbDeviceHandle* handle, uint8_t endpoint, uint8_t* data, int length,
                                   int* transferred, unsigned timeoutMs)
{
    const int result = bus.bulkTransfer(handle, endpoint, data, length, transferred, timeoutMs);
    const bool partial = result == USB_ERROR_TIMEOUT && *transferred > 0;
    if (result < 0 && !partial) {
        error(result);
        return result;
    }
    if (!(endpoint & 0x80)) {
        if (result == 0) {
            out.u8(0);
        } else {
            out.u8(1);
            out.u32(uint32_t(*transferred));
        }
        return result;
    }
    // A frame that checks is written as one, so that the fuzzer's changes to
    // it keep it whole.
    for (bool inPages : {false, true}) {
        blockFrameView view;
        if (blockFrame::read(data, *transferred, inPages, &view) == FRAME_INTACT
            && view.length + blockFrame::OVERHEAD == *transferred) {
            out.u8(0);
            out.u8(view.type);
            out.u8(view.counter);
            out.u32(view.address);
            out.u8(inPages ? 1 : 0);
            out.u32(uint32_t(view.length));
            tail(view.data, view.length);
            out.u8(0);
            return result;
        }
    }
    out.u8(1);
    out.u32(uint32_t(*transferred));
    tail(data, *transferred);
    return result;
}

int usbReplyRecorder::getStringDescriptor(usbDeviceHandle* handle, uint8_t index, uint8_t* data, int length)
{
    const int result = bus.getStringDescriptor(handle, index, data, length);
    if (result < 0) {
        error(result);
    } else {
        out.u8(unsigned(result));
        out.bytes(data, size_t(result));
    }
    return result;
}
