// Opening and closing the connection to a controller, identifying it, its
// run state and its restart.

#include "model/kv310_controller.h"

#include "seams/dialog_seam.h"
#include "seams/gui_base.h"
#include "device/link_helpers.h"
#include "device/reconnect_dialog.h"
#include "transport/protocol.h"
#include "transport/t_threadDevice.h"

#include <QtEndian>

#include <cstring>

namespace {

const char NO_SERIAL_TEXT[] = "S/N ----";
const char NO_FIRMWARE_TEXT[] = "F/W ----";

// State codes of GET_STATE (byte 1 of the answer).
constexpr uint8_t STATE_CODE_IDLE = 0xAA;
constexpr uint8_t STATE_CODE_RUNNING = 0xCC;

constexpr int FIRMWARE_READ_TRIES = 10;
constexpr int STATE_READ_TRIES = 10;
constexpr int RESTART_POLLS = 90;

bool acceptedTypeWord(int type)
{
    return type == TYPE_WORD_OLD || type == TYPE_WORD_CURRENT;
}

} // namespace

// No controller: the "----" texts, no modes, and everyone is told.
void kv310_controller_class::markDisconnected()
{
    serialText = QString::fromLatin1(NO_SERIAL_TEXT);
    firmwareText = QString::fromLatin1(NO_FIRMWARE_TEXT);
    connected = 0;
    uiMode = 0;
    deviceMode = 0;
    deviceFrozen = false;
    emit setConnectionStatus(false);
}

void kv310_controller_class::setConnection(bool connection)
{
    clockValid = 0;
    if (!connection) {
        // Back to normal operation before letting go; without an open device
        // the request just fails.
        lastRequest = SET_MODE;
        lastValue = MODE_NORMAL;
        lastIndex = 0;
        device->controlWrite(SET_MODE, deviceWord(MODE_NORMAL), 0, nullptr, 0);
        device->disconnect();
        markDisconnected();
        return;
    }

    int type = -1;
    for (;;) {
        clockValid = 0;
        lastLinkFailure = linkFailure::none;
        type = device->connect();
        if (acceptedTypeWord(type))
            break;
        if (device->timedOut())
            lastLinkFailure = linkFailure::notAnswering;
        // A controller of the family whose type word is refused must not stay
        // open: it would look connected to everyone who asks the device.
        if (device->isConnected())
            device->disconnect();
        bool retry = false;
        if (!otherSerials.isEmpty()) {
            reconnectDialog dialog(otherSerials, device, theMainWindow);
            retry = execDialog(&dialog) == QDialog::Accepted;
            if (!retry)
                lastLinkFailure = linkFailure::cancelled;
        }
        if (!retry) {
            markDisconnected();
            return;
        }
    }

    hardwareCode = type;
    swapBytes = typeWordSwapsBytes(type);
    connected = 1;

    readSerialNumber();

    uint8_t version[4] = {};
    const bool versionRead = retryRequest(device, FIRMWARE_READ_TRIES, [&] {
        std::memset(version, 0, sizeof version);
        return device->controlRead(GET_FIRMWARE_VERSION, 0, 0, version, sizeof version) > 0;
    });
    if (!versionRead) {
        firmwareText = QString::fromLatin1(NO_FIRMWARE_TEXT);
    } else {
        firmwareVersion.versionMajor = int8_t(version[0]);
        firmwareVersion.versionMinor = version[1];
        firmwareVersion.build = qFromLittleEndian<quint16>(version + 2);
        const int major = firmwareVersion.versionMajor;
        QString text = QStringLiteral("%1.%2").arg(major).arg(int(int8_t(firmwareVersion.versionMinor)), 2, 10,
                                                                QLatin1Char('0'));
        if (major >= 3) {
            text += QStringLiteral(".%1").arg(int(int16_t(firmwareVersion.build)), 4, 10, QLatin1Char('0'));
        } else {
            // Older firmware marks its revision with one letter in the build's low byte.
            firmwareVersion.build &= 0xFF;
            if (firmwareVersion.build)
                text += QChar(char16_t(firmwareVersion.build));
        }
        firmwareText = QStringLiteral("F/W ver. ") + text;
    }

    if (pollDeviceStatus(STATUS_HALTED, 1) == STATUS_HALTED) {
        // Halted (an interrupted upgrade, for instance): no mode is requested.
        deviceMode = MODE_HALTED;
    } else if (setDeviceMode(MODE_NORMAL) != MODE_NORMAL) {
        dropConnection();
        return;
    }
    // A show frozen before (by a session whose link was lost, say) is still
    // frozen: the window must show it so.
    deviceFrozen = (lastStatusWord & STATUS_FROZEN) != 0;

    clockSyncCounter = 10;
    emit setConnectionStatus(true);
}

void kv310_controller_class::dropConnection()
{
    // Only once: a failure seen by several steps of one operation closes the
    // connection and tells the user interface a single time.
    if (!connected && !device->isConnected())
        return;
    if (device->timedOut()) {
        lastLinkFailure = linkFailure::notAnswering;
        clockValid = 0;
        device->disconnect();
        markDisconnected();
        return;
    }
    setConnection(false);
}

bool kv310_controller_class::isConnected()
{
    return device->isConnected();
}

int kv310_controller_class::deviceState()
{
    uint8_t answer[4] = {};
    const bool answered = retryRequest(device, STATE_READ_TRIES, [&] {
        std::memset(answer, 0, sizeof answer);
        return device->controlRead(GET_STATE, deviceWord(0), 0, answer, sizeof answer) > 0;
    });
    if (!answered)
        return -1;
    switch (answer[1]) {
    case STATE_CODE_IDLE:
        return 0;
    case STATE_CODE_RUNNING:
        return 2;
    default:
        return 1;
    }
}

int kv310_controller_class::restartDevice()
{
    lastLinkFailure = linkFailure::none;
    device->controlWrite(RESTART, 0, 0, nullptr, 0);
    if (device->timedOut()) {
        // A controller that does not even take the restart will not come back.
        dropConnection();
        return -1;
    }
    setConnection(false);
    delay100ms();
    setConnection(true);

    // The controller leaves the bus while it boots: reopen the device until it
    // answers, and resume it while it reports itself halted. A cancelled choice
    // of another controller, or a controller that does not answer, ends it.
    bool answered = false;
    bool halted = false;
    for (int i = 0; i < RESTART_POLLS && lastLinkFailure == linkFailure::none; ++i) {
        delay100ms();
        uint32_t status = 0;
        if (!readStatusWord(device, &status)) {
            answered = false;
            if (device->timedOut()) {
                lastLinkFailure = linkFailure::notAnswering;
                break;
            }
            device->disconnect();
            device->connect();
            if (device->timedOut())
                lastLinkFailure = linkFailure::notAnswering;
            continue;
        }
        answered = true;
        halted = (status & STATUS_HALTED) != 0;
        if (!halted)
            break;
        device->controlWrite(RESUME, 0, 0, nullptr, 0);
    }
    // A controller that never answered did not come back either; one that
    // stays halted is let go too, so that nobody takes it for connected.
    if (lastLinkFailure != linkFailure::none || !answered || halted) {
        device->disconnect();
        if (connected)
            markDisconnected();
        return -1;
    }
    setConnection(true);
    return connected ? 0 : -1;
}

int kv310_controller_class::readSerialNumber()
{
    serialText = QString::fromLatin1(NO_SERIAL_TEXT);
    if (!connected)
        return 0;
    if (device->readSerial() < 0)
        return -1;
    serialText = QStringLiteral("S/N ") + device->serialNumber.mid(2);
    return 0;
}

QString kv310_controller_class::serialNumberText() const
{
    return serialText;
}

QString kv310_controller_class::firmwareVersionText() const
{
    return firmwareText;
}
