#pragma once

#include <QList>
#include <cstdint>

// The few USB operations the controller link needs, so that the transport code
// runs unchanged against libusb or against a simulated bus. Results follow
// libusb-1.0: 0 or a byte count for success, a negative usbError for failure.

enum usbError : int {
    USB_ERROR_IO = -1,
    USB_ERROR_INVALID_PARAM = -2,
    USB_ERROR_ACCESS = -3,
    USB_ERROR_NO_DEVICE = -4,
    USB_ERROR_NOT_FOUND = -5,
    USB_ERROR_BUSY = -6,
    USB_ERROR_TIMEOUT = -7,
    USB_ERROR_OVERFLOW = -8,
    USB_ERROR_PIPE = -9,
    USB_ERROR_OTHER = -99,
};

// What the bus walk needs of one device: where it sits and its device
// descriptor's ids and serial-number string index.
struct usbDeviceInfo {
    uint8_t bus = 0;
    uint8_t address = 0;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    uint8_t serialIndex = 0;
};

// An open device; each backend derives its own and is the only one to look inside.
class usbDeviceHandle {
public:
    virtual ~usbDeviceHandle();
};

class usbBackend {
public:
    virtual ~usbBackend();

    // Every device on every bus, sorted by bus number and then by address.
    virtual QList<usbDeviceInfo> listDevices() = 0;
    // Null when the device cannot be opened (gone, no access); *error (when
    // given) then tells why, as a usbError.
    virtual usbDeviceHandle* open(const usbDeviceInfo& device, int* error) = 0;
    // Closes and deletes the handle; the caller releases its interfaces first.
    virtual void close(usbDeviceHandle* handle) = 0;

    virtual int getConfiguration(usbDeviceHandle* handle, int* configuration) = 0;
    virtual int setConfiguration(usbDeviceHandle* handle, int configuration) = 0;
    virtual int claimInterface(usbDeviceHandle* handle, int interfaceNumber) = 0;
    virtual int releaseInterface(usbDeviceHandle* handle, int interfaceNumber) = 0;

    // Bytes moved in the data stage, or an error.
    virtual int controlTransfer(usbDeviceHandle* handle, uint8_t requestType, uint8_t request, uint16_t value,
                                uint16_t index, uint8_t* data, uint16_t length, unsigned timeoutMs) = 0;
    // 0 or an error; *transferred holds the bytes moved, also after a time-out.
    virtual int bulkTransfer(usbDeviceHandle* handle, uint8_t endpoint, uint8_t* data, int length, int* transferred,
                             unsigned timeoutMs) = 0;
    // The raw string descriptor (header included) as the standard GET_DESCRIPTOR
    // request with language id 0 returns it: bytes received, or an error.
    virtual int getStringDescriptor(usbDeviceHandle* handle, uint8_t index, uint8_t* data, int length) = 0;
};

// The libusb-1.0 bus of this machine (libusb is initialised on first use).
usbBackend& systemUsbBackend();
