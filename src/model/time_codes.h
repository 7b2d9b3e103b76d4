#pragma once

#include <QTime>

// Times of the show are counts of tenths of a second: 16-bit time codes for
// scenes, masks, program steps and settings, 20-bit counts for delays.

// Tenths of a second since midnight; milliseconds below a tenth are dropped.
// An invalid time counts as 0.
int toTenths(const QTime& t);
// The time of day of a count of tenths; 864000 and more give an invalid time.
QTime fromTenths(unsigned t);
