#include "sim_bus.h"

#include "simulator/sim_controller.h"
#include "transport/t_threadUsbDevice.h"

#include <algorithm>

simUsbDevice::simUsbDevice(uint16_t vendor, uint16_t product)
    : vendorId(vendor)
    , productId(product)
{
}

simUsbDevice::~simUsbDevice() = default;

int simUsbDevice::controlTransfer(uint8_t, uint8_t, uint16_t, uint16_t, uint8_t*, uint16_t, unsigned)
{
    return USB_ERROR_PIPE;
}

int simUsbDevice::bulkTransfer(uint8_t, uint8_t*, int, int* transferred, unsigned)
{
    *transferred = 0;
    return USB_ERROR_PIPE;
}

int simUsbDevice::stringDescriptor(uint8_t, uint8_t*, int, unsigned)
{
    return USB_ERROR_PIPE;
}

namespace {

class simHandle final : public usbDeviceHandle {
public:
    explicit simHandle(simUsbDevice* d) : device(d), attachment(d->attachment) {}
    simUsbDevice* device;
    unsigned attachment;
    bool claimed = false;
};

simHandle* cast(usbDeviceHandle* handle)
{
    return static_cast<simHandle*>(handle);
}

// The device behind a handle still answers: on the bus, and the same
// attachment the handle was opened on.
bool reachable(const simHandle* h)
{
    return h->device->present() && h->attachment == h->device->attachment;
}

} // namespace

simBus::simBus() = default;
simBus::~simBus() = default;

simUsbDevice& simBus::add(std::unique_ptr<simUsbDevice> device)
{
    if (device->address == 0)
        device->address = nextAddress++;
    devices.push_back(std::move(device));
    return *devices.back();
}

simController& simBus::addController(const QString& serial, int typeWord)
{
    auto controller = std::make_unique<simController>(serial, typeWord);
    simController& result = *controller;
    add(std::move(controller));
    return result;
}

simUsbDevice& simBus::addForeignDevice(uint16_t vendor, uint16_t product)
{
    return add(std::make_unique<simUsbDevice>(vendor, product));
}

simController* simBus::controller(int i) const
{
    for (const auto& device : devices) {
        if (auto* controller = dynamic_cast<simController*>(device.get())) {
            if (i-- == 0)
                return controller;
        }
    }
    return nullptr;
}

QList<usbDeviceInfo> simBus::listDevices()
{
    QList<usbDeviceInfo> result;
    for (const auto& device : devices) {
        if (!device->present())
            continue;
        usbDeviceInfo info;
        info.bus = device->busNumber;
        info.address = device->address;
        info.vendorId = device->vendorId;
        info.productId = device->productId;
        info.serialIndex = device->serialIndex;
        result.append(info);
    }
    std::sort(result.begin(), result.end(), [](const usbDeviceInfo& a, const usbDeviceInfo& b) {
        return a.bus != b.bus ? a.bus < b.bus : a.address < b.address;
    });
    return result;
}

usbDeviceHandle* simBus::open(const usbDeviceInfo& info, int* error)
{
    int ignored = 0;
    int& result = error ? *error : ignored;
    result = USB_ERROR_NO_DEVICE;
    for (const auto& device : devices) {
        if (device->busNumber != info.bus || device->address != info.address)
            continue;
        if (!device->present())
            return nullptr;
        if (device->refuseOpen) {
            result = device->openError;
            return nullptr;
        }
        result = 0;
        ++device->opens;
        ++device->openHandles;
        return new simHandle(device.get());
    }
    return nullptr;
}

void simBus::close(usbDeviceHandle* handle)
{
    if (!handle)
        return;
    simHandle* h = cast(handle);
    if (h->claimed && h->attachment == h->device->attachment) {
        ++h->device->closedWhileClaimed;
        h->device->interfaceClaimed = false;
    }
    --h->device->openHandles;
    delete h;
}

int simBus::getConfiguration(usbDeviceHandle* handle, int* configuration)
{
    simUsbDevice* device = cast(handle)->device;
    if (!reachable(cast(handle)))
        return USB_ERROR_NO_DEVICE;
    *configuration = device->configuration;
    return 0;
}

int simBus::setConfiguration(usbDeviceHandle* handle, int configuration)
{
    simUsbDevice* device = cast(handle)->device;
    if (!reachable(cast(handle)))
        return USB_ERROR_NO_DEVICE;
    ++device->setConfigurationCalls;
    if (device->refuseConfiguration)
        return USB_ERROR_PIPE;
    device->configuration = configuration;
    return 0;
}

int simBus::claimInterface(usbDeviceHandle* handle, int interfaceNumber)
{
    simHandle* h = cast(handle);
    if (!reachable(h))
        return USB_ERROR_NO_DEVICE;
    if (interfaceNumber != USB_INTERFACE)
        return USB_ERROR_NOT_FOUND;
    if (h->device->refuseClaim || (h->device->interfaceClaimed && !h->claimed))
        return USB_ERROR_BUSY;
    h->claimed = true;
    h->device->interfaceClaimed = true;
    return 0;
}

int simBus::releaseInterface(usbDeviceHandle* handle, int interfaceNumber)
{
    simHandle* h = cast(handle);
    if (interfaceNumber != USB_INTERFACE || !h->claimed)
        return USB_ERROR_NOT_FOUND;
    h->claimed = false;
    if (h->attachment != h->device->attachment)
        return USB_ERROR_NO_DEVICE;
    h->device->interfaceClaimed = false;
    return h->device->present() ? 0 : USB_ERROR_NO_DEVICE;
}

int simBus::controlTransfer(usbDeviceHandle* handle, uint8_t requestType, uint8_t request, uint16_t value,
                            uint16_t index, uint8_t* data, uint16_t length, unsigned timeoutMs)
{
    simUsbDevice* device = cast(handle)->device;
    if (!reachable(cast(handle)))
        return USB_ERROR_NO_DEVICE;
    return device->controlTransfer(requestType, request, value, index, data, length, timeoutMs);
}

int simBus::bulkTransfer(usbDeviceHandle* handle, uint8_t endpoint, uint8_t* data, int length, int* transferred,
                         unsigned timeoutMs)
{
    *transferred = 0;
    simHandle* h = cast(handle);
    if (!reachable(h))
        return USB_ERROR_NO_DEVICE;
    // Bulk endpoints belong to the interface: without a claim the host cannot use them.
    if (!h->claimed)
        return USB_ERROR_BUSY;
    return h->device->bulkTransfer(endpoint, data, length, transferred, timeoutMs);
}

int simBus::getStringDescriptor(usbDeviceHandle* handle, uint8_t index, uint8_t* data, int length)
{
    simUsbDevice* device = cast(handle)->device;
    if (!reachable(cast(handle)))
        return USB_ERROR_NO_DEVICE;
    return device->stringDescriptor(index, data, length, USB_DESCRIPTOR_TIMEOUT_MS);
}
