// Sends the 8 MB configuration image to a simulated controller that answers
// at once (virtual clock, so no status wait sleeps) and reads it back.
// Prints the host time per MB of a whole send and a whole read beside a plain
// memcpy of the image; a transfer should stay under 100 ms on the host.

#include "bench_dialogs.h"

#include "simulator/sim_controller.h"
#include "transport/device_factory.h"
#include "transport/link_clock.h"
#include "model/config_image.h"
#include "model/kv310_controller.h"

#include <QApplication>
#include <QElapsedTimer>
#include <cstdio>
#include <cstring>
#include <memory>

namespace {

class instantClock final : public linkClock {
public:
    qint64 nowMs() override { return now; }
    void sleepMs(int ms) override { now += ms; }
    qint64 now = 0;
};

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    instantClock clock;
    installLinkClock(&clock);
    // Acknowledges every message; the transfers ask nothing else.
    benchDialogs::quietDialogs dialogs;
    installDialogSeam(&dialogs);

    simBus bus;
    simController& sim = bus.addController(QStringLiteral("01D30001-0001"), TYPE_WORD_CURRENT);
    installUsbBackend(&bus);
    kv310_controller_class c;
    for (uint32_t o = img::sceneChannels; o < img::projectArea; o += 4)
        img::putU32(c.configImage, o, o * 2654435761u);
    c.setConnection(true);
    if (!c.connected) {
        std::fprintf(stderr, "no simulated controller\n");
        return 1;
    }

    constexpr int rounds = 10;
    constexpr double megabytes = img::SIZE / double(1 << 20);
    QElapsedTimer timer;
    qint64 sendNs = 0, readNs = 0, copyNs = 0;
    for (int i = 0; i < rounds; ++i) {
        sim.log.clear();
        timer.start();
        c.send_alldata();
        sendNs += timer.nsecsElapsed();
        sim.log.clear();
        timer.start();
        c.read_alldata();
        readNs += timer.nsecsElapsed();
    }
    if (sim.configFramesWritten != rounds * CONFIG_BLOCKS || sim.configFramesRead != rounds * CONFIG_BLOCKS
        || std::memcmp(sim.configFlash.constData(), c.configImage, img::SIZE) != 0) {
        std::fprintf(stderr, "the transfers did not complete\n");
        return 1;
    }
    std::unique_ptr<uint8_t[]> copy(new uint8_t[img::SIZE]);
    for (int i = 0; i < rounds; ++i) {
        timer.start();
        std::memcpy(copy.get(), c.configImage, img::SIZE);
        copyNs += timer.nsecsElapsed();
        c.configImage[i] ^= copy[img::SIZE - 1 - i];
    }

    const auto perMb = [&](qint64 ns) { return double(ns) / rounds / 1e6 / megabytes; };
    const auto whole = [&](qint64 ns) { return double(ns) / rounds / 1e6; };
    std::printf("image: %.0f MB, %d blocks\n", megabytes, CONFIG_BLOCKS);
    std::printf("send:   %7.3f ms per MB, %8.3f ms per transfer\n", perMb(sendNs), whole(sendNs));
    std::printf("read:   %7.3f ms per MB, %8.3f ms per transfer\n", perMb(readNs), whole(readNs));
    std::printf("memcpy: %7.3f ms per MB, %8.3f ms per image\n", perMb(copyNs), whole(copyNs));
    installUsbBackend(nullptr);
    installDialogSeam(nullptr);
    installLinkClock(nullptr);
    return 0;
}
