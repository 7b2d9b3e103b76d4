#include "editors/scenes/dmx_mixing.h"

uint8_t mixLevel(int mode, uint8_t d, uint8_t s)
{
    switch (mode) {
    case MIX_OVERWRITE:
        return s;
    case MIX_BIGGER:
        return d > s ? d : s;
    case MIX_LINEAR:
        return uint8_t((d + s) >> 1);
    case MIX_MULTIPLY:
        // A captured 255 keeps the level, a captured 0 gives 0.
        return uint8_t((d * (s + 1) + s) >> 8);
    case MIX_INVERT:
        return uint8_t(255 - s);
    default:
        return d;
    }
}

void mixLevels(int mode, uint8_t* target, const uint8_t* captured, int count)
{
    for (int i = 0; i < count; ++i)
        target[i] = mixLevel(mode, target[i], captured[i]);
}
