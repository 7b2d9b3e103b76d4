#pragma once

#include "device/controller_rig.h"
#include "support/dialog_recorder.h"
#include "support/virtual_clock.h"
#include "model/globals.h"

#include <QWidget>

// A settings page's world with a controller on a simulated bus: virtual
// time, the dialog recorder, the controller published as theController and
// a recording main window as theMainWindow, and the tab page the page is
// built on. Torn down in the reverse order.
struct deviceSettingsRig {
    deviceSettingsRig()
    {
        theController = rig.controller.get();
        theMainWindow = &window;
        tab.resize(840, 640);
    }
    ~deviceSettingsRig()
    {
        theMainWindow = nullptr;
        theController = nullptr;
    }
    deviceSettingsRig(const deviceSettingsRig&) = delete;
    deviceSettingsRig& operator=(const deviceSettingsRig&) = delete;

    kv310_controller_class& controller() { return *rig.controller; }
    simController& sim() { return *rig.sim; }

    virtualClock clock;
    dialogRecorder dialogs;
    controllerRig rig;
    fakeMainWindow window;
    QWidget tab;
};
