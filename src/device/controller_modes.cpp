// Working modes, live values, freezing and the controller's real-time clock.

#include "model/kv310_controller.h"

#include "device/link_helpers.h"
#include "seams/gui_base.h"
#include "transport/link_clock.h"
#include "transport/protocol.h"
#include "transport/t_threadDevice.h"

#include <QLocale>

namespace {

const char NO_CLOCK_TEXT[] = "------,  --.--.----  --:--:--";
const char CLOCK_FORMAT[] = "ddd, dd.MM.yyyy  hh:mm:ss";

// The device clock is read once a minute and counted on in between.
constexpr int CLOCK_READ_PERIOD_MS = 60000;
constexpr int CLOCK_READ_TRIES = 10;
constexpr int CLOCK_RECORD_SIZE = 8;
// clockSyncCounter value that makes the next display read the clock.
constexpr int CLOCK_READ_DUE = 10;

constexpr int LIVE_SCENE_BUDGET = 10;
constexpr int LIVE_FRAME_SIZE = img::CHANNELS + blockFrame::OVERHEAD;

// The clock as last read and counted on. One set for the process: only the
// one controller object of the run is ever connected.
struct deviceClockState {
    QDateTime deviceClock;
    linkTimer clockTick;
    qint64 msSinceClockRead = 0;
};

deviceClockState& clockState()
{
    static deviceClockState state;
    return state;
}

// The date and time of a GET_CLOCK record; invalid when a field is no BCD
// or names no real date or time.
QDateTime clockFromRecord(const uint8_t* record)
{
    const int seconds = kv310_controller_class::fromBcd(record[0] & 0x7F);
    const int minutes = kv310_controller_class::fromBcd(record[1] & 0x7F);
    const int hours = kv310_controller_class::fromBcd(record[2] & 0x3F);
    const int day = kv310_controller_class::fromBcd(record[4] & 0x3F);
    const int month = kv310_controller_class::fromBcd(record[5] & 0x1F);
    const int year = kv310_controller_class::fromBcd(record[6]);
    if (seconds < 0 || minutes < 0 || hours < 0 || day < 0 || month < 0 || year < 0)
        return QDateTime();
    const QTime time(hours, minutes, seconds);
    const QDate date(year + 2000, month, day);
    if (!time.isValid() || !date.isValid())
        return QDateTime();
    return QDateTime(date, time);
}

} // namespace

// ---- Working modes ----------------------------------------------------------

void kv310_controller_class::ch_mode(int mode)
{
    uiMode = mode;
    if (mode == MODE_NORMAL && deviceMode != MODE_NORMAL) {
        if (setDeviceMode(MODE_NORMAL) != MODE_NORMAL)
            uiMode = 0;
    }
}

int kv310_controller_class::setDeviceMode(int mode)
{
    if (mode != MODE_NORMAL && mode != MODE_TRANSFER && mode != MODE_LIVE) {
        deviceMode = 0;
        return 0;
    }
    deviceMode = mode;
    lastIndex = 0;
    if (device->controlWrite(SET_MODE, deviceWord(mode), 0, nullptr, 0) < 0) {
        dropConnection();
        deviceMode = 0;
        return 0;
    }
    bool confirmed = false;
    switch (mode) {
    case MODE_NORMAL:
        confirmed = waitDeviceStatus(STATUS_MODE_MASK, 1) == 0;
        break;
    case MODE_TRANSFER:
        confirmed = pollDeviceStatus(STATUS_MODE_TRANSFER, 1) == STATUS_MODE_TRANSFER;
        break;
    default:
        confirmed = pollDeviceStatus(STATUS_MODE_LIVE, 1) == STATUS_MODE_LIVE;
        break;
    }
    if (!confirmed) {
        dropConnection();
        deviceMode = 0;
        return 0;
    }
    return mode;
}

int kv310_controller_class::getDeviceMode() const
{
    return deviceMode;
}

// ---- Live values ------------------------------------------------------------

void kv310_controller_class::send_new_val(int sc, int ch)
{
    if (uiMode != 2 || deviceMode != MODE_LIVE)
        return;
    if (sc < 0 || sc >= img::SCENES || ch < 0 || ch >= img::CHANNELS)
        return;
    if (waitDeviceStatus(STATUS_BUSY, 10) != 0)
        dropConnection();
    const int level = configImage[img::sceneChannelsOf(sc) + uint32_t(ch)];
    lastIndex = ch;
    lastValue = level;
    if (device->controlWrite(SET_LIVE_VALUE, deviceWord(level), deviceWord(ch), nullptr, 0) < 0)
        dropConnection();
}

void kv310_controller_class::send_sc_prep(int scene_number)
{
    if (uiMode != 2)
        return;
    if (scene_number < 0 || scene_number >= img::SCENES)
        return;
    if (deviceMode != MODE_LIVE && setDeviceMode(MODE_LIVE) != MODE_LIVE) {
        dropConnection();
        return;
    }

    transferBlock block;
    // Polls without an answer and rejected frames draw on one budget.
    int budget = LIVE_SCENE_BUDGET;
    bool done = false;
    do {
        lastValue = 1;
        lastIndex = 0;
        if (device->controlWrite(LIVE_SCENE_WRITE, 1, 0, nullptr, 0) < 0)
            dropConnection();
        if (waitDeviceStatus(STATUS_BUSY, 10) != 0) {
            dropConnection();
            return;
        }

        block.type = LIVE_SCENE_WRITE;
        block.counter = 0;
        block.length = img::CHANNELS;
        block.address = 0;
        block.data = configImage + img::sceneChannelsOf(scene_number);
        const uint8_t* frame = block.pack();
        if (!frame || device->bulkWrite(frame, LIVE_FRAME_SIZE) < LIVE_FRAME_SIZE)
            dropConnection();

        int answer = 0;
        for (;;) {
            answer = pollDeviceStatus(STATUS_DONE | STATUS_FAILED, 1);
            if (answer & (STATUS_DONE | STATUS_FAILED))
                break;
            delay100ms();
            if (budget-- <= 0)
                break;
        }
        if (answer & STATUS_DONE) {
            done = true;
            break;
        }
    } while (budget-- > 0);

    // A frame taken at the last moment is taken: only a scene the controller
    // never accepted ends the link.
    if (!done)
        dropConnection();
}

// ---- Freezing ---------------------------------------------------------------

int kv310_controller_class::freezeDevice()
{
    if (waitDeviceStatus(STATUS_BUSY, 10) == 0) {
        lastRequest = FREEZE;
        if (device->controlWrite(FREEZE, 0, 0, nullptr, 0) >= 0
            && pollDeviceStatus(STATUS_FROZEN, 10) == STATUS_FROZEN) {
            deviceFrozen = true;
            return 0;
        }
    }
    dropConnection();
    return -1;
}

int kv310_controller_class::unfreezeDevice()
{
    if (waitDeviceStatus(STATUS_BUSY, 10) == 0) {
        lastRequest = RESUME;
        if (device->controlWrite(RESUME, 0, 0, nullptr, 0) >= 0 && waitDeviceStatus(STATUS_FROZEN, 10) == 0) {
            deviceFrozen = false;
            return 0;
        }
    }
    dropConnection();
    return -1;
}

// ---- Clock ------------------------------------------------------------------

QString kv310_controller_class::readDeviceClockText()
{
    const QString noClock = QString::fromLatin1(NO_CLOCK_TEXT);
    if (!connected || deviceMode == MODE_HALTED) {
        clockValid = 0;
        return noClock;
    }

    deviceClockState& state = clockState();
    qint64 elapsed = 0;
    if (clockSyncCounter == CLOCK_READ_DUE) {
        state.clockTick.start();
        clockValid = 0;
        state.msSinceClockRead = CLOCK_READ_PERIOD_MS + 1;
    } else {
        elapsed = state.clockTick.elapsed();
        state.clockTick.start();
    }
    state.msSinceClockRead += elapsed;

    if (state.msSinceClockRead <= CLOCK_READ_PERIOD_MS && clockValid) {
        state.deviceClock = state.deviceClock.addMSecs(elapsed);
    } else {
        if (state.msSinceClockRead >= CLOCK_READ_PERIOD_MS)
            state.msSinceClockRead -= CLOCK_READ_PERIOD_MS;
        if (waitDeviceStatus(STATUS_BUSY, 1) != 0) {
            // Busy: count on and read at the next call.
            clockValid = 0;
            state.deviceClock = state.deviceClock.addMSecs(elapsed);
        } else {
            uint8_t record[CLOCK_RECORD_SIZE];
            QDateTime read;
            retryRequest(device, CLOCK_READ_TRIES, [&] {
                if (device->controlRead(GET_CLOCK, 0, 0, record, CLOCK_RECORD_SIZE) == CLOCK_RECORD_SIZE)
                    read = clockFromRecord(record);
                return read.isValid();
            });
            if (read.isValid()) {
                clockValid = 1;
                state.deviceClock = read;
                clockSyncCounter = 0;
                state.msSinceClockRead = 0;
                dstActive = (record[5] & 0xE0) != 0;
                const int magnitude = record[7] & 0x1F;
                clockCalibration = (record[7] & 0x20) ? magnitude : -magnitude;
                if (theMainWindow) {
                    theMainWindow->showDeviceDst(dstActive);
                    theMainWindow->showDeviceCalibration(clockCalibration);
                }
            } else {
                clockValid = 0;
                state.deviceClock = state.deviceClock.addMSecs(elapsed);
                if (++clockSyncCounter > CLOCK_READ_DUE) {
                    clockSyncCounter = CLOCK_READ_DUE;
                    return noClock;
                }
            }
        }
    }
    // A status failure above may have dropped the link; and before the first
    // good read there is no clock to count on.
    if (!connected || !state.deviceClock.isValid())
        return noClock;
    return QLocale().toString(state.deviceClock, QString::fromLatin1(CLOCK_FORMAT));
}

int kv310_controller_class::setDeviceClock(QDateTime time, bool dst)
{
    clockValid = 0;
    // The record holds years 2000..2099 only; anything else would go out as no BCD.
    if (!time.isValid() || time.date().year() < 2000 || time.date().year() > 2099)
        return -1;
    if (waitDeviceStatus(STATUS_BUSY, 10) != 0) {
        dropConnection();
        return -1;
    }
    const QDate date = time.date();
    const QTime clock = time.time();
    uint8_t record[CLOCK_RECORD_SIZE];
    record[0] = uint8_t(toBcd(clock.second()));
    record[1] = uint8_t(toBcd(clock.minute()));
    record[2] = uint8_t(toBcd(clock.hour()));
    record[3] = uint8_t(date.dayOfWeek());
    record[4] = uint8_t(toBcd(date.day()));
    record[5] = uint8_t(toBcd(date.month()) | (dst ? 0xE0 : 0));
    record[6] = uint8_t(toBcd(date.year() - 2000));
    record[7] = 0;  // the calibration travels with SET_CALIBRATION
    const int sent = device->controlWrite(SET_CLOCK, 0, 0, record, CLOCK_RECORD_SIZE);
    clockValid = 0;
    clockSyncCounter = CLOCK_READ_DUE;
    return sent >= CLOCK_RECORD_SIZE ? 0 : -1;
}

int kv310_controller_class::setClockCalibration(int adjust)
{
    clockCalibration = adjust;
    lastRequest = SET_CALIBRATION;
    const int code = (adjust < 0 ? -adjust : adjust + 32) & 0x3F;
    return device->controlWrite(SET_CALIBRATION, deviceWord(code), 0, nullptr, 0) >= 0 ? 0 : -1;
}
