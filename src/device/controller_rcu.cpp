// The remote-control unit: learning its system address and key codes through
// the controller's infra-red receiver, reading them from the controller and
// writing them to it.

#include "model/kv310_controller.h"

#include "seams/dialog_seam.h"
#include "device/link_helpers.h"
#include "seams/gui_base.h"
#include "transport/link_clock.h"
#include "transport/protocol.h"
#include "transport/t_threadDevice.h"


namespace {

constexpr int RCU_ANSWER_SIZE = 4;
constexpr int RCU_KEYS = 64;
constexpr int RCU_TRIES = 10;
// Learning the address asks up to 30 times, but goes on only after a
// request that went through within the first ten.
constexpr int RCU_LEARN_ADDRESS_TRIES = 30;
constexpr int STATUS_READ_TRIES = 10;
constexpr int BUSY_POLLS = 10;
// The user's time to press the remote, from the start of the wait.
constexpr qint64 ADDRESS_WAIT_MS = 3000;
constexpr qint64 KEY_WAIT_MS = 9500;

constexpr uint8_t NO_VALUE = 0xFF;
constexpr int MAX_ADDRESS = 31;
constexpr int MAX_CODE = 63;

// One RCU_COMMAND, asked again without pause until it brings its 4 bytes.
bool rcuRequest(kv310_controller_class& c, int operation, uint16_t value, uint8_t* answer)
{
    return retryRequest(c.device, RCU_TRIES, [&] {
        return c.device->controlRead(RCU_COMMAND, value, c.deviceWord(operation), answer, RCU_ANSWER_SIZE)
               == RCU_ANSWER_SIZE;
    });
}

void usbFailure(const QString& text)
{
    usbMessage(QMessageBox::Critical, text);
}

void operationFailed()
{
    usbFailure(kv310_controller_class::tr("Operation failed!"));
}

void remoteMessage(QMessageBox::Icon icon, const QString& text)
{
    showMessage(icon, theMainWindow, kv310_controller_class::tr("Remote control:"), text, QMessageBox::Ok);
}

// Polls the status back to back until the controller has a learning result;
// false (after its message) when it failed or took longer than limitMs.
bool waitLearningResult(kv310_controller_class& c, qint64 limitMs)
{
    linkTimer measure;
    measure.start();
    qint64 total = 0;
    for (;;) {
        uint32_t status = 0;
        if (!retryRequest(c.device, STATUS_READ_TRIES, [&] { return readStatusWord(c.device, &status); })) {
            operationFailed();
            return false;
        }
        if (status & STATUS_FAILED) {
            operationFailed();
            return false;
        }
        if (status & STATUS_DONE)
            return true;
        total += measure.elapsed();
        if (total > limitMs) {
            remoteMessage(QMessageBox::Warning, kv310_controller_class::tr("Time exceeded!"));
            return false;
        }
        measure.start();
    }
}

} // namespace

int kv310_controller_class::waitRcuAddress()
{
    if (!waitLearningResult(*this, ADDRESS_WAIT_MS))
        return -1;
    uint8_t answer[RCU_ANSWER_SIZE] = {};
    if (!rcuRequest(*this, RCU_RESULT, deviceWord(0), answer)) {
        operationFailed();
        return -1;
    }
    if (answer[0] <= MAX_ADDRESS) {
        rcuAddress = answer[0];
        return answer[0];
    }
    if (answer[0] == NO_VALUE)
        return NO_VALUE;
    showMessage(QMessageBox::Critical, theMainWindow, tr("Remote control:"), tr("Invalid R. C. address!"),
                QMessageBox::Ok);
    return -1;
}

int kv310_controller_class::learnRcuAddress()
{
    if (!connected) {
        usbFailure(tr("Not connected!"));
        return -1;
    }
    uint8_t answer[RCU_ANSWER_SIZE];
    const int wentThrough = retryRequest(device, RCU_LEARN_ADDRESS_TRIES, [&] {
        return device->controlRead(RCU_COMMAND, deviceWord(0), deviceWord(RCU_LEARN_ADDRESS), answer,
                                   RCU_ANSWER_SIZE)
               == RCU_ANSWER_SIZE;
    });
    if (wentThrough > 0 && wentThrough <= RCU_TRIES)
        return waitRcuAddress();
    operationFailed();
    return -1;
}

int kv310_controller_class::learnRcuKeyCode(int key)
{
    key &= 0xFF;
    if (key > RCU_KEYS - 1) {
        remoteMessage(QMessageBox::Critical, tr("Please select button!"));
        return -1;
    }
    if (!connected) {
        usbFailure(tr("Not connected!"));
        return -1;
    }
    uint8_t answer[RCU_ANSWER_SIZE] = {};
    if (!rcuRequest(*this, RCU_LEARN_KEY, deviceWord(key), answer)) {
        operationFailed();
        return -1;
    }
    if (!waitLearningResult(*this, KEY_WAIT_MS))
        return -1;
    if (!rcuRequest(*this, RCU_RESULT, deviceWord(0), answer)) {
        operationFailed();
        return -1;
    }
    if (answer[2] != key) {
        remoteMessage(QMessageBox::Warning, tr("Divergent key!"));
        return -1;
    }
    if (answer[1] <= MAX_CODE) {
        rcuKeyCodes[size_t(key)] = answer[1];
        return answer[1];
    }
    if (answer[1] == NO_VALUE)
        return NO_VALUE;
    remoteMessage(QMessageBox::Warning, tr("Invalid key code!"));
    return -1;
}

void kv310_controller_class::readRCU()
{
    if (!connected) {
        usbFailure(tr("Not connected!"));
        return;
    }
    // The address the keys agree on: -1 none seen yet, -2 they differ.
    constexpr int NONE_SEEN = -1;
    constexpr int AMBIGUOUS = -2;
    int common = NONE_SEEN;
    for (int key = 0; key < RCU_KEYS; ++key) {
        uint8_t answer[RCU_ANSWER_SIZE] = {};
        if (!rcuRequest(*this, RCU_READ_KEY, deviceWord(key), answer)) {
            usbFailure(tr("RCU key code reading failed!"));
            return;
        }
        rcuKeyCodes[size_t(key)] = answer[1];
        if (answer[1] > MAX_CODE && answer[1] != NO_VALUE)
            remoteMessage(QMessageBox::Warning, tr("Invalid key code [%1]!").arg(key));

        const int address = answer[0];
        if (common == NONE_SEEN) {
            if (address <= MAX_ADDRESS || address == NO_VALUE)
                common = address;
            else
                remoteMessage(QMessageBox::Warning, tr("Invalid R. C. address!"));
        } else if (common >= 0 && address != common) {
            // Address 0 is an address like any other: it is compared too.
            remoteMessage(QMessageBox::Warning, tr("Ambiguous R. C. address!"));
            common = AMBIGUOUS;
        }
    }
    rcuAddress = (common >= 0 && common <= MAX_ADDRESS) ? uint8_t(common) : NO_VALUE;
}

void kv310_controller_class::writeRCU()
{
    if (!connected) {
        usbFailure(tr("Not connected!"));
        return;
    }
    uint8_t answer[RCU_ANSWER_SIZE];
    for (int key = 0; key < RCU_KEYS; ++key) {
        // Key and code travel as two bytes that are never exchanged.
        const uint16_t value = uint16_t(key + rcuKeyCodes[size_t(key)] * 256);
        if (!rcuRequest(*this, RCU_SET_KEY, value, answer)) {
            usbFailure(tr("RCU key code writing failed!"));
            showMessage(QMessageBox::Information, theMainWindow, QStringLiteral("info"),
                        QStringLiteral("key no. %1").arg(key + 1), QMessageBox::Ok);
            return;
        }
        if (waitDeviceStatus(STATUS_BUSY, BUSY_POLLS) != 0) {
            dropConnection();
            return;
        }
    }
    if (!rcuRequest(*this, RCU_SET_ADDRESS, deviceWord(rcuAddress), answer)) {
        usbFailure(tr("RCU address writing failed!"));
        return;
    }
    if (waitDeviceStatus(STATUS_BUSY, BUSY_POLLS) != 0) {
        dropConnection();
        return;
    }
    if (!rcuRequest(*this, RCU_SAVE, deviceWord(0), answer))
        usbFailure(tr("RCU data saving failed!"));
}

int kv310_controller_class::setRcuAddress(int address)
{
    address &= 0xFF;
    if (address > MAX_ADDRESS)
        return -1;
    rcuAddress = uint8_t(address);
    if (!connected)
        return 0;
    uint8_t answer[RCU_ANSWER_SIZE];
    if (rcuRequest(*this, RCU_SET_ADDRESS, deviceWord(address), answer))
        return waitRcuAddress();
    operationFailed();
    return -1;
}

int kv310_controller_class::setRcuKeyCode(int key, int code)
{
    key &= 0xFF;
    code &= 0xFF;
    if (key > RCU_KEYS - 1 || code > MAX_CODE)
        return -1;
    rcuKeyCodes[size_t(key)] = uint8_t(code);
    return 0;
}
