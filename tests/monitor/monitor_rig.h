#pragma once

#include "device/controller_rig.h"
#include "support/dialog_recorder.h"
#include "support/fake_main_window.h"
#include "monitor/ctrl_monitor.h"
#include "monitor/pokaz.h"
#include "model/globals.h"
#include "model/v_project.h"

#include <QCoreApplication>
#include <QSpinBox>
#include <QTableWidget>
#include <QEvent>
#include <QStringList>

#include <memory>

// The monitor panel over a connected controller on a simulated bus, with the
// controller and a visual project published, a recording main window and
// the dialog recorder. The pacing thread is set to its longest period, so
// that it stays asleep once a window opens and the tests poll by hand
// (poll()). The test class installs the virtual clock.
struct monitorRig {
    monitorRig()
    {
        theController = rig.controller.get();
        theVisualProject = &project;
        theMainWindow = &window;
        connected = rig.connect();
        panel = std::make_unique<ctrl_monitor>(nullptr);
        panel->refreshSpin->setValue(100);
    }
    ~monitorRig()
    {
        panel.reset();
        settle();
        theMainWindow = nullptr;
        theVisualProject = nullptr;
        theController = nullptr;
    }
    monitorRig(const monitorRig&) = delete;
    monitorRig& operator=(const monitorRig&) = delete;

    // One poll as the pacing thread announces it.
    void poll()
    {
        panel->pollTimer.busy = true;
        panel->reload();
    }

    // Delivers what is queued: the stop slots of closed windows and their deletion.
    static void settle()
    {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // The monitor reads the controller was asked for, in order: "inputs",
    // "output", "input" (DMX values) and "states".
    QStringList reads() const
    {
        QStringList out;
        for (const simLogEntry& e : std::as_const(rig.sim->log)) {
            if (e.kind == MONITOR_READ)
                out << (e.in ? QStringLiteral("inputs") : QStringLiteral("states"));
            else if (e.kind == DMX_MONITOR_READ)
                out << (e.index == DMX_SOURCE_OUTPUT ? QStringLiteral("output") : QStringLiteral("input"));
        }
        return out;
    }

    dialogRecorder rec;
    controllerRig rig;
    v_project project;
    fakeMainWindow window;
    bool connected = false;
    std::unique_ptr<ctrl_monitor> panel;
};
