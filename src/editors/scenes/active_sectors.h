#pragma once

#include "model/config_image.h"

// The sectors of the active scenes as every active-scene step sees them. A
// sector takes part (in the table's colours, the compound faders, composing,
// applying and grouping) only when both its ends name channels of the
// universe; anything else stored there, a channel "to" that is not set
// included, keeps it out, so nothing reaches past a 512-byte record.
namespace activeSectors {

inline sectorRange at(const uint8_t* image, int sector)
{
    return sectorRange::read(image + img::asSectorRangesOf(sector));
}

inline bool inUse(const sectorRange& s)
{
    return s.from < img::CHANNELS && s.to < img::CHANNELS;
}

}  // namespace activeSectors
