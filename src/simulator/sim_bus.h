#pragma once

#include "transport/usb_backend.h"

#include <QString>
#include <memory>
#include <vector>

class simController;

// One device on the simulated bus. As it stands it is a foreign device: it
// can be opened and claimed but refuses every request; simController answers
// as the controller does.
class simUsbDevice {
public:
    simUsbDevice(uint16_t vendor, uint16_t product);
    virtual ~simUsbDevice();

    // Wire-level entry points used by simBus (results as in usbBackend);
    // timeoutMs is how long the host waits for the transfer.
    virtual int controlTransfer(uint8_t requestType, uint8_t request, uint16_t value, uint16_t index, uint8_t* data,
                                uint16_t length, unsigned timeoutMs);
    virtual int bulkTransfer(uint8_t endpoint, uint8_t* data, int length, int* transferred, unsigned timeoutMs);
    virtual int stringDescriptor(uint8_t index, uint8_t* data, int length, unsigned timeoutMs);

    // Device descriptor and place on the bus (simBus numbers devices as they are added).
    uint8_t busNumber = 1;
    uint8_t address = 0;
    uint16_t vendorId;
    uint16_t productId;
    uint8_t serialIndex = 0;

    // On the bus now: plugged, and not away for a reboot.
    virtual bool present() const { return plugged; }
    // Counts the times the device left the bus and came back as a new device
    // (a reboot); handles opened before fail as if it had been unplugged.
    unsigned attachment = 0;

    // Knobs.
    bool plugged = true;               // unplugged: not listed, transfers on open handles fail
    bool refuseOpen = false;
    int openError = USB_ERROR_ACCESS;  // what a refused open reports (no permission by default)
    bool refuseConfiguration = false;
    bool refuseClaim = false;
    int configuration = 0;             // the active configuration (0 = unconfigured)

    // What the host did.
    int opens = 0;                     // successful opens
    int openHandles = 0;               // handles not yet closed
    int setConfigurationCalls = 0;
    bool interfaceClaimed = false;
    int closedWhileClaimed = 0;        // closes without releasing the interface first
};

// How long libusb waits for a string descriptor.
inline constexpr unsigned USB_DESCRIPTOR_TIMEOUT_MS = 1000;

// A USB bus with simulated devices, behind the same backend interface as
// libusb. Owns its devices.
class simBus final : public usbBackend {
public:
    simBus();
    ~simBus() override;

    // A controller with the controller's USB ids; the type word decides old
    // (0xD3) or current (0x1D3) hardware behaviour.
    simController& addController(const QString& serial, int typeWord = 0x1D3);
    // A device with other ids (or the same ids, to play a device that is not a controller).
    simUsbDevice& addForeignDevice(uint16_t vendor, uint16_t product);
    // Any device; it gets the next address on bus 1 unless its address is set.
    simUsbDevice& add(std::unique_ptr<simUsbDevice> device);

    int deviceCount() const { return int(devices.size()); }
    simUsbDevice& device(int i) const { return *devices[size_t(i)]; }
    // The i-th controller in the order added, null when there are fewer.
    simController* controller(int i = 0) const;

    // usbBackend
    QList<usbDeviceInfo> listDevices() override;
    usbDeviceHandle* open(const usbDeviceInfo& device, int* error) override;
    void close(usbDeviceHandle* handle) override;
    int getConfiguration(usbDeviceHandle* handle, int* configuration) override;
    int setConfiguration(usbDeviceHandle* handle, int configuration) override;
    int claimInterface(usbDeviceHandle* handle, int interfaceNumber) override;
    int releaseInterface(usbDeviceHandle* handle, int interfaceNumber) override;
    int controlTransfer(usbDeviceHandle* handle, uint8_t requestType, uint8_t request, uint16_t value, uint16_t index,
                        uint8_t* data, uint16_t length, unsigned timeoutMs) override;
    int bulkTransfer(usbDeviceHandle* handle, uint8_t endpoint, uint8_t* data, int length, int* transferred,
                     unsigned timeoutMs) override;
    int getStringDescriptor(usbDeviceHandle* handle, uint8_t index, uint8_t* data, int length) override;

private:
    std::vector<std::unique_ptr<simUsbDevice>> devices;
    uint8_t nextAddress = 1;
};
