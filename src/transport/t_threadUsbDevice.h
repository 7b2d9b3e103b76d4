#pragma once

#include "transport/t_threadDevice.h"

class usbBackend;
class usbDeviceHandle;

// The serial a controller reports before it was given one; it matches any
// wanted serial, and a wanted factory serial matches any controller.
inline constexpr char FACTORY_SERIAL[] = "00D30000-0000";

// USB parameters of the controller's interface.
inline constexpr uint16_t CONTROLLER_VENDOR_ID = 0x16C0;
inline constexpr uint16_t CONTROLLER_PRODUCT_ID = 0x0780;
inline constexpr int USB_CONFIGURATION = 1;
inline constexpr int USB_INTERFACE = 0;
inline constexpr uint8_t USB_ENDPOINT_OUT = 0x02;
inline constexpr uint8_t USB_ENDPOINT_IN = 0x81;
inline constexpr uint8_t USB_REQUEST_VENDOR_OUT = 0x40;  // vendor, host to device, device
inline constexpr uint8_t USB_REQUEST_VENDOR_IN = 0xC0;   // vendor, device to host, device
inline constexpr unsigned USB_TIMEOUT_MS = 15000;
inline constexpr unsigned CONTROL_MAX_LENGTH = 64;
inline constexpr int SERIAL_DESCRIPTOR_SIZE = 30;
inline constexpr int SERIAL_MAX_CHARACTERS = 13;
inline constexpr uint8_t SERIAL_INDEX_OLD_HARDWARE = 42;
inline constexpr uint8_t SERIAL_INDEX = 3;

// The serial in a string descriptor: the UTF-16LE characters after the 2-byte
// header, at most 13, and never more than the bytes received or the length
// the descriptor gives itself.
QString serialFromDescriptor(const uint8_t* descriptor, int received);

// The controller on USB, reached through a usbBackend (libusb, or the
// simulated bus in tests and in the simulated-controller mode).
class t_threadUsbDevice : public t_threadDevice {
    Q_OBJECT
public:
    // The backend must outlive the device; null takes the installed one.
    explicit t_threadUsbDevice(usbBackend* backend = nullptr);
    ~t_threadUsbDevice() override;

    void run() override;
    int deviceType() override;
    int connect() override;
    void disconnect() override;
    bool isConnected() override;
    int controlWrite(uint8_t request, uint16_t value, uint16_t index, const void* data, unsigned length) override;
    int controlRead(uint8_t request, uint16_t value, uint16_t index, void* buffer, unsigned length) override;
    int bulkWrite(const void* data, int length) override;
    int bulkRead(void* buffer, int length) override;
    int readSerial() override;

    // The type word read by the last successful connect.
    uint16_t deviceTypeWord = 0;

private:
    int bulkTransfer(uint8_t endpoint, uint8_t* data, int length);
    // Releases interface 0 and closes the handle.
    void closeDevice();

    usbBackend* bus;
    usbDeviceHandle* usbHandle = nullptr;
};
