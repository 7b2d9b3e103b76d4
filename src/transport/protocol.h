#pragma once

#include <QtGlobal>
#include <cstdint>
#include <memory>

// The controller's request protocol: vendor control requests with a 16-bit
// value and index and at most 64 data bytes, a status word polled between
// steps, and framed bulk blocks for everything larger.

// Request codes.
enum deviceRequest : uint8_t {
    RESTART = 1,
    GET_STATUS = 3,
    FREEZE = 4,
    RESUME = 5,
    RAISE_EVENT = 6,
    GET_CLOCK = 7,
    SET_CLOCK = 8,
    GET_FIRMWARE_VERSION = 9,
    SET_MODE = 10,
    SET_LIVE_VALUE = 11,
    CONFIG_READ = 15,
    LIVE_SCENE_WRITE = 17,
    CONFIG_WRITE = 20,
    FLASH_WRITE = 21,
    FLASH_READ = 22,
    GET_STATE = 24,
    RCU_COMMAND = 25,
    SET_CALIBRATION = 26,
    MONITOR_READ = 27,
    DMX_MONITOR_READ = 28,
    SET_DMX_TRANSPARENCY = 29,
    GET_DEVICE_TYPE = 0xFF,
};

// Remote-control operations, carried in the index of RCU_COMMAND.
enum rcuOperation : uint16_t {
    RCU_RESULT = 0,
    RCU_READ_KEY = 1,
    RCU_LEARN_ADDRESS = 2,
    RCU_LEARN_KEY = 3,
    RCU_SET_ADDRESS = 4,
    RCU_SET_KEY = 5,
    RCU_SAVE = 6,
};

// Value of RESTART that restarts into the halted upgrade state.
inline constexpr uint16_t RESTART_INTO_UPGRADE = 0x15;
// Values of SET_DMX_TRANSPARENCY (never byte-exchanged).
inline constexpr uint16_t DMX_TRANSPARENCY_ON = 0x100;
inline constexpr uint16_t DMX_TRANSPARENCY_OFF = 0;

// Status word: the first four bytes of the GET_STATUS answer, little-endian.
inline constexpr int STATUS_FROZEN = 0x20;
inline constexpr int STATUS_HALTED = 0x100;
inline constexpr int STATUS_MODE_TRANSFER = 0x200;
inline constexpr int STATUS_MODE_LIVE = 0x400;
inline constexpr int STATUS_MODE_MASK = 0x1F00;
inline constexpr int STATUS_READY_FOR_DATA = 0x20000;
inline constexpr int STATUS_BUSY = 0x40000;
inline constexpr int STATUS_DONE = 0x80000;
inline constexpr int STATUS_FAILED = 0x100000;
// The GET_STATUS answer: the status word and four bytes not used.
inline constexpr int STATUS_ANSWER_SIZE = 8;

// Working modes on the device.
inline constexpr int MODE_NORMAL = 1;
inline constexpr int MODE_TRANSFER = 3;
inline constexpr int MODE_LIVE = 4;
inline constexpr int MODE_HALTED = 6;

// Configuration transfer: the image travels as 128 frames of 64 KB; image
// offset o lies at device address CONFIG_BASE_ADDRESS + o, on the hardware
// codes 0xD3 and 0xD8 at CONFIG_BASE_ADDRESS_OLD + o when it is written.
inline constexpr int CONFIG_BLOCK_SIZE = 0x10000;
inline constexpr int CONFIG_BLOCKS = 128;
inline constexpr uint32_t CONFIG_BASE_ADDRESS = 0x68000000;
inline constexpr uint32_t CONFIG_BASE_ADDRESS_OLD = 0x62000000;

// Monitor reads: the kinds, the DMX sources of MONITOR_DMX, and the sizes of
// what each brings (input levels, a DMX frame of 512 values, the
// internal-states block of which the first 606 words are checked).
inline constexpr int MONITOR_INPUTS = 0;
inline constexpr int MONITOR_DMX = 4;
inline constexpr int MONITOR_STATES = 6;
inline constexpr unsigned DMX_SOURCE_INPUT = 1;
inline constexpr unsigned DMX_SOURCE_OUTPUT = 2;
inline constexpr int INPUT_LEVELS_SIZE = 3;
inline constexpr int DMX_MONITOR_FRAME_SIZE = 524;
inline constexpr int STATES_BLOCK_SIZE = 2426;
inline constexpr int STATES_CHECKED_WORDS = 606;

// Device type words: the low byte is the family code; the high byte is 1 on
// current hardware and 0 on older hardware.
inline constexpr int DEVICE_TYPE_CODE = 0xD3;
inline constexpr int TYPE_WORD_OLD = 0xD3;
inline constexpr int TYPE_WORD_CURRENT = 0x1D3;

// Older hardware (type words up to 0xFF) takes the 16-bit value and index of
// the requests that carry words with their two bytes exchanged.
constexpr bool typeWordSwapsBytes(int typeWord)
{
    return typeWord <= 0xFF;
}

// The low 16 bits of value, bytes exchanged when swapBytes is set; the
// controller's deviceWord() is this with its own flag.
constexpr uint16_t swapWordBytes(int value, bool swapBytes)
{
    const uint16_t word = uint16_t(value & 0xFFFF);
    return swapBytes ? uint16_t((word >> 8) | (word << 8)) : word;
}

// Outcome of checking a received frame.
enum frameCheck {
    FRAME_INTACT = 0,
    FRAME_SHORT,            // not even a header and a checksum arrived
    FRAME_LENGTH_OUTSIDE,   // the length code puts data or checksum beyond what arrived
    FRAME_CHECKSUM_WRONG,   // the words do not sum to 0
};

// The fields of a frame lying in a byte buffer.
struct blockFrameView {
    uint8_t type = 0;
    uint8_t counter = 0;
    uint16_t lengthCode = 0;
    uint32_t address = 0;
    const uint8_t* data = nullptr;  // into the buffer
    int length = 0;                 // data bytes
    uint32_t checksum = 0;
};

// Framing of a bulk transfer, all fields little-endian:
//   0 type (the request that announced the frame), 1 counter, 2-3 length code,
//   4-7 device address, 8.. data, then a 32-bit checksum that makes all
//   32-bit words of the frame sum to 0 modulo 2^32.
// The length code is length - 1, or length >> 8 when the frame counts
// 256-byte pages.
struct blockFrame {
    static constexpr int HEADER_SIZE = 8;
    static constexpr int CHECKSUM_SIZE = 4;
    static constexpr int OVERHEAD = HEADER_SIZE + CHECKSUM_SIZE;

    static uint16_t lengthCode(int length, bool inPages)
    {
        return uint16_t(inPages ? length >> 8 : length - 1);
    }
    static int lengthFromCode(uint16_t code, bool inPages)
    {
        return inPages ? int(code) << 8 : int(code) + 1;
    }
    // The first header word as it lies on the wire.
    static uint32_t headerWord(uint8_t type, uint8_t counter, uint16_t code)
    {
        return uint32_t(type) | (uint32_t(counter) << 8) | (uint32_t(code) << 16);
    }

    // Sum modulo 2^32 of `words` little-endian 32-bit words from bytes.
    static uint32_t wordSum(const uint8_t* bytes, int words);

    // Writes a whole frame to out (capacity bytes) with its checksum; the
    // frame size, or -1 when it does not fit or data is missing.
    static int build(uint8_t* out, int capacity, uint8_t type, uint8_t counter, uint32_t address,
                     const uint8_t* data, int length, bool inPages);

    // Reads the frame in the first `received` bytes of frame into view and
    // checks it; view is filled as far as the header allows.
    static frameCheck read(const uint8_t* frame, int received, bool inPages, blockFrameView* view);
};

// The host's frame object: builds one frame to send, or checks one received.
class transferBlock {
public:
    // Room for 128 KB of data plus header and checksum.
    static constexpr int BUFFER_SIZE = 0x20010;

    transferBlock();
    ~transferBlock();
    transferBlock(const transferBlock&) = delete;
    transferBlock& operator=(const transferBlock&) = delete;

    // Checksum of the fields: the two's complement of header words and data words.
    uint32_t computeChecksum() const;
    void updateChecksum() { checksum = computeChecksum(); }
    // 0 when the stored checksum fits the fields.
    uint32_t verify() const { return checksum - computeChecksum(); }

    // The buffer as the target of a bulk read (data points at its start).
    uint8_t* rawBuffer();
    // Builds the frame in the buffer from the fields; the buffer, or null when
    // the data is missing or does not fit. frameSize() bytes go on the wire.
    uint8_t* pack();
    // Takes the fields from a frame read into the buffer (of which `received`
    // bytes arrived); 0 = intact. A length code whose data and checksum would
    // lie outside the bytes received gives a non-zero result and length 0.
    uint32_t unpack(int received = BUFFER_SIZE);

    int frameSize() const { return length + blockFrame::OVERHEAD; }

    bool lengthInPages = false;
    int type = 0;               // only the low byte goes on the wire
    uint8_t counter = 0;
    int length = 0;             // data bytes
    uint32_t address = 0;
    const uint8_t* data = nullptr;
    uint32_t checksum = 0;

private:
    std::unique_ptr<uint8_t[]> buffer;
};
