#include "kv310_controller.h"

#include <cstring>

namespace {

constexpr int FIRST_TIMER = 2;  // records 0 and 1 are sunrise and sunset
constexpr uint16_t LAST_TIMER_ID = EVENT_TIMER + img::TIMER_RECORDS - 1;

timerRecord freeTimer()
{
    return timerRecord{0xFFFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
}

bool undated(const timerRecord& t)
{
    return t.year == 0xFF && t.month == 0xFF && t.day == 0xFF && t.dayOfWeek == 0xFF && t.hour == 0xFF
           && t.minute == 0xFF;
}

} // namespace

void kv310_controller_class::packTimers()
{
    uint8_t* image = configImage;
    timerTable[0].write(image + img::timersOf(0));
    timerTable[1].write(image + img::timersOf(1));

    int record = FIRST_TIMER;
    for (int i = FIRST_TIMER; i < img::TIMER_RECORDS; ++i) {
        timerRecord& t = timerTable[size_t(i)];
        if (events.actionCount(EVENT_TIMER + i) > 0)
            t.eventId = uint16_t(EVENT_TIMER + i);
        else if (undated(t) && t.eventId >= EVENT_TIMER)
            t = freeTimer();
        // A timer stays in use once tagged while it has a date or a time,
        // even without actions.
        if (t.eventId <= LAST_TIMER_ID)
            t.write(image + img::timersOf(record++));
    }
    std::memset(image + img::timersOf(record), 0xFF, size_t(img::TIMER_RECORDS - record) * sizeof(timerRecord));
}

void kv310_controller_class::unpackTimers()
{
    const uint8_t* image = configImage;
    timerTable.fill(freeTimer());

    if (img::getU16(image, img::sunEvents) != 0xFFFF) {
        if (events.actionCount(EVENT_SUNRISE) > 0)
            timerTable[0].eventId = EVENT_SUNRISE;
        if (events.actionCount(EVENT_SUNSET) > 0)
            timerTable[1].eventId = EVENT_SUNSET;
    }
    for (int r = FIRST_TIMER; r < img::TIMER_RECORDS; ++r) {
        const timerRecord t = timerRecord::read(image + img::timersOf(r));
        if (undated(t) && t.eventId >= EVENT_TIMER)
            continue;
        if (t.eventId >= EVENT_TIMER && t.eventId <= LAST_TIMER_ID)
            timerTable[size_t(t.eventId - EVENT_TIMER)] = t;
    }
    for (int i = FIRST_TIMER; i < img::TIMER_RECORDS; ++i)
        if (events.actionCount(EVENT_TIMER + i) > 0)
            timerTable[size_t(i)].eventId = uint16_t(EVENT_TIMER + i);
}
