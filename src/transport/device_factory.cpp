#include "device_factory.h"

#include "transport/t_threadUsbDevice.h"
#include "transport/usb_backend.h"

namespace {
usbBackend* installed = nullptr;
}

void installUsbBackend(usbBackend* backend)
{
    installed = backend;
}

usbBackend& theUsbBackend()
{
    return installed ? *installed : systemUsbBackend();
}

t_threadDevice* createControllerDevice()
{
    return new t_threadUsbDevice(&theUsbBackend());
}
