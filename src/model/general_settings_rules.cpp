#include "model/general_settings_rules.h"

#include "model/config_image.h"

namespace generalSettingsRules {

namespace {

int inRangeOr(int stored, int low, int high, int fallback)
{
    return stored >= low && stored <= high ? stored : fallback;
}

// A switch shows on only when it holds 0; anything else is shown, and stored, off.
uint16_t shownSwitch(uint16_t stored)
{
    return stored == 0 ? 0 : img::NONE16;
}

}  // namespace

int shownTimeZone(const uint8_t* image)
{
    return inRangeOr(img::getI32(image, img::timeZone), -12, 12, DEFAULT_TIME_ZONE);
}

int shownLongitude(const uint8_t* image)
{
    return inRangeOr(img::getI32(image, img::longitude), -180, 180, DEFAULT_LONGITUDE);
}

int shownLatitude(const uint8_t* image)
{
    return inRangeOr(img::getI32(image, img::latitude), -60, 60, DEFAULT_LATITUDE);
}

bool needsRepair(const uint8_t* image)
{
    for (const uint32_t at : {img::extPanelsEnable, img::dmxInProgramming}) {
        const uint16_t stored = img::getU16(image, at);
        if (shownSwitch(stored) != stored)
            return true;
    }
    return shownTimeZone(image) != img::getI32(image, img::timeZone)
        || shownLongitude(image) != img::getI32(image, img::longitude)
        || shownLatitude(image) != img::getI32(image, img::latitude);
}

void repair(uint8_t* image)
{
    for (const uint32_t at : {img::extPanelsEnable, img::dmxInProgramming})
        img::putU16(image, at, shownSwitch(img::getU16(image, at)));
    img::putI32(image, img::timeZone, shownTimeZone(image));
    img::putI32(image, img::longitude, shownLongitude(image));
    img::putI32(image, img::latitude, shownLatitude(image));
}

}  // namespace generalSettingsRules
