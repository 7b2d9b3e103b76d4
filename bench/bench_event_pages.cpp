// The event pages with the longest lists: the DMX input page (1024 rows), the
// internal events page (1024 rows), the clock page (1024 rows, every timer's
// settings text rebuilt) and the delay page (512 rows with their times and
// owners). Every change of the selected event
// and every showing of the page rebuilds all rows, so a refresh and a row
// change are printed beside the 16 ms of one screen frame; building is what
// every window rebuild does. Run with QT_QPA_PLATFORM=offscreen.

#include "bench_timing.h"

#include "editors/events/aevents_clock_widget.h"
#include "editors/events/aevents_dlyd_widget.h"
#include "editors/events/aevents_dmx_widget.h"
#include "editors/events/aevents_vkeys_widget.h"
#include "model/events.h"
#include "model/globals.h"
#include "model/kv310_controller.h"

#include <QApplication>
#include <QTableWidget>
#include <cstdio>

namespace {

using benchTiming::msPerRound;

template <typename Page>
void measure(const char* name)
{
    constexpr int rounds = 20;
    QWidget tab;
    const double build = msPerRound(rounds, [&] { Page page(&tab); });
    Page page(&tab);
    const double refresh = msPerRound(rounds, [&] { page.refresh(); });
    int row = 0;
    const double rowChange = msPerRound(rounds, [&] {
        row = (row + 37) % page.eventList->rowCount();
        page.eventList->setCurrentCell(row, 0);
    });
    std::printf("%s\n", name);
    std::printf("  build the page:     %8.2f ms\n", build);
    std::printf("  refresh:            %8.2f ms   (one frame: 16 ms)\n", refresh);
    std::printf("  current row change: %8.2f ms   (one frame: 16 ms)\n", rowChange);
}

}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    kv310_controller_class c;
    theController = &c;
    // Every other event with an action and a description, so that every row
    // takes the longer path.
    for (int id = 0; id < 0x800; id += 2) {
        c.events.appendAction(id);
        c.eventDescriptions[size_t(id)] = QStringLiteral("Description of event %1, long enough to be cut").arg(id);
    }
    measure<aevents_dmx_widget>("DMX input events (1024 rows)");
    measure<aevents_vkeys_widget>("internal events (1024 rows)");
    // Every timer set to a time, half of them with actions; every delay with
    // a time, every other one started and every fourth owned by a sequence.
    for (int i = 2; i < img::TIMER_RECORDS; ++i) {
        timerRecord& t = c.timerTable[size_t(i)];
        t.hour = uint8_t(kv310_controller_class::toBcd(i % 24));
        t.minute = uint8_t(kv310_controller_class::toBcd(i % 60));
        t.dayOfWeek = uint8_t(1 + i % 7);
        if (i % 2 == 0)
            c.events.appendAction(EVENT_TIMER + i);
    }
    for (int d = 0; d < img::DELAYS; ++d) {
        const uint32_t owner = d % 4 == 0 ? uint32_t(d / 4 % img::SEQUENCES) : delayWord::SEQUENCE_FREE;
        img::putU32(c.configImage, img::delaysOf(d), delayWord::make(uint32_t(1 + 997 * d), owner));
        if (d % 2 == 0)
            c.startedDelays.append(uint16_t(d));
    }
    measure<aevents_clock_widget>("clock events (1024 rows)");
    measure<aevents_dlyd_widget>("delay events (512 rows)");
    theController = nullptr;
    return 0;
}
