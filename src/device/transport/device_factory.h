#pragma once

class t_threadDevice;

// Makes the device object a controller object owns: the USB device on the bus
// in force (libusb, or the simulated bus when one is installed).
t_threadDevice* createControllerDevice();
