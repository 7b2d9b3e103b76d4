#pragma once

#include <QString>
#include <QStringList>
#include <QThread>
#include <cstdint>

// The one door between the program and a controller. Both transports derive
// from QThread, but every operation is a synchronous call in the GUI thread:
// the USB device's thread is never started, and the TCP device's only runs an
// idle event loop.
class t_threadDevice : public QThread {
    Q_OBJECT
public:
    t_threadDevice();
    ~t_threadDevice() override;

    void run() override;
    virtual int deviceType();
    // Opens a controller; returns its device type word or -1.
    virtual int connect();
    virtual void disconnect();
    virtual bool isConnected();
    virtual int controlWrite(uint8_t request, uint16_t value, uint16_t index, const void* data, unsigned length);
    virtual int controlRead(uint8_t request, uint16_t value, uint16_t index, void* buffer, unsigned length);
    virtual int bulkWrite(const void* data, int length);
    virtual int bulkRead(void* buffer, int length);
    virtual int readSerial();

    void setSerial(const QString& serial) { serialNumber = serial; }
    void setUsbIds(uint16_t vendor, uint16_t product)
    {
        vendorId = vendor;
        productId = product;
    }

    // Where connect() lists the serials of controllers passed over for another
    // serial (not owned; null = not recorded). The controller object points it
    // at its own list, which this library cannot reach.
    void setOtherSerialsList(QStringList* list) { otherSerials = list; }

    // True when the last transfer ran into its time-out without moving any
    // data, or when the last connect passed over a controller because it ran
    // into one: a controller that is there but does not answer. Callers stop retrying on it, as each
    // further try would block the window for another time-out.
    bool timedOut() const { return lastTimedOut; }

    uint16_t productId = 0;
    uint16_t vendorId = 0;
    // Before connect: the wanted serial (empty or the factory serial = any);
    // after connect or readSerial: the serial of the open device.
    QString serialNumber;

protected:
    QStringList* otherSerials = nullptr;
    bool lastTimedOut = false;
};
