#include "t_threadDevice.h"

t_threadDevice::t_threadDevice()
    : QThread(nullptr)
{
    QObject::connect(this, &QThread::finished, this, &QObject::deleteLater);
}

t_threadDevice::~t_threadDevice() = default;

void t_threadDevice::run() {}
int t_threadDevice::deviceType() { return -1; }
int t_threadDevice::connect() { return 0; }
void t_threadDevice::disconnect() {}
bool t_threadDevice::isConnected() { return false; }
int t_threadDevice::controlWrite(uint8_t, uint16_t, uint16_t, const void*, unsigned) { return -1; }
int t_threadDevice::controlRead(uint8_t, uint16_t, uint16_t, void*, unsigned) { return -1; }
int t_threadDevice::bulkWrite(const void*, int) { return -1; }
int t_threadDevice::bulkRead(void*, int) { return -1; }
int t_threadDevice::readSerial() { return -1; }
