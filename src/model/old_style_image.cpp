#include "config_file.h"

#include <cstring>

namespace cfgfile {

namespace {

// A region copied unchanged between the two layouts.
struct region {
    uint32_t old;
    uint32_t size;
    uint32_t current;
};

constexpr region plainRegions[] = {
    {0x1F9A, 6, img::asFadeUp},                 // asFadeUp, asFadeDown, asControlChannel
    {0x1FA0, 0x60, img::asSectorRanges},
    {0x2000, 0x2000, img::timers},
    {0x4000, 0x800, img::outputChannels},
    {0x4800, 0x60, img::inputTypes},
    {0x4860, 0x20, img::startUpTime},           // settings words startUpTime .. asStartEvent
    {0x4880, 0x40, img::dmxInPhaseMask},
    {0x4A00, 0x600, img::sunTable},             // sun table, time zone, longitude, latitude
    {0x5000, 0x1000, img::maskTimes},           // mask times and delays
    {0x10000, 0x180000, img::sceneChannels},    // scenes 0..3071
    {0x190000, 0x6000, img::sceneTimes},        // scenes 0..3071
    {0x196800, 0xC00, img::programStepCount},   // step counts, chain events, recurrences
    {0x197400, 0x4000, img::stepEvents},
    {0x19B400, 0x800, img::programEntryInfo},
    {0x19BC00, 0x400, img::programBreakTime},
    {0x1A0000, 0x60000, img::programSteps},     // program steps, action records, masks
};

constexpr uint32_t OLD_COUPLED_BY_GROUP = 0x48C0;
constexpr uint32_t OLD_COUPLED_BY_SCENE = 0x4940;
constexpr uint32_t OLD_START_ADDRESSES = 0x196000;

// Entries of the old coupled-scene tables: scene in bits 0..11, group in
// bits 12..15; 0xFFFF free. Only group 0 fits in the scene range the old
// layout has.
constexpr uint32_t LAST_BY_GROUP = 0xC00;
constexpr uint32_t LAST_BY_SCENE = 0xBFF;
constexpr uint16_t OLD_FREE = 0xFFFF;
constexpr uint16_t LAST_OLD_PAIR = 0xFFE;

void writeOldPairs(const uint8_t* image, uint32_t from, uint8_t* old, uint32_t to, uint32_t last)
{
    for (int i = 0; i < img::COUPLED_PAIRS; ++i) {
        const uint32_t pair = img::getU32(image, from + 4u * uint32_t(i));
        const uint16_t entry = pair <= last ? uint16_t((pair & 0xFFF) | ((pair >> 16) << 12)) : OLD_FREE;
        img::putU16(old, to + 2u * uint32_t(i), entry);
    }
}

void readOldPairs(const uint8_t* old, uint32_t from, uint8_t* image, uint32_t to)
{
    for (int i = 0; i < img::COUPLED_PAIRS; ++i) {
        const uint16_t entry = img::getU16(old, from + 2u * uint32_t(i));
        const uint32_t pair = entry <= LAST_OLD_PAIR ? uint32_t(entry & 0xFFF) | (uint32_t(entry >> 12) << 16)
                                                     : img::NONE32;
        img::putU32(image, to + 4u * uint32_t(i), pair);
    }
}

} // namespace

void buildOldStyleImage(const uint8_t* image, uint8_t* old)
{
    std::memset(old, 0xFF, OLD_IMAGE_SIZE);
    for (const region& r : plainRegions)
        std::memcpy(old + r.old, image + r.current, r.size);
    writeOldPairs(image, img::coupledByGroup, old, OLD_COUPLED_BY_GROUP, LAST_BY_GROUP);
    writeOldPairs(image, img::coupledByScene, old, OLD_COUPLED_BY_SCENE, LAST_BY_SCENE);
    // Every entry moves by the same amount, modulo 2^32, the empty slots'
    // all-ones included: they read back as all-ones.
    for (int slot = 0; slot < img::PROGRAM_SLOTS; ++slot)
        img::putU32(old, OLD_START_ADDRESSES + 4u * uint32_t(slot),
                    img::getU32(image, img::programStartAddressOf(slot)) - OLD_STEP_ADDRESS_SHIFT);
}

void takeOldStyleImage(const uint8_t* old, uint8_t* image)
{
    for (const region& r : plainRegions)
        std::memcpy(image + r.current, old + r.old, r.size);
    readOldPairs(old, OLD_COUPLED_BY_GROUP, image, img::coupledByGroup);
    readOldPairs(old, OLD_COUPLED_BY_SCENE, image, img::coupledByScene);
    for (int slot = 0; slot < img::PROGRAM_SLOTS; ++slot) {
        const uint32_t address = img::getU32(old, OLD_START_ADDRESSES + 4u * uint32_t(slot));
        if (address != img::NONE32)
            img::putU32(image, img::programStartAddressOf(slot), address + OLD_STEP_ADDRESS_SHIFT);
    }
}

} // namespace cfgfile
