#pragma once

#include "transport/link_clock.h"

// Installs itself as the link clock for its lifetime. Time only moves when the
// code under test waits, so every poll count and time-out runs at once.
class virtualClock final : public linkClock {
public:
    virtualClock() { installLinkClock(this); }
    ~virtualClock() override { installLinkClock(nullptr); }

    qint64 nowMs() override { return now; }
    void sleepMs(int ms) override
    {
        now += ms;
        ++sleeps;
        slept += ms;
    }

    qint64 now = 0;
    int sleeps = 0;     // number of waits
    qint64 slept = 0;   // total waited ms
};
