#include "model/active_scenes.h"

#include "model/kv310_controller.h"

#include <QtGlobal>

#include <algorithm>
#include <cstring>

namespace activeSceneRules {

namespace {

constexpr int SCENES_PER_RANGE = 2 * SECTORS;

// A stored 0-based number as a box of `minimum`..`maximum` showing it + 1 shows it.
int shown(uint16_t stored, int minimum, int maximum)
{
    return qBound(minimum, int(uint16_t(stored + 1)), maximum);
}

}  // namespace

int controlChannelTop(const uint8_t* image)
{
    int top = qMin(int(img::getU16(image, img::inputChannelLimit)), int(img::CHANNELS));
    const uint16_t stored = img::getU16(image, img::asControlChannel);
    if (stored < img::CHANNELS)
        top = qMax(top, stored + 1);
    return top;
}

bool allSet(const uint8_t* image)
{
    return img::getU16(image, img::asStartScene) != img::NONE16 && img::getU16(image, img::asStartEvent) != img::NONE16
        && img::getU16(image, img::asControlChannel) != img::NONE16;
}

namespace {

struct startNumbers {
    uint16_t scene, event, channel;
};

// The three numbers as the settings show them, as they would be stored.
startNumbers shownNumbers(const uint8_t* image)
{
    const int scene = shown(img::getU16(image, img::asStartScene), 0, START_SCENE_LIMIT);
    const int event = shown(img::getU16(image, img::asStartEvent), 1, START_EVENT_LIMIT);
    const int channel = shown(img::getU16(image, img::asControlChannel), 0, controlChannelTop(image));
    return {uint16_t(scene - 1), event == 1 ? img::NONE16 : uint16_t(event - 1), uint16_t(channel - 1)};
}

}  // namespace

bool numbersNeedRepair(const uint8_t* image)
{
    const startNumbers n = shownNumbers(image);
    return n.scene != img::getU16(image, img::asStartScene) || n.event != img::getU16(image, img::asStartEvent)
        || n.channel != img::getU16(image, img::asControlChannel);
}

void repairNumbers(uint8_t* image)
{
    const startNumbers n = shownNumbers(image);
    img::putU16(image, img::asStartScene, n.scene);
    img::putU16(image, img::asStartEvent, n.event);
    img::putU16(image, img::asControlChannel, n.channel);
}

bool limitControlChannel(uint8_t* image, int limit)
{
    const int top = qBound(0, limit, int(img::CHANNELS));
    const uint16_t stored = img::getU16(image, img::asControlChannel);
    if (stored == img::NONE16 || stored < top)
        return false;
    img::putU16(image, img::asControlChannel, uint16_t(top - 1));
    return true;
}

namespace {

// The control channel's phase-mask word and bit; false without a control channel.
bool controlPhaseBit(const uint8_t* image, uint32_t& offset, uint32_t& bit)
{
    const uint16_t control = img::getU16(image, img::asControlChannel);
    if (control >= img::CHANNELS)
        return false;
    offset = img::dmxInPhaseMaskOf(control / 32);
    bit = 1u << (control % 32);
    return true;
}

}  // namespace

bool controlPhaseLocked(const uint8_t* image)
{
    uint32_t offset = 0, bit = 0;
    return controlPhaseBit(image, offset, bit) && (img::getU32(image, offset) & bit) != 0;
}

void unlockControlPhase(uint8_t* image)
{
    uint32_t offset = 0, bit = 0;
    if (controlPhaseBit(image, offset, bit))
        img::putU32(image, offset, img::getU32(image, offset) & ~bit);
}

bool needsRepair(const uint8_t* image)
{
    return numbersNeedRepair(image) || controlPhaseLocked(image);
}

void repair(uint8_t* image)
{
    repairNumbers(image);
    unlockControlPhase(image);
}

void composePictures(kv310_controller_class& c)
{
    std::memset(c.compoundScenes, 0, sizeof c.compoundScenes);
    const uint8_t* image = c.configImage;
    // Without a start scene there are no scenes to read: the pictures stay empty.
    const int start = img::getU16(image, img::asStartScene);
    if (start >= START_SCENE_LIMIT)
        return;
    for (int k = 0; k < RANGES; ++k) {
        for (int m = 0; m < SECTORS; ++m) {
            const sectorRange s = activeSectors::at(image, m);
            if (!activeSectors::inUse(s) || s.from > s.to)
                continue;
            // Overlapping sectors: the higher-numbered one is copied last.
            const int t = start + SCENES_PER_RANGE * k + 2 * m;
            const size_t length = size_t(s.to - s.from + 1);
            std::memcpy(&c.compoundScenes[k][0][s.from], image + img::sceneChannelsOf(t) + s.from, length);
            std::memcpy(&c.compoundScenes[k][1][s.from], image + img::sceneChannelsOf(t + 1) + s.from, length);
        }
    }
}

bool picturesEmpty(const kv310_controller_class& c)
{
    const uint8_t* first = &c.compoundScenes[0][0][0];
    return std::all_of(first, first + sizeof c.compoundScenes, [](uint8_t b) { return b == 0; });
}

void takeRead(kv310_controller_class& c)
{
    repair(c.configImage);
    composePictures(c);
}

}  // namespace activeSceneRules
