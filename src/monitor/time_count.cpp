#include "monitor/time_count.h"

#include <chrono>

timeCount_class::timeCount_class() = default;

timeCount_class::~timeCount_class()
{
    // A QThread destroyed while it runs takes the program down with it.
    stop();
}

void timeCount_class::stop()
{
    {
        std::lock_guard<std::mutex> guard(lock);
        stopping = true;
        running = false;
    }
    wake.notify_all();
    wait();
}

bool timeCount_class::pause(int ms)
{
    std::unique_lock<std::mutex> guard(lock);
    return !wake.wait_for(guard, std::chrono::milliseconds(ms), [this] { return stopping; });
}

void timeCount_class::run()
{
    {
        std::lock_guard<std::mutex> guard(lock);
        if (stopping)
            return;
        running = true;
    }
    while (running) {
        while (busy) {
            if (!pause(10))
                return;
        }
        if (!pause(period))
            return;
        busy = true;
        emit overflow();
    }
}
