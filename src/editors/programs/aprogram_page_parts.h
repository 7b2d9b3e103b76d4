#pragma once

// What the files of the program page share (the page is built and served
// by aprogram_settings_widget.cpp and, one tool each, by the files of the
// "Groupped Steps", "Copying" and extra-entries tools). Not for other code.

#include "model/globals.h"
#include "model/kv310_controller.h"

namespace programPage {

// The page keeps no copy of the show: it works on the controller published.
inline kv310_controller_class& controller()
{
    return *theController;
}

}  // namespace programPage
