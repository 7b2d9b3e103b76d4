#pragma once

#include "app/gui_class.h"
#include "app/right_panel_widget.h"
#include "seams/gui_base.h"
#include "simulator/sim_controller.h"
#include "transport/device_factory.h"
#include "model/globals.h"
#include "model/kv310_controller.h"
#include "model/v_project.h"

#include "support/dialog_recorder.h"
#include "support/virtual_clock.h"

#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <memory>

inline const QString programRigSerial = QStringLiteral("01D30310-0001");

// The program's objects as main makes them, on a simulated bus with one
// controller: the controller object first, then the visual project, then the
// main window with its pages and right-hand panel (unless the test leaves
// the windows to the program's own start-up loop). They go in the reverse
// order. The test class installs the virtual clock and the dialog recorder.
struct programRig {
    explicit programRig(int typeWord = TYPE_WORD_CURRENT, bool withWindow = true)
    {
        channelCount = 512;
        sim = &bus.addController(programRigSerial, typeWord);
        installUsbBackend(&bus);
        controller = std::make_unique<kv310_controller_class>();
        installUsbBackend(nullptr);
        theController = controller.get();
        project = std::make_unique<v_project>();
        theVisualProject = project.get();
        if (!withWindow)
            return;
        window = std::make_unique<gui_class>(controller.get(), nullptr);
        theMainWindow = window.get();
    }

    ~programRig()
    {
        window.reset();
        theMainWindow = nullptr;
        theVisualProject = nullptr;
        project.reset();
        theController = nullptr;
        controller.reset();
    }

    right_panel_widget* panel() const { return window->rightPanel; }

    // Clicks "Connect with device"; true when the controller is connected.
    bool connect()
    {
        window->rightPanel->connectButton->click();
        return controller->isConnected();
    }

    simBus bus;  // outlives the controller's device, which is made on it
    simController* sim = nullptr;
    std::unique_ptr<kv310_controller_class> controller;
    std::unique_ptr<v_project> project;
    std::unique_ptr<gui_class> window;
};

// One test's world: a fresh working directory (language, report and
// configuration files land there), virtual time, the dialog recorder and the
// program's objects; torn down in the reverse order.
struct programSession {
    explicit programSession(bool withWindow = true)
        : previousDirectory(QDir::currentPath())
    {
        QDir::setCurrent(dir.path());
        rig = std::make_unique<programRig>(TYPE_WORD_CURRENT, withWindow);
    }
    ~programSession()
    {
        rig.reset();
        QDir::setCurrent(previousDirectory);
    }

    QTemporaryDir dir;
    QString previousDirectory;
    virtualClock clock;
    dialogRecorder rec;
    std::unique_ptr<programRig> rig;
};
