#include "sim_controller.h"

#include "transport/link_clock.h"
#include "transport/t_threadUsbDevice.h"

#include <QtEndian>

#include <cstring>

simController::simController(const QString& serialText, int type)
    : simUsbDevice(CONTROLLER_VENDOR_ID, CONTROLLER_PRODUCT_ID)
    , typeWord(type)
    , serial(serialText)
{
    // Older hardware keeps its serial string at index 42.
    serialIndex = typeWord <= 0x100 ? SERIAL_INDEX_OLD_HARDWARE : SERIAL_INDEX;
    output = QByteArray(512, '\0');
    dmxInput = QByteArray(512, '\0');
    configFlash = QByteArray(int(CONFIG_BLOCKS) * CONFIG_BLOCK_SIZE, char(0xFF));
    rcuCodes.fill(0xFF);
    rcuKeyAddresses.fill(0xFF);
    rcuSavedCodes.fill(0xFF);
    setClock(QDateTime(QDate(2026, 1, 1), QTime(12, 0)), false);
}

simController::~simController() = default;

qint64 simController::nowMs() const
{
    return theLinkClock().nowMs();
}

// --- Working state -----------------------------------------------------------

int simController::workingMode() const
{
    if (status & STATUS_HALTED)
        return MODE_HALTED;
    if (status & STATUS_MODE_LIVE)
        return MODE_LIVE;
    if (status & STATUS_MODE_TRANSFER)
        return MODE_TRANSFER;
    return MODE_NORMAL;
}

bool simController::rebooting() const
{
    return nowMs() < rebootUntilMs;
}

bool simController::present() const
{
    return plugged && !rebooting();
}

int simController::setMode(const simRequest& r)
{
    if (r.in || (status & STATUS_HALTED))
        return USB_ERROR_PIPE;
    int bits = 0;
    switch (r.wordValue) {
    case MODE_NORMAL:
        break;
    case MODE_TRANSFER:
        bits = STATUS_MODE_TRANSFER;
        break;
    case MODE_LIVE:
        bits = STATUS_MODE_LIVE;
        break;
    default:
        return USB_ERROR_PIPE;
    }
    if (ignoreModeRequests)
        return 0;
    lower((STATUS_MODE_TRANSFER | STATUS_MODE_LIVE) & ~bits);
    if (bits)
        raise(bits);
    return 0;
}

int simController::restart(const simRequest& r)
{
    if (r.in || (r.value != 0 && r.value != RESTART_INTO_UPGRADE))
        return USB_ERROR_PIPE;
    ++restarts;
    // Off the bus for the boot; it comes back as a new device, so handles
    // opened before stay dead.
    rebootUntilMs = nowMs() + qMax(0, rebootMs);
    ++attachment;
    interfaceClaimed = false;
    configuration = 0;
    pending.clear();
    busyPolls = 0;
    busyUntilMs = -1;
    expectedFrames = 0;
    onFrame = nullptr;
    afterFrame = nullptr;
    outgoing.clear();
    output.fill('\0');
    dmxTransparency = false;
    status = (r.value == RESTART_INTO_UPGRADE || staysHalted) ? STATUS_HALTED : 0;
    if (hangAfterRestart) {
        hangAfterRestart = false;
        hung = true;
    }
    return 0;
}

int simController::liveScene(const simRequest& r)
{
    if (r.in || r.value != 1 || !(status & STATUS_MODE_LIVE) || (status & STATUS_HALTED))
        return USB_ERROR_PIPE;
    expectFrames(LIVE_SCENE_WRITE, 1, false, [this](const blockFrameView& frame) {
        if (frame.length != output.size() || frame.address != 0)
            return false;
        if (rejectLiveFrames != 0) {
            if (rejectLiveFrames > 0)
                --rejectLiveFrames;
            return false;
        }
        std::memcpy(output.data(), frame.data, size_t(frame.length));
        ++liveFramesTaken;
        return true;
    });
    return 0;
}

int simController::liveValue(const simRequest& r)
{
    if (r.in || !(status & STATUS_MODE_LIVE) || (status & STATUS_HALTED))
        return USB_ERROR_PIPE;
    if (r.wordIndex >= output.size() || r.wordValue > 0xFF)
        return USB_ERROR_PIPE;
    output[r.wordIndex] = char(r.wordValue);
    return 0;
}

// --- Real-time clock ---------------------------------------------------------

namespace {

int bcd(int v)
{
    return v + 6 * (v / 10);
}

// -1 for a byte that is no packed BCD.
int fromStrictBcd(int b)
{
    if ((b & 0x0F) > 9 || (b >> 4) > 9)
        return -1;
    return (b >> 4) * 10 + (b & 0x0F);
}

} // namespace

QDateTime simController::clockNow() const
{
    const QDateTime t = clockBase.addMSecs(nowMs() - clockBaseMs);
    return QDateTime(t.date(), t.time());
}

void simController::setClock(const QDateTime& time, bool dst)
{
    // Kept without a time zone, so counting on never jumps.
    clockBase = QDateTime(time.date(), time.time(), Qt::UTC);
    clockBaseMs = nowMs();
    clockDst = dst;
}

int simController::clockAnswer(QByteArray* answer) const
{
    if (!clockRecordOverride.isEmpty()) {
        *answer = clockRecordOverride;
        return 0;
    }
    const QDateTime now = clockNow();
    answer->resize(8);
    (*answer)[0] = char(bcd(now.time().second()));
    (*answer)[1] = char(bcd(now.time().minute()));
    (*answer)[2] = char(bcd(now.time().hour()));
    (*answer)[3] = char(now.date().dayOfWeek());
    (*answer)[4] = char(bcd(now.date().day()));
    (*answer)[5] = char(bcd(now.date().month()) | (clockDst ? 0xE0 : 0));
    (*answer)[6] = char(bcd(now.date().year() % 100));
    (*answer)[7] = char(qAbs(clockCalibration) | (clockCalibration >= 0 ? 0x20 : 0));
    return 0;
}

int simController::takeClock(const simRequest& r)
{
    if (r.in || r.data.size() < 8)
        return USB_ERROR_PIPE;
    const auto byte = [&r](int i) { return uint8_t(r.data[i]); };
    const int seconds = fromStrictBcd(byte(0) & 0x7F);
    const int minutes = fromStrictBcd(byte(1) & 0x7F);
    const int hours = fromStrictBcd(byte(2) & 0x3F);
    const int day = fromStrictBcd(byte(4) & 0x3F);
    const int month = fromStrictBcd(byte(5) & 0x1F);
    const int year = fromStrictBcd(byte(6));
    const QDate date(2000 + year, month, day);
    const QTime time(hours, minutes, seconds);
    if (seconds < 0 || minutes < 0 || hours < 0 || day < 0 || month < 0 || year < 0 || !date.isValid()
        || !time.isValid())
        return USB_ERROR_PIPE;
    setClock(QDateTime(date, time), (byte(5) & 0xE0) != 0);
    return 0;
}

int simController::takeCalibration(const simRequest& r)
{
    if (r.in || r.wordValue > 0x3F)
        return USB_ERROR_PIPE;
    const int magnitude = r.wordValue & 0x1F;
    clockCalibration = (r.wordValue & 0x20) ? magnitude : -magnitude;
    return 0;
}

int simController::raiseEvent(const simRequest& r)
{
    if (r.in || r.value != 0 || r.wordIndex >= SIM_EVENT_COUNT)
        return USB_ERROR_PIPE;
    raisedEvents.append(r.wordIndex);
    return 0;
}

// --- Status word -------------------------------------------------------------

void simController::raise(int bits)
{
    bits &= ~status;
    int atOnce = bits;
    for (const auto& delay : std::as_const(riseDelays)) {
        const int delayed = atOnce & delay.first;
        if (delayed && delay.second > 0) {
            pending.append({delayed, delay.second, 0});
            atOnce &= ~delayed;
        }
    }
    status |= atOnce;
}

void simController::lower(int bits)
{
    status &= ~bits;
    for (int i = pending.size() - 1; i >= 0; --i) {
        pending[i].bits &= ~bits;
        if (!pending[i].bits)
            pending.removeAt(i);
    }
}

void simController::setRiseDelay(int bits, int polls)
{
    for (int i = riseDelays.size() - 1; i >= 0; --i) {
        riseDelays[i].first &= ~bits;
        if (!riseDelays[i].first)
            riseDelays.removeAt(i);
    }
    if (polls > 0)
        riseDelays.append({bits, polls});
}

void simController::raiseAfterPolls(int bits, int polls)
{
    if (polls <= 0)
        status |= bits;
    else
        pending.append({bits, polls, 0});
}

void simController::raiseAtMs(int bits, qint64 atMs)
{
    pending.append({bits, -1, atMs});
}

uint32_t simController::pollStatus()
{
    const qint64 now = nowMs();
    for (int i = 0; i < pending.size();) {
        scheduled& s = pending[i];
        if (s.polls < 0 ? now >= s.atMs : s.polls == 0) {
            status |= s.bits;
            pending.removeAt(i);
            continue;
        }
        if (s.polls > 0)
            --s.polls;
        ++i;
    }
    bool busy = false;
    if (busyPolls > 0) {
        busy = true;
        --busyPolls;
    }
    if (now < busyUntilMs)
        busy = true;
    return uint32_t(status | (busy ? STATUS_BUSY : 0));
}

// --- Frames ------------------------------------------------------------------

void simController::expectFrames(uint8_t type, int frames, bool inPages, frameHandler handler)
{
    lower(STATUS_DONE | STATUS_FAILED | STATUS_READY_FOR_DATA);
    expectedType = type;
    expectedFrames = qMax(0, frames);
    expectedInPages = inPages;
    onFrame = std::move(handler);
    if (expectedFrames > 0)
        raise(STATUS_READY_FOR_DATA);
}

int simController::receiveFrame(const uint8_t* data, int length)
{
    blockFrameView view;
    const frameCheck check = blockFrame::read(data, length, expectedInPages, &view);
    lower(STATUS_READY_FOR_DATA | STATUS_DONE | STATUS_FAILED);
    --expectedFrames;
    const bool accepted = check == FRAME_INTACT && view.type == expectedType && (!onFrame || onFrame(view));
    if (!accepted) {
        // A rejected frame ends the announced transfer; the host announces again.
        expectedFrames = 0;
        raise(STATUS_FAILED);
        return 0;
    }
    raise(STATUS_DONE);
    if (expectedFrames > 0)
        raise(STATUS_READY_FOR_DATA);
    return 0;
}

namespace {

QByteArray frameBytes(uint8_t type, uint8_t counter, uint32_t address, const char* payload, int length,
                      bool inPages)
{
    QByteArray frame(length + blockFrame::OVERHEAD, Qt::Uninitialized);
    blockFrame::build(reinterpret_cast<uint8_t*>(frame.data()), int(frame.size()), type, counter, address,
                      reinterpret_cast<const uint8_t*>(payload), length, inPages);
    return frame;
}

} // namespace

void simController::sendFrame(uint8_t type, uint8_t counter, uint32_t address, const QByteArray& payload,
                              bool inPages, std::function<void()> taken)
{
    queueBulk(frameBytes(type, counter, address, payload.constData(), int(payload.size()), inPages),
              std::move(taken), 0);
}

void simController::queueBulk(const QByteArray& bytes, std::function<void()> taken, int readyAfterPolls)
{
    outgoing.push_back({bytes, std::move(taken)});
    lower(STATUS_FAILED);
    if (readyAfterPolls > 0)
        raiseAfterPolls(STATUS_DONE, readyAfterPolls);
    else
        raise(STATUS_DONE);
}

void simController::frameTaken()
{
    std::function<void()> taken = std::move(outgoing.front().taken);
    outgoing.pop_front();
    lower(STATUS_DONE);
    if (!outgoing.empty())
        raise(STATUS_DONE);
    if (taken)
        taken();
}

// --- Faults and log ----------------------------------------------------------

void simController::refuse(int kind, int nth, int times, int error)
{
    fault f{kind, nth, times};
    f.error = error < 0 ? error : USB_ERROR_PIPE;
    faults.append(f);
}

void simController::shorten(int kind, int bytes, int nth, int times)
{
    fault f{kind, nth, times};
    f.bytes = qMax(0, bytes);
    faults.append(f);
}

void simController::corruptFrames(int nth, int times)
{
    fault f{SIM_BULK_IN, nth, times};
    f.corrupt = true;
    faults.append(f);
}

void simController::hang(int kind, int nth, int times)
{
    fault f{kind, nth, times};
    f.hang = true;
    faults.append(f);
}

int simController::timeOut(simLogEntry e, unsigned timeoutMs)
{
    theLinkClock().sleepMs(int(timeoutMs));
    e.result = USB_ERROR_TIMEOUT;
    record(e);
    return USB_ERROR_TIMEOUT;
}

simController::faultHit simController::faultsFor(int kind)
{
    faultHit hit;
    for (fault& f : faults) {
        if (f.kind != kind)
            continue;
        ++f.seen;
        if (f.seen < f.nth || (f.times >= 0 && f.seen >= f.nth + f.times))
            continue;
        if (f.error)
            hit.error = f.error;
        if (f.bytes >= 0)
            hit.bytes = hit.bytes < 0 ? f.bytes : qMin(hit.bytes, f.bytes);
        hit.corrupt = hit.corrupt || f.corrupt;
        hit.hang = hit.hang || f.hang;
    }
    return hit;
}

void simController::record(const simLogEntry& e)
{
    log.append(e);
    if (transferDone)
        transferDone(e);
}

simLogEntry simController::entry(int kind, bool in, uint16_t value, uint16_t index, int length) const
{
    simLogEntry e;
    e.kind = kind;
    e.in = in;
    e.value = value;
    e.index = index;
    e.length = length;
    e.atMs = nowMs();
    return e;
}

QList<simLogEntry> simController::logOf(int kind) const
{
    QList<simLogEntry> result;
    for (const simLogEntry& e : log) {
        if (e.kind == kind)
            result.append(e);
    }
    return result;
}

int simController::countOf(int kind) const
{
    int count = 0;
    for (const simLogEntry& e : log)
        count += e.kind == kind;
    return count;
}

// --- Wire entry points -------------------------------------------------------

void simController::wordFields(uint8_t request, uint16_t value, uint16_t index, uint16_t* wordValue,
                               uint16_t* wordIndex) const
{
    const bool swap = oldHardware();
    bool valueIsWord = false;
    bool indexIsWord = false;
    switch (request) {
    case RAISE_EVENT:
        indexIsWord = true;
        break;
    case SET_MODE:
    case CONFIG_WRITE:
    case GET_STATE:
    case SET_CALIBRATION:
    case MONITOR_READ:
        valueIsWord = true;
        break;
    case SET_LIVE_VALUE:
    case CONFIG_READ:
    case FLASH_WRITE:
    case FLASH_READ:
        valueIsWord = indexIsWord = true;
        break;
    case RCU_COMMAND:
        indexIsWord = true;
        // The key and its code travel as two bytes, never exchanged.
        valueIsWord = swapWordBytes(index, swap) != RCU_SET_KEY;
        break;
    default:
        break;
    }
    *wordValue = valueIsWord ? swapWordBytes(value, swap) : value;
    *wordIndex = indexIsWord ? swapWordBytes(index, swap) : index;
}

int simController::controlTransfer(uint8_t requestType, uint8_t request, uint16_t value, uint16_t index,
                                   uint8_t* data, uint16_t length, unsigned timeoutMs)
{
    if (transferMs > 0 && !hung)
        theLinkClock().sleepMs(transferMs);
    const bool in = (requestType & 0x80) != 0;
    simLogEntry e = entry(request, in, value, index, length);
    if (hung)
        return timeOut(e, timeoutMs);
    const faultHit hit = faultsFor(request);
    if (hit.hang)
        return timeOut(e, timeoutMs);
    int result = 0;
    if (hit.error) {
        result = hit.error;
    } else if ((requestType & 0x7F) != (USB_REQUEST_VENDOR_OUT & 0x7F)) {
        result = USB_ERROR_PIPE;
    } else {
        simRequest r;
        r.in = in;
        r.request = request;
        r.value = value;
        r.index = index;
        wordFields(request, value, index, &r.wordValue, &r.wordIndex);
        if (in) {
            r.length = length;
        } else if (data && length > 0) {
            const int taken = hit.bytes >= 0 ? qMin<int>(hit.bytes, length) : length;
            r.data = QByteArray(reinterpret_cast<const char*>(data), taken);
        }
        QByteArray answer;
        result = handleRequest(r, &answer);
        if (result >= 0 && in) {
            int n = qMin<int>(int(answer.size()), length);
            if (hit.bytes >= 0)
                n = qMin(n, hit.bytes);
            if (n > 0)
                std::memcpy(data, answer.constData(), size_t(n));
            e.data = answer.left(n);
            result = n;
        } else if (result >= 0) {
            e.data = r.data;
            result = int(r.data.size());
        }
    }
    e.result = result;
    record(e);
    return result;
}

int simController::bulkTransfer(uint8_t endpoint, uint8_t* data, int length, int* transferred, unsigned timeoutMs)
{
    *transferred = 0;
    if (transferMs > 0 && !hung)
        theLinkClock().sleepMs(transferMs);
    const bool in = endpoint == USB_ENDPOINT_IN;
    const int kind = in ? SIM_BULK_IN : SIM_BULK_OUT;
    simLogEntry e = entry(kind, in, 0, 0, length);
    if (hung)
        return timeOut(e, timeoutMs);
    const faultHit hit = faultsFor(kind);
    if (hit.hang)
        return timeOut(e, timeoutMs);
    int result = 0;
    if (hit.error) {
        result = hit.error;
    } else if (endpoint != USB_ENDPOINT_IN && endpoint != USB_ENDPOINT_OUT) {
        result = USB_ERROR_PIPE;
    } else if (!in) {
        e.data = QByteArray(reinterpret_cast<const char*>(data), qMin(length, blockFrame::HEADER_SIZE));
        if (expectedFrames <= 0) {
            // Nobody reads the endpoint: the host's transfer runs into its time-out.
            result = USB_ERROR_TIMEOUT;
        } else {
            const int moved = hit.bytes >= 0 ? qMin(hit.bytes, length) : length;
            receiveFrame(data, moved);
            *transferred = moved;
            result = moved < length ? USB_ERROR_TIMEOUT : 0;
            if (afterFrame) {
                // Runs once the frame's status bits are settled.
                const std::function<void()> then = std::move(afterFrame);
                afterFrame = nullptr;
                then();
            }
        }
    } else if (outgoing.empty()) {
        result = USB_ERROR_TIMEOUT;
    } else {
        QByteArray& frame = outgoing.front().bytes;
        if (hit.corrupt && frame.size() >= blockFrame::CHECKSUM_SIZE)
            frame[frame.size() - blockFrame::CHECKSUM_SIZE] = char(frame[frame.size() - blockFrame::CHECKSUM_SIZE] ^ 1);
        int moved = qMin(int(frame.size()), length);
        if (hit.bytes >= 0)
            moved = qMin(moved, hit.bytes);
        std::memcpy(data, frame.constData(), size_t(moved));
        e.data = frame.left(qMin(moved, blockFrame::HEADER_SIZE));
        *transferred = moved;
        result = frame.size() > length ? USB_ERROR_OVERFLOW : 0;
        frameTaken();
    }
    e.result = result < 0 && *transferred == 0 ? result : *transferred;
    record(e);
    return result;
}

int simController::stringDescriptor(uint8_t index, uint8_t* data, int length, unsigned timeoutMs)
{
    simLogEntry e = entry(SIM_STRING_DESCRIPTOR, true, 0, index, length);
    if (hung)
        return timeOut(e, timeoutMs);
    const faultHit hit = faultsFor(SIM_STRING_DESCRIPTOR);
    if (hit.hang)
        return timeOut(e, timeoutMs);
    QByteArray descriptor;
    int result = 0;
    if (hit.error) {
        result = hit.error;
    } else if (index == 0) {
        // Language ids: English (United States).
        descriptor = QByteArray("\x04\x03\x09\x04", 4);
    } else if (index == serialIndex) {
        descriptor.append(char(2 + 2 * serial.size()));
        descriptor.append(char(3));
        for (QChar c : std::as_const(serial)) {
            descriptor.append(char(c.unicode() & 0xFF));
            descriptor.append(char(c.unicode() >> 8));
        }
    } else {
        result = USB_ERROR_PIPE;
    }
    if (result == 0) {
        int n = qMin(int(descriptor.size()), length);
        if (hit.bytes >= 0)
            n = qMin(n, hit.bytes);
        std::memcpy(data, descriptor.constData(), size_t(n));
        e.data = descriptor.left(n);
        result = n;
    }
    e.result = result;
    record(e);
    return result;
}

// --- Requests ----------------------------------------------------------------

int simController::handleRequest(const simRequest& r, QByteArray* answer)
{
    switch (r.request) {
    case GET_DEVICE_TYPE:
        if (!r.in)
            return USB_ERROR_PIPE;
        answer->resize(2);
        qToLittleEndian<quint16>(quint16(typeWord), answer->data());
        return 0;
    case GET_STATUS:
        if (!r.in)
            return USB_ERROR_PIPE;
        answer->fill(0, STATUS_ANSWER_SIZE);
        qToLittleEndian<quint32>(pollStatus(), answer->data());
        return 0;
    case GET_FIRMWARE_VERSION:
        if (!r.in)
            return USB_ERROR_PIPE;
        answer->resize(4);
        (*answer)[0] = char(firmwareMajor);
        (*answer)[1] = char(firmwareMinor);
        qToLittleEndian<qint16>(firmwareBuild, answer->data() + 2);
        return 0;
    case GET_STATE:
        if (!r.in)
            return USB_ERROR_PIPE;
        answer->fill(0, 4);
        (*answer)[1] = char(stateCode);
        return 0;
    case SET_MODE:
        return setMode(r);
    case RESTART:
        return restart(r);
    case FREEZE:
        if (r.in || (status & STATUS_HALTED))
            return USB_ERROR_PIPE;
        raise(STATUS_FROZEN);
        return 0;
    case RESUME:
        if (r.in)
            return USB_ERROR_PIPE;
        lower(staysHalted ? STATUS_FROZEN : STATUS_FROZEN | STATUS_HALTED);
        return 0;
    case LIVE_SCENE_WRITE:
        return liveScene(r);
    case SET_LIVE_VALUE:
        return liveValue(r);
    case GET_CLOCK:
        if (!r.in)
            return USB_ERROR_PIPE;
        return clockAnswer(answer);
    case SET_CLOCK:
        return takeClock(r);
    case SET_CALIBRATION:
        return takeCalibration(r);
    case FLASH_WRITE:
        return flashWrite(r);
    case FLASH_READ:
        return flashRead(r);
    case RAISE_EVENT:
        return raiseEvent(r);
    case SET_DMX_TRANSPARENCY:
        if (r.in || (r.value != DMX_TRANSPARENCY_ON && r.value != DMX_TRANSPARENCY_OFF))
            return USB_ERROR_PIPE;
        dmxTransparency = r.value == DMX_TRANSPARENCY_ON;
        return 0;
    case CONFIG_WRITE:
        return configWrite(r);
    case CONFIG_READ:
        return configRead(r);
    case RCU_COMMAND:
        return rcuCommand(r, answer);
    case MONITOR_READ:
        return monitorRead(r, answer);
    case DMX_MONITOR_READ:
        return dmxMonitorRead(r);
    default:
        return USB_ERROR_PIPE;
    }
}

// --- Configuration flash -----------------------------------------------------

uint32_t simController::configBase() const
{
    return typeWord == 0xD3 || typeWord == 0xD8 ? CONFIG_BASE_ADDRESS_OLD : CONFIG_BASE_ADDRESS;
}

int simController::configWrite(const simRequest& r)
{
    if (r.in || r.wordValue == 0 || !(status & STATUS_MODE_TRANSFER) || (status & STATUS_HALTED))
        return USB_ERROR_PIPE;
    expectFrames(CONFIG_WRITE, r.wordValue, false, [this](const blockFrameView& frame) {
        const uint32_t size = uint32_t(configFlash.size());
        const uint32_t offset = frame.address - configBase();
        if (frame.address < configBase() || offset >= size || uint32_t(frame.length) > size - offset)
            return false;
        std::memcpy(configFlash.data() + offset, frame.data, size_t(frame.length));
        ++configFramesWritten;
        const int block = int(offset / CONFIG_BLOCK_SIZE);
        afterFrame = [this, block] {
            if (configBlockWritten)
                configBlockWritten(block);
        };
        return true;
    });
    return 0;
}

int simController::configRead(const simRequest& r)
{
    const int first = r.wordIndex;
    const int last = qMin(first + int(r.wordValue), int(CONFIG_BLOCKS));
    if (r.in || first >= last || !(status & STATUS_MODE_TRANSFER) || (status & STATUS_HALTED))
        return USB_ERROR_PIPE;
    lower(STATUS_DONE | STATUS_FAILED);
    queueConfigBlock(first, last);
    return 0;
}

// One block at a time: the next is queued when the host has taken this one.
void simController::queueConfigBlock(int block, int last)
{
    if (configBlockReading)
        configBlockReading(block);
    const int offset = block * CONFIG_BLOCK_SIZE;
    const uint32_t address = configReadAddress.value(block, configBase() + uint32_t(offset));
    queueBulk(frameBytes(CONFIG_READ, uint8_t(block), address, configFlash.constData() + offset, CONFIG_BLOCK_SIZE,
                         false),
              [this, block, last] {
                  ++configFramesRead;
                  if (block + 1 < last)
                      queueConfigBlock(block + 1, last);
              },
              0);
}

// --- Remote-control unit -----------------------------------------------------

int simController::rcuCommand(const simRequest& r, QByteArray* answer)
{
    if (!r.in)
        return USB_ERROR_PIPE;
    answer->fill(0, 4);
    switch (r.wordIndex) {
    case RCU_RESULT:
        *answer = QByteArray(reinterpret_cast<const char*>(rcuResult), 4);
        return 0;
    case RCU_READ_KEY: {
        const int key = r.wordValue;
        if (key > 63)
            return USB_ERROR_PIPE;
        (*answer)[0] = char(rcuKeyAddresses[size_t(key)]);
        (*answer)[1] = char(rcuCodes[size_t(key)]);
        (*answer)[2] = char(key);
        return 0;
    }
    case RCU_LEARN_ADDRESS:
        startRcuLearning(0);
        return 0;
    case RCU_LEARN_KEY:
        if (r.wordValue > 63)
            return USB_ERROR_PIPE;
        startRcuLearning(r.wordValue);
        return 0;
    case RCU_SET_ADDRESS: {
        const int address = r.wordValue;
        if (address > 31 && address != 0xFF)
            return USB_ERROR_PIPE;
        rcuAddress = uint8_t(address);
        rcuKeyAddresses.fill(uint8_t(address));
        // The address taken is reported like a learnt one.
        rcuResult[0] = uint8_t(address);
        rcuResult[1] = 0xFF;
        rcuResult[2] = 0;
        lower(STATUS_DONE | STATUS_FAILED);
        raise(STATUS_DONE);
        return 0;
    }
    case RCU_SET_KEY: {
        const int key = r.value & 0xFF;
        const int code = r.value >> 8;
        if (key > 63 || (code > 63 && code != 0xFF))
            return USB_ERROR_PIPE;
        rcuCodes[size_t(key)] = uint8_t(code);
        return 0;
    }
    case RCU_SAVE:
        rcuSavedCodes = rcuCodes;
        rcuSavedAddress = rcuAddress;
        ++rcuSaves;
        return 0;
    default:
        return USB_ERROR_PIPE;
    }
}

void simController::startRcuLearning(int key)
{
    lower(STATUS_DONE | STATUS_FAILED);
    if (rcuOutcomes.isEmpty())
        return;
    const simRcuOutcome outcome = rcuOutcomes.takeFirst();
    rcuResult[0] = outcome.address;
    rcuResult[1] = outcome.code;
    rcuResult[2] = uint8_t(outcome.key < 0 ? key : outcome.key);
    rcuResult[3] = 0;
    const int bit = outcome.failed ? STATUS_FAILED : STATUS_DONE;
    if (outcome.afterMs > 0)
        raiseAtMs(bit, nowMs() + outcome.afterMs);
    else
        raise(bit);
}

// --- Monitor data ------------------------------------------------------------

void simInternalStates::setState(int n, bool on)
{
    const int bit = 11 + n;
    if (n < 1 || bit >= 80)
        return;
    const uint16_t mask = uint16_t(1u << (bit % 16));
    if (on)
        stateBits[size_t(bit / 16)] |= mask;
    else
        stateBits[size_t(bit / 16)] &= uint16_t(~mask);
}

namespace {

// The internal-states block: eight count and offset words, five words of
// state bits, then the list area. The lists stop short of bytes 2420-2423,
// the last checked word, which balances the check.
constexpr int STATES_LIST_AREA = 26;
constexpr int STATES_LIST_WORDS = (2420 - STATES_LIST_AREA) / 2;
constexpr int STATES_BALANCE = 2420;
constexpr int STATES_TAIL = 2424;

} // namespace

QByteArray simController::statesBlock() const
{
    QByteArray block(STATES_BLOCK_SIZE, '\0');
    uint8_t* p = reinterpret_cast<uint8_t*>(block.data());
    const auto put = [p](int at, int value) { qToLittleEndian<quint16>(quint16(value), p + at); };
    int used = 0;
    // One list: as many entries as fit, at the next free word.
    const auto list = [&](int field, int entries, int perEntry, const std::function<int(int, int)>& word) {
        const int fit = qMin(entries, (STATES_LIST_WORDS - used) / perEntry);
        put(field, fit);
        put(field + 2, used);
        for (int i = 0; i < fit; ++i) {
            for (int k = 0; k < perEntry; ++k)
                put(STATES_LIST_AREA + 2 * (used + i * perEntry + k), word(i, k));
        }
        used += fit * perEntry;
    };
    const simInternalStates& s = internalStates;
    list(0, int(s.scenes.size()), 1, [&s](int i, int) { return s.scenes[i]; });
    list(4, int(s.programs.size()), 2,
         [&s](int i, int k) { return k == 0 ? s.programs[i].first : s.programs[i].second; });
    list(8, int(s.masks.size()), 1, [&s](int i, int) { return s.masks[i]; });
    list(12, int(s.delays.size()), 1, [&s](int i, int) { return s.delays[i]; });
    for (int w = 0; w < 5; ++w)
        put(16 + 2 * w, s.stateBits[size_t(w)]);
    put(STATES_TAIL, statesTail);
    const uint32_t sum = blockFrame::wordSum(p, STATES_BALANCE / 4);
    qToLittleEndian<quint32>(0u - sum, p + STATES_BALANCE);
    return block;
}

int simController::monitorRead(const simRequest& r, QByteArray* answer)
{
    if (monitorDataReading)
        monitorDataReading();
    if (r.in) {
        if (r.wordValue != 0)
            return USB_ERROR_PIPE;
        answer->resize(INPUT_LEVELS_SIZE);
        for (int i = 0; i < INPUT_LEVELS_SIZE; ++i)
            (*answer)[i] = char(inputLevels >> (8 * i));
        return 0;
    }
    if (r.wordValue != MONITOR_STATES)
        return USB_ERROR_PIPE;
    lower(STATUS_DONE | STATUS_FAILED);
    // After the host has taken the block, STATUS_DONE tells it the read is over.
    queueBulk(statesBlock(), [this] { raiseAfterPolls(STATUS_DONE, statesFinishedAfterPolls); },
              monitorReadyAfterPolls);
    return 0;
}

int simController::dmxMonitorRead(const simRequest& r)
{
    if (r.in || r.value != 0 || (r.index != DMX_SOURCE_INPUT && r.index != DMX_SOURCE_OUTPUT))
        return USB_ERROR_PIPE;
    if (monitorDataReading)
        monitorDataReading();
    const QByteArray& values = r.index == DMX_SOURCE_INPUT ? dmxInput : output;
    lower(STATUS_DONE | STATUS_FAILED);
    queueBulk(frameBytes(DMX_MONITOR_READ, 0, 0, values.constData(), int(values.size()), false), {},
              monitorReadyAfterPolls);
    return 0;
}
