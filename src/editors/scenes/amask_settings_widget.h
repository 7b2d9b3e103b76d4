#pragma once

#include "editors/scenes/arecord_settings_widget.h"

class kv310_controller_class;

// The "Masks" page of the main window: the 256 masks edited as the scene
// page edits scenes, with the mask rules of the page base (list colours by
// band, "Clear whole mask" to 255, the time rule on the duration only, copies
// that keep the destination's duration). Masks do not go live.
class amask_settings_widget : public arecord_settings_widget {
    Q_OBJECT
public:
    amask_settings_widget(kv310_controller_class* controller, QWidget* parent);

    pageListView*& maskList = recordList;  // one row per mask
};
