#pragma once

#include "transport/usb_backend.h"
#include "fuzz_input.h"

#include <QSet>

// A USB bus on which every answer comes from the fuzzer's input: what
// devices there are, whether they open, and every control, bulk and string
// descriptor transfer. Once the input is used up the bus is empty and every
// transfer fails as if the device had gone, so any operation ends.
//
// The answers, in the order the host asks (all numbers little-endian):
//   listDevices         u8 n: n % 4 devices, each u8 serial index, u8 flags
//                       (bit 0: other vendor and product ids)
//   open                u8 r: 0 opens, anything else fails with
//                       usbReplyErrors[r % 10]
//   configuration, claim and release succeed without reading the input
//   control transfer    u8 r: r >= 0xF0 is an error (usbReplyErrors[r % 10]);
//                       IN: min(r, length) bytes follow and are answered;
//                       OUT: 0 moves everything, else min(r - 1, length)
//   bulk OUT            u8 r: r >= 0xF0 error; 0 moves everything; else a
//                       time-out after min(u32, length) bytes
//   bulk IN             u8 r: r >= 0xF0 error;
//                       0: a frame built here so that it checks: u8 type,
//                          u8 counter, u32 address, u8 inPages, u32 data
//                          length, then the data as u32 count, the bytes and
//                          u8 fill for the rest, then u8 xor into the checksum
//                       1: raw bytes: u32 count, then the data as above
//                       else: min(r, length) raw bytes follow
//   string descriptor   u8 r: r >= 0xF0 error; else min(r, length) bytes follow
class fuzzUsbBus final : public usbBackend {
public:
    fuzzUsbBus() = default;
    ~fuzzUsbBus() override;

    // The answers from now on; null: none (an empty bus).
    void feed(fuzzInput* input) { in = input; }

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

    // Handles the host opened and has not closed.
    int openHandles() const { return int(handles.size()); }

private:
    bool exhausted() const { return !in || in->exhausted(); }

    fuzzInput* in = nullptr;
    QSet<usbDeviceHandle*> handles;
};

// The errors an answer byte of 0xF0 and above stands for.
inline constexpr int usbReplyErrors[] = {USB_ERROR_IO,      USB_ERROR_INVALID_PARAM, USB_ERROR_ACCESS, USB_ERROR_NO_DEVICE,
                                         USB_ERROR_NOT_FOUND, USB_ERROR_BUSY,        USB_ERROR_TIMEOUT, USB_ERROR_OVERFLOW,
                                         USB_ERROR_PIPE,    USB_ERROR_OTHER};
inline constexpr int USB_REPLY_ERROR_COUNT = int(sizeof usbReplyErrors / sizeof usbReplyErrors[0]);

// Passes every call on to another bus (the simulated controller) and writes
// its answers in the form fuzzUsbBus reads, so that a session with the
// simulated controller becomes a seed.
class usbReplyRecorder final : public usbBackend {
public:
    usbReplyRecorder(usbBackend& bus, fuzzOutput& out);

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
    void error(int result);
    // The data of a raw or framed answer: count, the bytes up to the run of
    // fill bytes that ends them, the fill byte.
    void tail(const uint8_t* data, int count);

    usbBackend& bus;
    fuzzOutput& out;
};
