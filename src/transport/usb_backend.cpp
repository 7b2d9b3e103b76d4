#include "usb_backend.h"

#include <libusb.h>

#include <algorithm>

usbDeviceHandle::~usbDeviceHandle() = default;
usbBackend::~usbBackend() = default;

namespace {

class libusbHandle final : public usbDeviceHandle {
public:
    explicit libusbHandle(libusb_device_handle* h) : handle(h) {}
    libusb_device_handle* handle;
};

libusb_device_handle* raw(usbDeviceHandle* handle)
{
    return handle ? static_cast<libusbHandle*>(handle)->handle : nullptr;
}

// libusb-1.0 behind the backend interface. The context is made on first use
// and lives until the program ends; the device list of the last walk is kept
// so that open() can find the device the walk reported.
class libusbBackend final : public usbBackend {
public:
    ~libusbBackend() override
    {
        releaseList();
        if (context)
            libusb_exit(context);
    }

    QList<usbDeviceInfo> listDevices() override
    {
        QList<usbDeviceInfo> result;
        releaseList();
        if (!ready())
            return result;
        const ssize_t count = libusb_get_device_list(context, &list);
        if (count < 0) {
            list = nullptr;
            return result;
        }
        result.reserve(int(count));
        for (ssize_t i = 0; i < count; ++i) {
            libusb_device_descriptor descriptor;
            if (libusb_get_device_descriptor(list[i], &descriptor) < 0)
                continue;
            usbDeviceInfo info;
            info.bus = libusb_get_bus_number(list[i]);
            info.address = libusb_get_device_address(list[i]);
            info.vendorId = descriptor.idVendor;
            info.productId = descriptor.idProduct;
            info.serialIndex = descriptor.iSerialNumber;
            result.append(info);
        }
        std::sort(result.begin(), result.end(), [](const usbDeviceInfo& a, const usbDeviceInfo& b) {
            return a.bus != b.bus ? a.bus < b.bus : a.address < b.address;
        });
        return result;
    }

    usbDeviceHandle* open(const usbDeviceInfo& device, int* error) override
    {
        int ignored = 0;
        int& result = error ? *error : ignored;
        result = USB_ERROR_NO_DEVICE;
        if (!list)
            return nullptr;
        for (libusb_device** d = list; *d; ++d) {
            if (libusb_get_bus_number(*d) != device.bus || libusb_get_device_address(*d) != device.address)
                continue;
            libusb_device_handle* handle = nullptr;
            const int opened = libusb_open(*d, &handle);
            if (opened < 0 || !handle) {
                // libusb's error codes are the usbError values.
                result = opened < 0 ? opened : USB_ERROR_OTHER;
                return nullptr;
            }
            result = 0;
            // A kernel driver bound to the interface would make the claim fail;
            // where detaching is not supported the claim decides.
            libusb_set_auto_detach_kernel_driver(handle, 1);
            return new libusbHandle(handle);
        }
        return nullptr;
    }

    void close(usbDeviceHandle* handle) override
    {
        if (!handle)
            return;
        libusb_close(raw(handle));
        delete handle;
    }

    int getConfiguration(usbDeviceHandle* handle, int* configuration) override
    {
        return libusb_get_configuration(raw(handle), configuration);
    }
    int setConfiguration(usbDeviceHandle* handle, int configuration) override
    {
        return libusb_set_configuration(raw(handle), configuration);
    }
    int claimInterface(usbDeviceHandle* handle, int interfaceNumber) override
    {
        return libusb_claim_interface(raw(handle), interfaceNumber);
    }
    int releaseInterface(usbDeviceHandle* handle, int interfaceNumber) override
    {
        return libusb_release_interface(raw(handle), interfaceNumber);
    }

    int controlTransfer(usbDeviceHandle* handle, uint8_t requestType, uint8_t request, uint16_t value, uint16_t index,
                        uint8_t* data, uint16_t length, unsigned timeoutMs) override
    {
        return libusb_control_transfer(raw(handle), requestType, request, value, index, data, length, timeoutMs);
    }

    int bulkTransfer(usbDeviceHandle* handle, uint8_t endpoint, uint8_t* data, int length, int* transferred,
                     unsigned timeoutMs) override
    {
        *transferred = 0;
        return libusb_bulk_transfer(raw(handle), endpoint, data, length, transferred, timeoutMs);
    }

    int getStringDescriptor(usbDeviceHandle* handle, uint8_t index, uint8_t* data, int length) override
    {
        return libusb_get_descriptor(raw(handle), LIBUSB_DT_STRING, index, data, length);
    }

private:
    bool ready()
    {
        if (!initTried) {
            initTried = true;
            if (libusb_init(&context) < 0)
                context = nullptr;
        }
        return context != nullptr;
    }

    void releaseList()
    {
        if (list)
            libusb_free_device_list(list, 1);
        list = nullptr;
    }

    libusb_context* context = nullptr;
    bool initTried = false;
    libusb_device** list = nullptr;
};

} // namespace

usbBackend& systemUsbBackend()
{
    static libusbBackend backend;
    return backend;
}
