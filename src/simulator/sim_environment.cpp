#include "sim_environment.h"

#include "simulator/sim_controller.h"
#include "transport/device_factory.h"

#include <QDateTime>
#include <QtGlobal>

namespace {
simBus* environmentBus = nullptr;
}

bool installSimulatedBusFromEnvironment()
{
    if (qgetenv("KVORBIT_SIMULATED_CONTROLLER") != "1")
        return false;
    if (!environmentBus) {
        // Lives until the program ends: every device made from now on is on it.
        static simBus bus;
        simController& controller = bus.addController(QStringLiteral("01D30310-0001"), TYPE_WORD_CURRENT);
        // The program shows the controller's clock: let it start at the desk's time.
        controller.setClock(QDateTime::currentDateTime(), false);
        environmentBus = &bus;
    }
    installUsbBackend(environmentBus);
    return true;
}

simBus* environmentSimulatedBus()
{
    return environmentBus;
}
