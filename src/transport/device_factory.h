#pragma once

class t_threadDevice;
class usbBackend;

// Makes the device object a controller object owns: the USB device on the bus
// in force (libusb, or the simulated bus when one is installed).
t_threadDevice* createControllerDevice();

// Installs the USB bus later devices are made on (not owned; null restores
// libusb). Devices keep the bus they were made on, so it must outlive them.
void installUsbBackend(usbBackend* backend);
// The bus in force.
usbBackend& theUsbBackend();
