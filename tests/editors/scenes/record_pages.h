#pragma once

// The scene or the mask page and where its records lie, for tests that run
// the same case on both.

#include "editors/scenes/amask_settings_widget.h"
#include "editors/scenes/ascene_settings_widget.h"
#include "model/config_image.h"
#include "model/kv310_controller.h"

#include <cstdint>
#include <memory>

inline std::unique_ptr<arecord_settings_widget> makePage(bool masks, kv310_controller_class& c, QWidget& tab)
{
    if (masks)
        return std::make_unique<amask_settings_widget>(&c, &tab);
    return std::make_unique<ascene_settings_widget>(&c, &tab);
}

// Image offsets of record r's levels and fadeTimes.
inline uint32_t levelsOf(bool masks, int record)
{
    return masks ? img::maskChannelsOf(record) : img::sceneChannelsOf(record);
}

inline uint32_t timesAt(bool masks, int record)
{
    return masks ? img::maskTimesOf(record) : img::sceneTimesOf(record);
}

inline QString* textsOf(bool masks, kv310_controller_class& c)
{
    return masks ? c.maskDescriptions.data() : c.sceneDescriptions.data();
}
