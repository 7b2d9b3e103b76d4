#pragma once

#include <cstdint>

// Monitor window flags, one per window kind; a window's kind is its flag.
// 0xFFFF names all four.
enum monitorFlag : uint16_t {
    MONITOR_FLAG_INPUTS = 1,
    MONITOR_FLAG_DMX_IN = 2,
    MONITOR_FLAG_DMX_OUT = 4,
    MONITOR_FLAG_STATES = 8,
    MONITOR_FLAG_ALL = 0xFFFF
};

// Sizes of the windows' data: input levels kept one byte per input, the
// values of a DMX universe, and the internal-states block as it is read.
inline constexpr int MONITOR_INPUT_COUNT = 24;
inline constexpr int MONITOR_DMX_CHANNELS = 512;
