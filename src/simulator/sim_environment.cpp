#include "sim_environment.h"

#include "simulator/sim_controller.h"
#include "transport/device_factory.h"

#include <QDateTime>
#include <QtGlobal>

namespace {
simBus* environmentBus = nullptr;

// 0..255 and back in `period` tenths of a second.
int triangle(qint64 tenths, int period)
{
    const int phase = int(tenths % period);
    const int half = period / 2;
    return (phase < half ? phase : period - phase) * 255 / half;
}

// What a controller running a show reports to the monitor at this moment of
// the desk's clock: a few inputs switching, a desk fader moving on the DMX
// input, a chase on the output (unless the user drives it live or the input
// passes through) and scenes, a program, a mask and a delay running.
void playDemonstrationShow(simController& c)
{
    const qint64 t = QDateTime::currentMSecsSinceEpoch() / 100;
    c.inputLevels = 0x000204u | (t / 20 % 2 ? 0x1u : 0u) | (t / 30 % 2 ? 0x800000u : 0u);
    if (c.dmxInput.size() < 512)
        c.dmxInput = QByteArray(512, '\0');
    for (int ch = 0; ch < 12; ++ch)
        c.dmxInput[ch] = char(triangle(t + 4 * ch, 80));
    c.dmxInput[99] = char(255);
    if (c.dmxTransparency) {
        // Transparency passes the DMX input through to the output.
        c.output = c.dmxInput;
    } else if (c.workingMode() != MODE_LIVE && c.output.size() >= 512) {
        for (int ch = 0; ch < 24; ++ch)
            c.output[ch] = char(triangle(t + 3 * ch, 60));
    }
    simInternalStates& s = c.internalStates;
    s = simInternalStates();
    s.setState(1, true);
    s.setState(5, true);
    s.setState(t / 50 % 2 ? 12 : 13, true);
    s.scenes = {0, 4, uint16_t(10 + t / 20 % 16)};
    s.programs = {{0, uint16_t(t / 10 % 12)}, {3, 0}};
    s.masks = {2};
    s.delays = {uint16_t(t / 30 % 5)};
}

}  // namespace

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
        // The monitor windows watch a running show.
        simController* running = &controller;
        controller.monitorDataReading = [running] { playDemonstrationShow(*running); };
        environmentBus = &bus;
    }
    installUsbBackend(environmentBus);
    return true;
}

simBus* environmentSimulatedBus()
{
    return environmentBus;
}
