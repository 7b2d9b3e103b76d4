#include "link_clock.h"

#include <QElapsedTimer>
#include <QThread>

linkClock::~linkClock() = default;

namespace {

class realClock final : public linkClock {
public:
    realClock() { timer.start(); }
    qint64 nowMs() override { return timer.elapsed(); }
    void sleepMs(int ms) override { QThread::msleep(ms); }

private:
    QElapsedTimer timer;
};

linkClock* installed = nullptr;

} // namespace

linkClock& theLinkClock()
{
    static realClock real;
    return installed ? *installed : static_cast<linkClock&>(real);
}

void installLinkClock(linkClock* clock)
{
    installed = clock;
}
