#pragma once

#include <cstdint>

// Days the sun table describes: entry d is day of the year d + 1.
constexpr int SUN_DAYS = 366;

// The built-in sunrise and sunset times in minutes of the day, entry 0 for
// 1 January: latitude 50°, longitude 20° at time zone +1, the defaults that
// clearing the sun settings restores.
extern const uint16_t sunriseDefaultTable[SUN_DAYS];
extern const uint16_t sunsetDefaultTable[SUN_DAYS];
