// Clearing: the construction of a controller object (which clears its image
// whole, as every scratch copy does), a whole clear of a full show and a
// clear of one category with every table packed and rebuilt. Prints the
// time of one of each.

#include "bench_timing.h"

#include "model/clear_flags.h"
#include "model/kv310_controller.h"

#include <QCoreApplication>
#include <cstdio>
#include <memory>

namespace {

void buildShow(kv310_controller_class& c)
{
    for (int P = 0; P < img::PROGRAM_SLOTS; ++P)
        c.programs.setStepCount(P, img::STEP_RECORDS / img::PROGRAM_SLOTS);
    for (int n = 0; n < img::ACTION_RECORDS - 2; ++n) {
        const int id = n % EVENT_COUNT;
        c.events.setNumber(id, c.events.appendAction(id), n % img::SCENES);
    }
    for (int g = 0; g < 15; ++g)
        for (int s = 0; s < 4; ++s)
            c.coupledSceneGroups[size_t(g)].append(uint16_t(g * 100 + s));
}

using benchTiming::msPerRound;

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    constexpr int rounds = 30;

    const double construct = msPerRound(rounds, [] { std::make_unique<kv310_controller_class>(); });

    kv310_controller_class c;
    const double whole = msPerRound(rounds, [&c] {
        buildShow(c);
        c.ClearConfig(CLEAR_ALL);
    });
    const double build = msPerRound(rounds, [&c] {
        buildShow(c);
        c.programs.clear();
        c.events.clear();
        for (auto& g : c.coupledSceneGroups)
            g.clear();
    });

    buildShow(c);
    const double one = msPerRound(rounds, [&c] { c.ClearConfig(CLEAR_MASKS); });

    std::printf("construct:            %.3f ms\n", construct);
    std::printf("clear whole show:     %.3f ms\n", whole - build);
    std::printf("clear one category:   %.3f ms\n", one);
    return 0;
}
