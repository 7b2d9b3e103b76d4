#pragma once

#include <QtGlobal>

// Every wait of the device link goes through this clock, so tests run the
// poll counts and time-outs on virtual time, at once.
class linkClock {
public:
    virtual ~linkClock();
    // Monotonic milliseconds.
    virtual qint64 nowMs() = 0;
    // Blocks the calling thread (or advances virtual time) by ms.
    virtual void sleepMs(int ms) = 0;
};

// The clock in force; the real one unless a test installed another.
linkClock& theLinkClock();
// Installs a clock (not owned); null restores the real clock.
void installLinkClock(linkClock* clock);

// QElapsedTimer on the link clock.
class linkTimer {
public:
    void start() { startMs = theLinkClock().nowMs(); }
    qint64 elapsed() const { return theLinkClock().nowMs() - startMs; }

private:
    qint64 startMs = 0;
};
