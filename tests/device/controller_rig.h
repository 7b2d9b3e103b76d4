#pragma once

#include "support/fake_main_window.h"
#include "seams/gui_base.h"
#include "simulator/sim_controller.h"
#include "transport/device_factory.h"
#include "transport/t_threadDevice.h"
#include "model/kv310_controller.h"

#include <QSignalSpy>
#include <QtEndian>

#include <memory>

inline const QString rigSerial = QStringLiteral("01D30001-0001");

// A controller object whose device sits on its own simulated bus with one
// controller. The test class installs the virtual clock.
struct controllerRig {
    explicit controllerRig(int typeWord = TYPE_WORD_CURRENT, const QString& serial = rigSerial)
    {
        sim = &bus.addController(serial, typeWord);
        installUsbBackend(&bus);
        controller = std::make_unique<kv310_controller_class>();
        installUsbBackend(nullptr);
        status = std::make_unique<QSignalSpy>(controller.get(), &kv310_controller_class::setConnectionStatus);
    }

    // Connects, then forgets what the connection did on the bus and in the spy.
    bool connect()
    {
        controller->setConnection(true);
        sim->log.clear();
        status->clear();
        return controller->connected == 1;
    }

    // The status signals emitted, in order.
    QList<bool> statusSignals() const
    {
        QList<bool> out;
        for (const QList<QVariant>& args : std::as_const(*status))
            out.append(args.at(0).toBool());
        return out;
    }

    // The controller is disconnected and told the user interface so exactly once.
    bool droppedOnce() const
    {
        return controller->connected == 0 && !controller->device->isConnected() && statusSignals() == QList<bool>{false};
    }

    simBus bus;
    simController* sim = nullptr;
    std::unique_ptr<kv310_controller_class> controller;
    std::unique_ptr<QSignalSpy> status;
};

// Counts the debug lines equal to one text, while passing every message on
// to the handler installed before (QTest's, so ignoreMessage keeps working).
class debugLineCounter {
public:
    explicit debugLineCounter(const char* text)
    {
        watched = text;
        count = 0;
        previous = qInstallMessageHandler(&debugLineCounter::handle);
    }
    ~debugLineCounter() { qInstallMessageHandler(previous); }
    int seen() const { return count; }

private:
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& message)
    {
        if (message == QLatin1String(watched))
            ++count;
        if (previous)
            previous(type, context, message);
    }
    static inline const char* watched = nullptr;
    static inline int count = 0;
    static inline QtMessageHandler previous = nullptr;
};

// The main window as the clock page's hooks see it: it records what it is shown.
class publishedMainWindow final : public fakeMainWindow {
public:
    publishedMainWindow() { theMainWindow = this; }
};
