#pragma once

#include "simulator/sim_bus.h"
#include "transport/protocol.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QMap>
#include <QString>
#include <array>
#include <deque>
#include <functional>

// Event ids the controller knows: 0 .. SIM_EVENT_COUNT - 1.
inline constexpr int SIM_EVENT_COUNT = 4976;

// What a transfer was, for the request log and the fault knobs: a control
// request code (0..255), or one of these.
enum simKind : int {
    SIM_BULK_OUT = 0x100,
    SIM_BULK_IN = 0x101,
    SIM_STRING_DESCRIPTOR = 0x102,
};

// One transfer that reached the controller.
struct simLogEntry {
    int kind = 0;            // request code or simKind
    bool in = false;         // device to host
    uint16_t value = 0;      // as on the wire
    uint16_t index = 0;      // as on the wire; the descriptor index for SIM_STRING_DESCRIPTOR
    QByteArray data;         // OUT: the data stage; IN: the answer sent; bulk: the frame header only
    int length = 0;          // bytes the host offered or asked for
    int result = 0;          // what the host was told (bytes, or a usbError)
    qint64 atMs = 0;         // link-clock time
};

// One control request as the controller's dispatch sees it.
struct simRequest {
    bool in = false;
    uint8_t request = 0;
    uint16_t value = 0;      // as on the wire
    uint16_t index = 0;
    uint16_t wordValue = 0;  // value and index with the bytes exchanged back on old
    uint16_t wordIndex = 0;  // hardware, for the requests that carry words
    QByteArray data;         // OUT data stage
    int length = 0;          // IN: bytes asked for
};

// A scripted result of one remote-control learning request: what the
// controller reports once the user has pressed the remote.
struct simRcuOutcome {
    int afterMs = 0;          // link-clock ms from the request to the result
    bool failed = false;      // STATUS_FAILED instead of STATUS_DONE
    uint8_t address = 0xFF;   // answer byte 0
    uint8_t code = 0xFF;      // answer byte 1
    int key = -1;             // answer byte 2; -1 = the key asked for
};

// What the internal-states block tells: the active objects (0-based numbers)
// and the 80 state bits (state n = bit 11 + n).
struct simInternalStates {
    QList<uint16_t> scenes;
    QList<QPair<uint16_t, uint16_t>> programs;  // program, its current step
    QList<uint16_t> masks;
    QList<uint16_t> delays;
    std::array<uint16_t, 5> stateBits{};
    void setState(int n, bool on);
};

// The controller as this program expects it to behave, on a simulated bus.
// Its rules are written down in README.md next to this file.
class simController : public simUsbDevice {
public:
    simController(const QString& serial, int typeWord);
    ~simController() override;

    int controlTransfer(uint8_t requestType, uint8_t request, uint16_t value, uint16_t index, uint8_t* data,
                        uint16_t length, unsigned timeoutMs) override;
    int bulkTransfer(uint8_t endpoint, uint8_t* data, int length, int* transferred, unsigned timeoutMs) override;
    int stringDescriptor(uint8_t index, uint8_t* data, int length, unsigned timeoutMs) override;

    // --- Identity ----------------------------------------------------------
    int typeWord;
    QString serial;
    int8_t firmwareMajor = 4;
    int8_t firmwareMinor = 1;
    int16_t firmwareBuild = 7;
    uint8_t stateCode = 0xCC;    // byte 1 of the GET_STATE answer
    bool oldHardware() const { return typeWordSwapsBytes(typeWord); }

    // --- Working state -----------------------------------------------------
    // The mode the status word shows: 6 halted, 4 live, 3 transfer, else 1.
    int workingMode() const;
    // Knob: SET_MODE is taken but the mode bits stay as they are.
    bool ignoreModeRequests = false;
    // Knob: RESUME leaves STATUS_HALTED set, and every restart ends halted.
    bool staysHalted = false;
    // Knob: link-clock ms the controller is off the bus after RESTART.
    int rebootMs = 1500;
    // Knob: the next RESTART is answered, but the controller comes back from
    // it hung (a firmware that does not start): see `hung`.
    bool hangAfterRestart = false;
    int restarts = 0;            // RESTART requests taken
    bool rebooting() const;
    bool present() const override;

    // --- Live output -------------------------------------------------------
    // The 512 DMX values the controller puts out: live scenes and live values
    // land here; a restart clears them.
    QByteArray output;
    bool dmxTransparency = false;
    // Knob: the next n live scene frames are rejected (STATUS_FAILED); < 0: all.
    int rejectLiveFrames = 0;
    int liveFramesTaken = 0;

    // --- Configuration flash -----------------------------------------------
    // The 8 MB the show lives in, 0xFF when new; it survives restarts.
    // CONFIG_WRITE frames (type 20) land in it, CONFIG_READ sends it back in
    // frames of type 15.
    QByteArray configFlash;
    // Device address of flash byte 0 (0x62000000 on type words 0xD3 and 0xD8).
    uint32_t configBase() const;
    int configFramesWritten = 0;
    int configFramesRead = 0;
    // Hooks: after a block was written (its block number), and before block n
    // is queued for the host to read; tests set knobs there.
    std::function<void(int block)> configBlockWritten;
    std::function<void(int block)> configBlockReading;
    // Knob: blocks read carry these addresses instead of their own.
    QMap<int, uint32_t> configReadAddress;

    // --- Remote-control unit -----------------------------------------------
    // The stored key codes and the address each key answers with, and the
    // common address; RCU_SAVE keeps them in rcuSaved*.
    std::array<uint8_t, 64> rcuCodes;
    std::array<uint8_t, 64> rcuKeyAddresses;
    uint8_t rcuAddress = 0xFF;
    std::array<uint8_t, 64> rcuSavedCodes;
    uint8_t rcuSavedAddress = 0xFF;
    int rcuSaves = 0;
    // Knob: the results of the coming learning requests, in order; with none
    // left the user never presses and no result comes.
    QList<simRcuOutcome> rcuOutcomes;

    // --- Monitor data ------------------------------------------------------
    uint32_t inputLevels = 0;        // input n (1..24) is bit n - 1
    QByteArray dmxInput;             // the 512 values received on the DMX input
    simInternalStates internalStates;
    // Knob: unanswered polls before monitor data (DMX or states) is ready.
    int monitorReadyAfterPolls = 0;
    // Knob: unanswered polls after the states block was read before STATUS_DONE.
    int statesFinishedAfterPolls = 0;
    // Knob: bytes 2424-2425 of the states block (outside the check).
    uint16_t statesTail = 0;
    // The internal-states block as the controller sends it.
    QByteArray statesBlock() const;
    // Hook: runs before the controller answers a monitor read (inputs, DMX
    // values or internal states), so that a show can change what it reports.
    std::function<void()> monitorDataReading;

    // --- Real-time clock ---------------------------------------------------
    // The clock runs on link-clock time from the moment it was set.
    QDateTime clockNow() const;
    void setClock(const QDateTime& time, bool dst);
    bool clockDst = false;
    int clockCalibration = 0;    // -31..31
    // Knob: GET_CLOCK answers these bytes instead of the clock (empty = the clock).
    QByteArray clockRecordOverride;

    // --- Events ------------------------------------------------------------
    // Event ids raised by RAISE_EVENT, in the order taken.
    QList<uint16_t> raisedEvents;

    // --- Status word -------------------------------------------------------
    // The bits held now, without busy and without bits still scheduled.
    int status = 0;
    // Sets bits; a bit with a rise delay shows only after that many polls.
    void raise(int bits);
    // Clears bits at once and forgets scheduled rises of them.
    void lower(int bits);
    // Knob: every later rise of these bits shows only after `polls` polls (0 = at once).
    void setRiseDelay(int bits, int polls);
    // Knob: bits show after `polls` unanswered polls.
    void raiseAfterPolls(int bits, int polls);
    // Knob: bits show from link-clock time atMs on.
    void raiseAtMs(int bits, qint64 atMs);
    // Knob: the next `polls` status polls show STATUS_BUSY.
    void busyForPolls(int polls) { busyPolls = polls; }
    // Knob: STATUS_BUSY shows for `ms` of link-clock time from now.
    void busyForMs(int ms) { busyUntilMs = nowMs() + ms; }
    // The status word one GET_STATUS poll answers (counts the poll).
    uint32_t pollStatus();

    // --- Frames ------------------------------------------------------------
    // Decides on one received intact frame: true = accepted (STATUS_DONE),
    // false = rejected (STATUS_FAILED).
    using frameHandler = std::function<bool(const blockFrameView&)>;
    // After a request that announces bulk data: `frames` frames of `type` may
    // follow; STATUS_READY_FOR_DATA rises for each.
    void expectFrames(uint8_t type, int frames, bool inPages, frameHandler onFrame);
    // Queues a frame for the host's next bulk read; STATUS_DONE rises. When
    // the host has read it, `taken` runs (after STATUS_DONE was lowered for
    // the last frame of the queue, or raised again for the next one).
    void sendFrame(uint8_t type, uint8_t counter, uint32_t address, const QByteArray& payload, bool inPages = false,
                   std::function<void()> taken = {});
    int framesExpected() const { return expectedFrames; }
    int framesQueued() const { return int(outgoing.size()); }

    // --- Firmware flash ----------------------------------------------------
    // The program flash, written by FLASH_WRITE frames and read by FLASH_READ
    // while the controller is halted in its upgrade state. Old hardware has
    // five sectors from 0x40000000, current hardware six 128 KB blocks from
    // 0x08040000 (see README.md). Erased bytes are 0xFF.
    struct flashBlockInfo {
        uint32_t offset;         // from flashBase()
        int size;
    };
    QList<flashBlockInfo> flashLayout() const;
    uint32_t flashBase() const;
    // Frame lengths count 256-byte pages (current hardware) or are length - 1.
    bool flashInPages() const;
    // Contents of block b.
    QByteArray flashBlock(int b) const;
    // Sets block b (cut or filled with 0xFF to its size).
    void setFlashBlock(int b, const QByteArray& bytes);
    int flashFramesTaken = 0;
    // Knob: flash frames are counted from now on; the nth and the following
    // times - 1 (times < 0: all from the nth on) are rejected (STATUS_FAILED).
    void rejectFlashFrames(int nth = 1, int times = 1);
    // Knob: device addresses of flash bytes that keep these values whatever
    // is written to them.
    QMap<uint32_t, uint8_t> stuckFlashBytes;

    // --- Fault knobs -------------------------------------------------------
    // Requests of `kind` are counted from the moment a knob is set; the nth
    // and the following `times` - 1 (times < 0: all from the nth on) get the fault.
    // Refused: the host gets `error` and the controller does nothing.
    void refuse(int kind, int nth = 1, int times = 1, int error = USB_ERROR_PIPE);
    // Short: only `bytes` bytes move (IN answers, descriptors, bulk reads and writes, OUT data).
    void shorten(int kind, int bytes, int nth = 1, int times = 1);
    // Corrupt: the frames the host reads carry a checksum with one bit flipped.
    void corruptFrames(int nth = 1, int times = 1);
    // Hung: the controller takes the transfer and never answers; the host
    // waits its whole time-out and gets USB_ERROR_TIMEOUT.
    void hang(int kind, int nth = 1, int times = -1);
    // Knob: the controller has stopped answering altogether (firmware hung):
    // every transfer and descriptor request runs into the host's time-out.
    bool hung = false;
    void clearFaults() { faults.clear(); }

    // --- Request log -------------------------------------------------------
    QList<simLogEntry> log;
    // Knob: link-clock ms every control and bulk transfer takes (0 = none);
    // lets a host that polls back to back reach its time limits.
    int transferMs = 0;
    QList<simLogEntry> logOf(int kind) const;
    // Hook: runs after every transfer that reached the controller, with its
    // log entry; tests pull the cable there, for instance.
    std::function<void(const simLogEntry&)> transferDone;
    int countOf(int kind) const;

protected:
    // The dispatch: one case per request the controller knows. IN requests
    // fill answer (the host gets at most what it asked for); the result is 0
    // or a usbError (refused, the host sees a stall).
    virtual int handleRequest(const simRequest& request, QByteArray* answer);

    qint64 nowMs() const;

private:
    int setMode(const simRequest& r);
    int restart(const simRequest& r);
    int liveScene(const simRequest& r);
    int liveValue(const simRequest& r);
    int clockAnswer(QByteArray* answer) const;
    int takeClock(const simRequest& r);
    int takeCalibration(const simRequest& r);
    int configWrite(const simRequest& r);
    int configRead(const simRequest& r);
    void queueConfigBlock(int block, int last);
    int rcuCommand(const simRequest& r, QByteArray* answer);
    void startRcuLearning(int key);
    int monitorRead(const simRequest& r, QByteArray* answer);
    int dmxMonitorRead(const simRequest& r);
    int flashWrite(const simRequest& r);
    int flashRead(const simRequest& r);
    bool takeFlashFrame(const blockFrameView& frame);
    // The block starting at this offset from flashBase(), or -1.
    int flashBlockAt(uint32_t offset) const;
    void ensureFlash();
    int raiseEvent(const simRequest& r);

    QDateTime clockBase;         // fields are the controller's local time
    qint64 clockBaseMs = 0;
    qint64 rebootUntilMs = -1;

    struct fault {
        int kind;
        int nth;
        int times;
        int seen = 0;
        int error = 0;     // refuse with this
        int bytes = -1;    // shorten to this
        bool corrupt = false;
        bool hang = false;
    };
    struct faultHit {
        int error = 0;
        int bytes = -1;
        bool corrupt = false;
        bool hang = false;
    };
    struct scheduled {
        int bits;
        int polls;         // polls still without the bits; -1 = by time
        qint64 atMs;
    };

    faultHit faultsFor(int kind);
    void wordFields(uint8_t request, uint16_t value, uint16_t index, uint16_t* wordValue, uint16_t* wordIndex) const;
    simLogEntry entry(int kind, bool in, uint16_t value, uint16_t index, int length) const;
    // A transfer that is never answered: the host's time-out passes on the
    // link clock, the log gets the entry, the host gets USB_ERROR_TIMEOUT.
    int timeOut(simLogEntry e, unsigned timeoutMs);
    // Appends to the log and runs transferDone.
    void record(const simLogEntry& e);
    void frameTaken();
    void queueBulk(const QByteArray& bytes, std::function<void()> taken, int readyAfterPolls);
    int receiveFrame(const uint8_t* data, int length);

    QList<fault> faults;
    QList<scheduled> pending;
    QList<QPair<int, int>> riseDelays;  // bits, polls
    int busyPolls = 0;
    qint64 busyUntilMs = -1;

    uint8_t expectedType = 0;
    int expectedFrames = 0;
    bool expectedInPages = false;
    frameHandler onFrame;
    // Set by a frame handler: runs once the frame's status bits are settled.
    std::function<void()> afterFrame;
    struct queuedFrame {
        QByteArray bytes;
        std::function<void()> taken;
    };
    std::deque<queuedFrame> outgoing;

    uint8_t rcuResult[4] = {0xFF, 0xFF, 0, 0};
    QList<QByteArray> flash;     // per block; sized on first use
    int flashFramesSeen = 0;
    int flashRejectNth = 0;      // 0 = none
    int flashRejectTimes = 0;
};
