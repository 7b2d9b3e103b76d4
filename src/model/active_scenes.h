#pragma once

#include "model/config_image.h"

class kv310_controller_class;

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

// The rules of the active scenes that hold for the show whether or not a
// window shows their page: the page follows them as it shows the show, and
// the window applies them at once where they change it.
namespace activeSceneRules {

// Highest start scene and start event the settings offer, as shown (1-based).
constexpr int START_SCENE_LIMIT = 2304;
constexpr int START_EVENT_LIMIT = 1008;
constexpr int SECTORS = 24;
constexpr int RANGES = 16;

// The highest control channel (1-based) the settings offer: the DMX input
// channels in use, and a channel stored above them, which stays offered as
// long as it is stored, so that showing it never moves it.
int controlChannelTop(const uint8_t* image);

// Whether start scene, start event and control channel are all set, as
// stored (the compound pictures can then be edited and applied).
bool allSet(const uint8_t* image);

// Stores the three numbers as the settings show them, where the controller
// cannot take what is stored: a start scene or start event whose scenes or
// events would lie past their tables becomes the highest choice, a control
// channel past the universe the highest channel in use, and internal event 1
// (which the settings cannot offer as a start) not set.
void repairNumbers(uint8_t* image);
bool numbersNeedRepair(const uint8_t* image);

// The DMX input limit became `limit` (stored already): a control channel
// above it moves to its last channel (to none at 0). True when it moved.
bool limitControlChannel(uint8_t* image, int limit);

// The control channel can always set scene and mask phases: its phase-mask
// bit is clear (the DMX input page shows its box locked and ticked).
void unlockControlPhase(uint8_t* image);
bool controlPhaseLocked(const uint8_t* image);

// Both repairs above, the numbers first (the phase is that of the control
// channel they leave): what the show holds that the settings cannot show,
// stored as they show it.
bool needsRepair(const uint8_t* image);
void repair(uint8_t* image);

// Rebuilds the compound pictures from the sectors' scenes in the image;
// without a start scene they stay empty.
void composePictures(kv310_controller_class& c);
bool picturesEmpty(const kv310_controller_class& c);

// What a read of the configuration (from a file or the controller) makes
// of the active scenes: the numbers and the control channel's phase stored
// as the settings show them, and the pictures composed from the scenes read.
void takeRead(kv310_controller_class& c);

}  // namespace activeSceneRules
