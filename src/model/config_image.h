#pragma once

#include <QtEndian>
#include <cstddef>
#include <cstdint>

// The configuration image: 8 MB laid out exactly as the controller's
// configuration flash. Every multi-byte field is little-endian; the accessors
// below are the only way code reads or writes one, so the layout stays right
// on any host.

namespace img {

// ---- Sizes and counts ---------------------------------------------------------

constexpr uint32_t SIZE = 0x800000;
// Configuration files keep everything before the project area.
constexpr uint32_t STORED_SIZE = 0x580000;

constexpr int SCENES = 10240;
constexpr int MASKS = 256;
constexpr int CHANNELS = 512;          // bytes per scene and mask record
constexpr int PROGRAM_SLOTS = 512;
constexpr int MAX_PROGRAM_STEPS = 999; // steps of one program
constexpr int STEP_RECORDS = 8192;     // steps of all programs together
constexpr int ACTION_RECORDS = 8192;
constexpr int TIMER_RECORDS = 1024;
constexpr int DELAYS = 512;
constexpr int SEQUENCES = 128;
constexpr int SUN_ENTRIES = 381;
constexpr int SECTOR_RANGES = 24;
constexpr int INPUTS = 24;
constexpr int COUPLED_PAIRS = 64;
constexpr int PHASE_MASK_WORDS = 16;

// Device address of step record 0: program start addresses point at it.
constexpr uint32_t STEP_ADDRESS_BASE = 0x68020000;
// Device address of image offset 0; the older hardware codes 0xD3 and 0xD8
// map the image at DEVICE_BASE_OLD.
constexpr uint32_t DEVICE_BASE = 0x68000000;
constexpr uint32_t DEVICE_BASE_OLD = 0x62000000;

// ---- Regions, in address order ------------------------------------------------

constexpr uint32_t uninterpreted = 0x0000;        // 0x1ED8 bytes no page reads
constexpr uint32_t settingsWords = 0x1ED8;        // 20 u16, below
constexpr uint32_t dmxInPhaseMask = 0x1F00;       // u32 [16]
constexpr uint32_t asSectorRanges = 0x1F40;       // sectorRange [24]
constexpr uint32_t inputTypes = 0x1FA0;           // i32 [24]: -1 unused, 0 NO, 1 NC
constexpr uint32_t coupledByGroup = 0x2000;       // coupledScenePair [64]
constexpr uint32_t coupledByScene = 0x2100;       // coupledScenePair [64]
constexpr uint32_t programStepCount = 0x2200;     // u16 [512]
constexpr uint32_t programChainEvent = 0x2600;    // u16 [512], 0xFFFF none
constexpr uint32_t programRecurrences = 0x2A00;   // u16 [512], 0 endless
constexpr uint32_t programBreakTime = 0x2E00;     // u16 [512], 0xFFFF not used
constexpr uint32_t sunTable = 0x3200;             // 381 × {u16 sunrise, u16 sunset}
constexpr uint32_t timeZone = 0x37F4;             // i32
constexpr uint32_t longitude = 0x37F8;            // i32
constexpr uint32_t latitude = 0x37FC;             // i32
constexpr uint32_t outputChannels = 0x3800;       // outputChannel [512]
constexpr uint32_t maskTimes = 0x4000;            // fadeTimes [256]
constexpr uint32_t delays = 0x4800;               // delayWord [512]
constexpr uint32_t programEntryInfo = 0x5000;     // entryInfo [512]
constexpr uint32_t programStartAddress = 0x5800;  // u32 [512]
constexpr uint32_t timers = 0x6000;               // timerRecord [1024]
constexpr uint32_t stepEvents = 0x8000;           // u16 [8192]
constexpr uint32_t sceneTimes = 0xC000;           // fadeTimes [10240]
constexpr uint32_t programSteps = 0x20000;        // stepRecord [8192]
constexpr uint32_t eventActions = 0x30000;        // eventAction [8192]
constexpr uint32_t maskChannels = 0x60000;        // 256 × 512 bytes
constexpr uint32_t sceneChannels = 0x80000;       // 10240 × 512 bytes
constexpr uint32_t projectArea = 0x580000;        // stored project description
constexpr uint32_t PROJECT_AREA_SIZE = SIZE - projectArea;

// ---- Settings words (u16 unless noted; channel numbers 0-based) ---------------

constexpr uint32_t dmxInProgramming = 0x1ED8;     // 0 on, 0xFFFF off
constexpr uint32_t startUpTime = 0x1EDA;          // time code
constexpr uint32_t shutDownTime = 0x1EDC;         // time code
constexpr uint32_t outputChannelCount = 0x1EDE;   // 24..512
constexpr uint32_t outEventFirstChannel = 0x1EE0; // 512 or more: generation off
constexpr uint32_t outEventLastChannel = 0x1EE2;
constexpr uint32_t extPanelsEnable = 0x1EE4;      // 0 on, 0xFFFF off
constexpr uint32_t dmxInReserved = 0x1EE6;
constexpr uint32_t inputChannelLimit = 0x1EE8;    // 0..512
constexpr uint32_t sunriseDelay = 0x1EEA;         // i8, 5-minute units; u16 0xFFFF here = sun events off
constexpr uint32_t sunsetDelay = 0x1EEB;          // i8
constexpr uint32_t sunEvents = 0x1EEA;            // the u16 over both delays
constexpr uint32_t dstEnable = 0x1EEC;            // 0 handled, 0xFFFF not
constexpr uint32_t transmitFirstChannel = 0x1EEE; // 512 or more: transmission off
constexpr uint32_t transmitLastChannel = 0x1EF0;
constexpr uint32_t firstExtraSlot = 0x1EF2;       // above 512: extra entries off
constexpr uint32_t mbftCode = 0x1EF4;
constexpr uint32_t asStartScene = 0x1EF6;
constexpr uint32_t asStartEvent = 0x1EF8;
constexpr uint32_t asFadeUp = 0x1EFA;             // time code
constexpr uint32_t asFadeDown = 0x1EFC;           // time code
constexpr uint32_t asControlChannel = 0x1EFE;

constexpr uint16_t NONE16 = 0xFFFF;
constexpr uint32_t NONE32 = 0xFFFFFFFF;

// ---- Offsets of indexed entries -----------------------------------------------

constexpr uint32_t dmxInPhaseMaskOf(int word) { return dmxInPhaseMask + 4u * uint32_t(word); }
constexpr uint32_t asSectorRangesOf(int sector) { return asSectorRanges + 4u * uint32_t(sector); }
constexpr uint32_t inputTypesOf(int input) { return inputTypes + 4u * uint32_t(input); }
constexpr uint32_t coupledByGroupOf(int i) { return coupledByGroup + 4u * uint32_t(i); }
constexpr uint32_t coupledBySceneOf(int i) { return coupledByScene + 4u * uint32_t(i); }
constexpr uint32_t programStepCountOf(int slot) { return programStepCount + 2u * uint32_t(slot); }
constexpr uint32_t programChainEventOf(int slot) { return programChainEvent + 2u * uint32_t(slot); }
constexpr uint32_t programRecurrencesOf(int slot) { return programRecurrences + 2u * uint32_t(slot); }
constexpr uint32_t programBreakTimeOf(int slot) { return programBreakTime + 2u * uint32_t(slot); }
constexpr uint32_t sunTableOf(int day) { return sunTable + 4u * uint32_t(day); }
constexpr uint32_t outputChannelsOf(int channel) { return outputChannels + 4u * uint32_t(channel); }
constexpr uint32_t maskTimesOf(int mask) { return maskTimes + 8u * uint32_t(mask); }
constexpr uint32_t delaysOf(int delay) { return delays + 4u * uint32_t(delay); }
constexpr uint32_t programEntryInfoOf(int slot) { return programEntryInfo + 4u * uint32_t(slot); }
constexpr uint32_t programStartAddressOf(int slot) { return programStartAddress + 4u * uint32_t(slot); }
constexpr uint32_t timersOf(int record) { return timers + 8u * uint32_t(record); }
constexpr uint32_t stepEventsOf(int step) { return stepEvents + 2u * uint32_t(step); }
constexpr uint32_t sceneTimesOf(int scene) { return sceneTimes + 8u * uint32_t(scene); }
constexpr uint32_t programStepsOf(int step) { return programSteps + 8u * uint32_t(step); }
constexpr uint32_t eventActionsOf(int record) { return eventActions + 24u * uint32_t(record); }
constexpr uint32_t maskChannelsOf(int mask) { return maskChannels + 512u * uint32_t(mask); }
constexpr uint32_t sceneChannelsOf(int scene) { return sceneChannels + 512u * uint32_t(scene); }

static_assert(settingsWords + 0x28 == dmxInPhaseMask);
static_assert(dmxInPhaseMaskOf(PHASE_MASK_WORDS) == asSectorRanges);
static_assert(asSectorRangesOf(SECTOR_RANGES) == inputTypes);
static_assert(inputTypesOf(INPUTS) == coupledByGroup);
static_assert(coupledByGroupOf(COUPLED_PAIRS) == coupledByScene);
static_assert(coupledBySceneOf(COUPLED_PAIRS) == programStepCount);
static_assert(programStepCountOf(PROGRAM_SLOTS) == programChainEvent);
static_assert(programChainEventOf(PROGRAM_SLOTS) == programRecurrences);
static_assert(programRecurrencesOf(PROGRAM_SLOTS) == programBreakTime);
static_assert(programBreakTimeOf(PROGRAM_SLOTS) == sunTable);
static_assert(sunTableOf(SUN_ENTRIES) == timeZone);
static_assert(latitude + 4 == outputChannels);
static_assert(outputChannelsOf(CHANNELS) == maskTimes);
static_assert(maskTimesOf(MASKS) == delays);
static_assert(delaysOf(DELAYS) == programEntryInfo);
static_assert(programEntryInfoOf(PROGRAM_SLOTS) == programStartAddress);
static_assert(programStartAddressOf(PROGRAM_SLOTS) == timers);
static_assert(timersOf(TIMER_RECORDS) == stepEvents);
static_assert(stepEventsOf(STEP_RECORDS) == sceneTimes);
static_assert(sceneTimesOf(SCENES) == programSteps);
static_assert(programStepsOf(STEP_RECORDS) == eventActions);
static_assert(eventActionsOf(ACTION_RECORDS) == maskChannels);
static_assert(maskChannelsOf(MASKS) == sceneChannels);
static_assert(sceneChannelsOf(SCENES) == projectArea);
static_assert(asControlChannel + 2 == dmxInPhaseMask);

// ---- Little-endian accessors --------------------------------------------------

inline uint16_t getU16(const uint8_t* image, uint32_t offset)
{
    return qFromLittleEndian<uint16_t>(image + offset);
}
inline void putU16(uint8_t* image, uint32_t offset, uint16_t value)
{
    qToLittleEndian<uint16_t>(value, image + offset);
}
inline uint32_t getU32(const uint8_t* image, uint32_t offset)
{
    return qFromLittleEndian<uint32_t>(image + offset);
}
inline void putU32(uint8_t* image, uint32_t offset, uint32_t value)
{
    qToLittleEndian<uint32_t>(value, image + offset);
}
inline int32_t getI32(const uint8_t* image, uint32_t offset)
{
    return qFromLittleEndian<int32_t>(image + offset);
}
inline void putI32(uint8_t* image, uint32_t offset, int32_t value)
{
    qToLittleEndian<int32_t>(value, image + offset);
}
inline void putU16Run(uint8_t* image, uint32_t offset, int count, uint16_t value)
{
    for (int i = 0; i < count; ++i)
        putU16(image, offset + 2u * uint32_t(i), value);
}
inline void putU32Run(uint8_t* image, uint32_t offset, int count, uint32_t value)
{
    for (int i = 0; i < count; ++i)
        putU32(image, offset + 4u * uint32_t(i), value);
}

} // namespace img

// ---- Records --------------------------------------------------------------------
// Each record reads itself from and writes itself to the image at a given
// address; the structs mirror the image layout field for field.

// Scene and mask times.
struct fadeTimes {
    uint16_t fadeUp = 0;
    uint16_t duration = 0;   // 0xFFFF = infinite
    uint16_t fadeDown = 0;
    uint16_t reserved = 0;

    static fadeTimes read(const uint8_t* p)
    {
        return {qFromLittleEndian<uint16_t>(p), qFromLittleEndian<uint16_t>(p + 2), qFromLittleEndian<uint16_t>(p + 4),
                qFromLittleEndian<uint16_t>(p + 6)};
    }
    void write(uint8_t* p) const
    {
        qToLittleEndian<uint16_t>(fadeUp, p);
        qToLittleEndian<uint16_t>(duration, p + 2);
        qToLittleEndian<uint16_t>(fadeDown, p + 4);
        qToLittleEndian<uint16_t>(reserved, p + 6);
    }
};
static_assert(sizeof(fadeTimes) == 8);

// Per DMX output channel: level range and characteristic.
struct outputChannel {
    uint8_t min = 0;
    uint8_t max = 0xFF;
    uint8_t hystDown = 0xFF;  // {0xFF, 0xFF} linear; {0xFF, 0x00} non-linear;
    uint8_t hystUp = 0xFF;    // hystDown < hystUp switching with two thresholds

    static outputChannel read(const uint8_t* p) { return {p[0], p[1], p[2], p[3]}; }
    void write(uint8_t* p) const
    {
        p[0] = min;
        p[1] = max;
        p[2] = hystDown;
        p[3] = hystUp;
    }
};
static_assert(sizeof(outputChannel) == 4);

// Active-scene sector: DMX channels from..to; from 0xFFFF = sector not used.
struct sectorRange {
    uint16_t from = 0xFFFF;
    uint16_t to = 0xFFFF;

    static sectorRange read(const uint8_t* p)
    {
        return {qFromLittleEndian<uint16_t>(p), qFromLittleEndian<uint16_t>(p + 2)};
    }
    void write(uint8_t* p) const
    {
        qToLittleEndian<uint16_t>(from, p);
        qToLittleEndian<uint16_t>(to, p + 2);
    }
};
static_assert(sizeof(sectorRange) == 4);

// One entry of a coupled-scene table; a free entry is scene 0xFFFF, group 0.
struct coupledScenePair {
    uint16_t scene = 0xFFFF;
    uint16_t group = 0;

    static coupledScenePair read(const uint8_t* p)
    {
        return {qFromLittleEndian<uint16_t>(p), qFromLittleEndian<uint16_t>(p + 2)};
    }
    void write(uint8_t* p) const
    {
        qToLittleEndian<uint16_t>(scene, p);
        qToLittleEndian<uint16_t>(group, p + 2);
    }
};
static_assert(sizeof(coupledScenePair) == 4);

// Date and time condition of a clock event; 0xFF in bytes 2..7 matches any value.
struct timerRecord {
    uint16_t eventId = 0xFFFF;  // 0x800 + timer index; 0xFFFF not in use
    uint8_t year = 0xFF;        // BCD, 2000 + 00..99
    uint8_t month = 0xFF;       // BCD
    uint8_t day = 0xFF;         // BCD
    uint8_t dayOfWeek = 0xFF;   // 1..7 = Monday..Sunday
    uint8_t hour = 0xFF;        // BCD
    uint8_t minute = 0xFF;      // BCD

    static timerRecord read(const uint8_t* p)
    {
        return {qFromLittleEndian<uint16_t>(p), p[2], p[3], p[4], p[5], p[6], p[7]};
    }
    void write(uint8_t* p) const
    {
        qToLittleEndian<uint16_t>(eventId, p);
        p[2] = year;
        p[3] = month;
        p[4] = day;
        p[5] = dayOfWeek;
        p[6] = hour;
        p[7] = minute;
    }
};
static_assert(sizeof(timerRecord) == 8);

// Program step record. fadeDown carries the markers: 0xFFFF on every step
// but the last, 0xFFFE on the last step of an endless program.
struct stepRecord {
    uint16_t scene = 0xFFFF;
    uint16_t fadeUp = 0;
    uint16_t duration = 10;   // 0xFFFF = infinite
    uint16_t fadeDown = 0;

    static constexpr uint16_t NOT_LAST = 0xFFFF;
    static constexpr uint16_t ENDLESS_LAST = 0xFFFE;

    static stepRecord read(const uint8_t* p)
    {
        return {qFromLittleEndian<uint16_t>(p), qFromLittleEndian<uint16_t>(p + 2), qFromLittleEndian<uint16_t>(p + 4),
                qFromLittleEndian<uint16_t>(p + 6)};
    }
    void write(uint8_t* p) const
    {
        qToLittleEndian<uint16_t>(scene, p);
        qToLittleEndian<uint16_t>(fadeUp, p + 2);
        qToLittleEndian<uint16_t>(duration, p + 4);
        qToLittleEndian<uint16_t>(fadeDown, p + 6);
    }
};
static_assert(sizeof(stepRecord) == 8);

// Source of a program slot that holds an extra entry; all 1s for ordinary slots.
struct entryInfo {
    uint16_t program = 0xFFFF;
    uint16_t fromStep = 0xFFFF;

    static entryInfo read(const uint8_t* p)
    {
        return {qFromLittleEndian<uint16_t>(p), qFromLittleEndian<uint16_t>(p + 2)};
    }
    void write(uint8_t* p) const
    {
        qToLittleEndian<uint16_t>(program, p);
        qToLittleEndian<uint16_t>(fromStep, p + 2);
    }
};
static_assert(sizeof(entryInfo) == 4);

// Delay word: bits 0..19 time in tenths (1..863999, 0xFFFFF not set),
// bits 20..31 the owning sequence (0..127, 0xFFF free).
namespace delayWord {
constexpr uint32_t TIME_MASK = 0xFFFFF;
constexpr uint32_t TIME_NOT_SET = 0xFFFFF;
constexpr uint32_t MAX_TIME = 863999;
constexpr uint32_t SEQUENCE_FREE = 0xFFF;
constexpr uint32_t time(uint32_t word) { return word & TIME_MASK; }
constexpr uint32_t sequence(uint32_t word) { return word >> 20; }
constexpr uint32_t make(uint32_t time, uint32_t sequence) { return (sequence << 20) | (time & TIME_MASK); }
} // namespace delayWord

// Action record: the same 24 bytes in memory (events table) and in the image.
struct eventAction {
    uint16_t eventId = 0xFFFF;   // 0xFFFF marks a free image record
    uint16_t number = 0;         // target; 0x8000 = all objects of the type
    uint8_t typeByte = 0x40;     // type in bits 0..3, sub-action in bits 4..7
    uint8_t daytimeFrom = 0xFF;
    uint8_t daytimeTo = 0xFF;
    uint8_t states1to4 = 0xFF;   // S1..S4, 2 bits each, S1 in bits 1..0
    uint32_t states5to68[4] = {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF};

    int type() const { return typeByte & 0x0F; }
    int subAction() const { return typeByte >> 4; }
    void setType(int t) { typeByte = uint8_t((typeByte & 0xF0) | (t & 0x0F)); }
    void setSubAction(int s) { typeByte = uint8_t((typeByte & 0x0F) | ((s & 0x0F) << 4)); }

    static eventAction read(const uint8_t* p)
    {
        eventAction a;
        a.eventId = qFromLittleEndian<uint16_t>(p);
        a.number = qFromLittleEndian<uint16_t>(p + 2);
        a.typeByte = p[4];
        a.daytimeFrom = p[5];
        a.daytimeTo = p[6];
        a.states1to4 = p[7];
        for (int w = 0; w < 4; ++w)
            a.states5to68[w] = qFromLittleEndian<uint32_t>(p + 8 + 4 * w);
        return a;
    }
    void write(uint8_t* p) const
    {
        qToLittleEndian<uint16_t>(eventId, p);
        qToLittleEndian<uint16_t>(number, p + 2);
        p[4] = typeByte;
        p[5] = daytimeFrom;
        p[6] = daytimeTo;
        p[7] = states1to4;
        for (int w = 0; w < 4; ++w)
            qToLittleEndian<uint32_t>(states5to68[w], p + 8 + 4 * w);
    }
};
static_assert(sizeof(eventAction) == 24);
static_assert(offsetof(eventAction, typeByte) == 4 && offsetof(eventAction, states1to4) == 7
              && offsetof(eventAction, states5to68) == 8);
