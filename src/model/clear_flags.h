#pragma once

#include <cstdint>

// Categories of ClearConfig; any combination may be cleared at once.
inline constexpr uint32_t CLEAR_SCENES = 0x1;
inline constexpr uint32_t CLEAR_PROGRAMS = 0x2;
inline constexpr uint32_t CLEAR_CHAINS = 0x4;
inline constexpr uint32_t CLEAR_SCENE_DESCRIPTIONS = 0x8;
inline constexpr uint32_t CLEAR_PROGRAM_DESCRIPTIONS = 0x10;
inline constexpr uint32_t CLEAR_TIMERS = 0x20;
inline constexpr uint32_t CLEAR_INPUTS = 0x40;
inline constexpr uint32_t CLEAR_DMX_IN = 0x80;
inline constexpr uint32_t CLEAR_DMX_OUT_SETTINGS = 0x100;
inline constexpr uint32_t CLEAR_INTERNAL_EVENTS = 0x200;
inline constexpr uint32_t CLEAR_RCU = 0x400;
inline constexpr uint32_t CLEAR_DMX_OUT_EVENTS = 0x800;
inline constexpr uint32_t CLEAR_LIMITS = 0x1000;
inline constexpr uint32_t CLEAR_DELAYS = 0x2000;
inline constexpr uint32_t CLEAR_MASKS = 0x4000;
inline constexpr uint32_t CLEAR_MASK_DESCRIPTIONS = 0x8000;
inline constexpr uint32_t CLEAR_SUN = 0x10000;
inline constexpr uint32_t CLEAR_DESCRIPTIONS = 0x20000;
inline constexpr uint32_t CLEAR_VISUAL_PROJECT = 0x40000;
inline constexpr uint32_t CLEAR_ACTIVE_SCENES = 0x80000;
// The whole image to 0xFF first, then every category.
inline constexpr uint32_t CLEAR_ALL = 0xFFFFF;
