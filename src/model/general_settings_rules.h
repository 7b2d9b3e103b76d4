#pragma once

#include <cstdint>

// What the general settings page stores of a show it cannot show as it is:
// a switch that is neither on nor off, a location or time zone out of range.
namespace generalSettingsRules {

// Where a location or time zone lies outside its range, the page shows
// (and the image holds) its default rather than the bound.
constexpr int DEFAULT_TIME_ZONE = 1;
constexpr int DEFAULT_LONGITUDE = 20;
constexpr int DEFAULT_LATITUDE = 50;

int shownTimeZone(const uint8_t* image);
int shownLongitude(const uint8_t* image);
int shownLatitude(const uint8_t* image);

// Whether the image holds a value the page cannot show: a switch that is
// neither on (0) nor off (0xFFFF), a location or time zone out of range.
// (Any other value of the sun events is a pair of delays and stays.)
bool needsRepair(const uint8_t* image);

// Stores each such value as the page shows it.
void repair(uint8_t* image);

}  // namespace generalSettingsRules
