#include "t_threadUsbDevice.h"

#include "transport/device_factory.h"
#include "transport/protocol.h"
#include "transport/usb_backend.h"

#include <QDebug>

#include <cstring>

QString serialFromDescriptor(const uint8_t* descriptor, int received)
{
    if (!descriptor || received < 2)
        return QString();
    int bytes = received;
    // The descriptor's own length, when it claims less than arrived.
    if (descriptor[0] >= 2 && descriptor[0] < bytes)
        bytes = descriptor[0];
    const int characters = qMin((bytes - 2) / 2, SERIAL_MAX_CHARACTERS);
    QString serial(characters, Qt::Uninitialized);
    for (int i = 0; i < characters; ++i)
        serial[i] = QChar(char16_t(descriptor[2 + 2 * i] | (descriptor[3 + 2 * i] << 8)));
    return serial;
}

t_threadUsbDevice::t_threadUsbDevice(usbBackend* backend)
    : bus(backend ? backend : &theUsbBackend())
{
}

t_threadUsbDevice::~t_threadUsbDevice()
{
    closeDevice();
}

void t_threadUsbDevice::run()
{
    while (!isInterruptionRequested())
        QThread::msleep(200);
}

bool t_threadUsbDevice::isConnected()
{
    return usbHandle != nullptr;
}

int t_threadUsbDevice::deviceType()
{
    uint8_t word[2] = {0, 0};
    if (controlRead(GET_DEVICE_TYPE, 0, 0, word, 2) != 2)
        return -1;
    return word[0] | (word[1] << 8);
}

int t_threadUsbDevice::controlWrite(uint8_t request, uint16_t value, uint16_t index, const void* data,
                                    unsigned length)
{
    lastTimedOut = false;
    if (!usbHandle)
        return -1;
    uint8_t stage[CONTROL_MAX_LENGTH];
    uint16_t stageLength = 0;
    if (data && length > 0) {
        if (length > CONTROL_MAX_LENGTH)
            return -1;
        std::memcpy(stage, data, length);
        stageLength = uint16_t(length);
    }
    const int result = bus->controlTransfer(usbHandle, USB_REQUEST_VENDOR_OUT, request, value, index,
                                            stageLength ? stage : nullptr, stageLength, USB_TIMEOUT_MS);
    lastTimedOut = result == USB_ERROR_TIMEOUT;
    return result < 0 ? -1 : result;
}

int t_threadUsbDevice::controlRead(uint8_t request, uint16_t value, uint16_t index, void* buffer, unsigned length)
{
    lastTimedOut = false;
    if (!usbHandle || !buffer || length < 1 || length > CONTROL_MAX_LENGTH)
        return -1;
    const int result = bus->controlTransfer(usbHandle, USB_REQUEST_VENDOR_IN, request, value, index,
                                            static_cast<uint8_t*>(buffer), uint16_t(length), USB_TIMEOUT_MS);
    lastTimedOut = result == USB_ERROR_TIMEOUT;
    return result < 0 ? -1 : result;
}

int t_threadUsbDevice::bulkTransfer(uint8_t endpoint, uint8_t* data, int length)
{
    int transferred = 0;
    const int result = bus->bulkTransfer(usbHandle, endpoint, data, length, &transferred, USB_TIMEOUT_MS);
    // A controller that took part of the data did answer; only one that
    // moved nothing counts as not answering.
    lastTimedOut = result == USB_ERROR_TIMEOUT && transferred == 0;
    // A time-out that moved part of the data reports the part, as the callers
    // compare the count with what they need.
    if (result == 0 || (result == USB_ERROR_TIMEOUT && transferred > 0))
        return transferred;
    return result < 0 ? result : USB_ERROR_OTHER;
}

int t_threadUsbDevice::bulkWrite(const void* data, int length)
{
    lastTimedOut = false;
    if (!data || length <= 0 || !usbHandle)
        return -1;
    // libusb takes a non-const buffer for both directions; it only reads an OUT one.
    return bulkTransfer(USB_ENDPOINT_OUT, static_cast<uint8_t*>(const_cast<void*>(data)), length);
}

int t_threadUsbDevice::bulkRead(void* buffer, int length)
{
    lastTimedOut = false;
    if (!buffer || length <= 0 || !usbHandle)
        return -1;
    return bulkTransfer(USB_ENDPOINT_IN, static_cast<uint8_t*>(buffer), length);
}

void t_threadUsbDevice::closeDevice()
{
    if (!usbHandle)
        return;
    bus->releaseInterface(usbHandle, USB_INTERFACE);
    bus->close(usbHandle);
    usbHandle = nullptr;
}

void t_threadUsbDevice::disconnect()
{
    closeDevice();
}

int t_threadUsbDevice::readSerial()
{
    lastTimedOut = false;
    if (!usbHandle)
        return -1;
    serialNumber.clear();
    uint8_t descriptor[SERIAL_DESCRIPTOR_SIZE];
    const uint8_t index = deviceTypeWord <= 0x100 ? SERIAL_INDEX_OLD_HARDWARE : SERIAL_INDEX;
    const int received = bus->getStringDescriptor(usbHandle, index, descriptor, SERIAL_DESCRIPTOR_SIZE);
    lastTimedOut = received == USB_ERROR_TIMEOUT;
    if (received < 0)
        return -1;
    serialNumber = serialFromDescriptor(descriptor, received);
    return 0;
}

int t_threadUsbDevice::connect()
{
    if (otherSerials)
        otherSerials->clear();
    closeDevice();

    // A controller that ran into a time-out is passed over like any other
    // that does not answer, but the caller learns of it.
    bool passedOverTimedOut = false;
    const QList<usbDeviceInfo> devices = bus->listDevices();
    for (const usbDeviceInfo& device : devices) {
        if (device.vendorId != vendorId || device.productId != productId)
            continue;
        int openError = 0;
        usbHandle = bus->open(device, &openError);
        if (!usbHandle) {
            if (openError == USB_ERROR_ACCESS)
                qDebug("USB device %04x:%04x on bus %d, address %d: no permission to open it "
                       "(the udev rule in the README gives it)",
                       device.vendorId, device.productId, device.bus, device.address);
            continue;
        }

        int configuration = 0;
        bool ready = true;
        if (bus->getConfiguration(usbHandle, &configuration) < 0 || configuration != USB_CONFIGURATION)
            ready = bus->setConfiguration(usbHandle, USB_CONFIGURATION) >= 0;
        if (ready)
            ready = bus->claimInterface(usbHandle, USB_INTERFACE) >= 0;
        if (!ready) {
            bus->close(usbHandle);
            usbHandle = nullptr;
            continue;
        }

        const int type = deviceType();
        bool probeTimedOut = lastTimedOut;
        uint8_t descriptor[SERIAL_DESCRIPTOR_SIZE];
        int received = -1;
        if (type >= 0 && (type & 0xFF) == DEVICE_TYPE_CODE) {
            received = bus->getStringDescriptor(usbHandle, device.serialIndex, descriptor, SERIAL_DESCRIPTOR_SIZE);
            probeTimedOut = received == USB_ERROR_TIMEOUT;
        }
        if (received < 0) {
            passedOverTimedOut = passedOverTimedOut || probeTimedOut;
            disconnect();
            continue;
        }

        const QString serial = serialFromDescriptor(descriptor, received);
        const QString factorySerial = QString::fromLatin1(FACTORY_SERIAL);
        if (serialNumber.isEmpty() || serial == factorySerial || serialNumber == factorySerial) {
            serialNumber = serial;
        } else if (serial != serialNumber) {
            if (otherSerials)
                otherSerials->append(serial);
            disconnect();
            continue;
        }
        deviceTypeWord = uint16_t(type);
        lastTimedOut = false;
        return type;
    }
    lastTimedOut = passedOverTimedOut;
    return -1;
}
