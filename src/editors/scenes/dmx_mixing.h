#pragma once

#include <cstdint>

// How captured DMX levels are stored into a scene or a mask that already
// has levels: the mode travels as the item data of the page's mixing list.
enum dmxMixingMode : int {
    MIX_OVERWRITE = 1,    // the captured level
    MIX_BIGGER = 2,       // the larger of the two
    MIX_LINEAR = 3,       // their mean, rounded down
    MIX_MULTIPLY = 4,     // the stored level scaled by the captured one
    MIX_INVERT = 5,       // 255 - the captured level
};

// The new level of a channel from its stored level d and the captured
// level s; an unknown mode keeps d.
uint8_t mixLevel(int mode, uint8_t d, uint8_t s);

// Mixes `count` captured levels into the record at `target`.
void mixLevels(int mode, uint8_t* target, const uint8_t* captured, int count);
