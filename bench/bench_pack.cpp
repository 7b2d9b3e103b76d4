// Packs and unpacks the full sample show: 512 programs with 8192 steps in
// all and every event id with actions (8190 action records). Prints the time of one
// pack and one unpack of programs and events together.

#include "model/config_image.h"
#include "model/kv310_controller.h"
#include "model/time_codes.h"
#include "support/sample_show.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    kv310_controller_class c;
    sampleShow::build(c, sampleShow::full);

    constexpr int rounds = 50;
    QElapsedTimer timer;
    qint64 packNs = 0, unpackNs = 0;
    for (int i = 0; i < rounds; ++i) {
        timer.start();
        const int programs = c.programs.packPrograms(c.configImage);
        const int events = c.events.packEvents(c.configImage);
        packNs += timer.nsecsElapsed();
        if (programs < 0 || events < 0) {
            std::fprintf(stderr, "the show does not fit the image\n");
            return 1;
        }
        timer.start();
        c.programs.unpackPrograms(c.configImage);
        c.events.unpackEvents(c.configImage);
        unpackNs += timer.nsecsElapsed();
    }
    int steps = 0, actions = 0;
    for (int P = 0; P < img::PROGRAM_SLOTS; ++P)
        steps += std::max(c.programs.stepCount(P), 0);
    for (int id = 0; id < EVENT_COUNT; ++id)
        actions += std::max(c.events.actionCount(id), 0);
    std::printf("show: %d programs, %d steps, %d actions\n", c.programs.count(), steps, actions);
    std::printf("pack:   %.3f ms\n", double(packNs) / rounds / 1e6);
    std::printf("unpack: %.3f ms\n", double(unpackNs) / rounds / 1e6);
    return 0;
}
