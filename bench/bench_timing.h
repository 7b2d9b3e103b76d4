#pragma once

// How the benchmarks time their work, in milliseconds of wall time.

#include <QElapsedTimer>

#include <algorithm>
#include <functional>
#include <vector>

namespace benchTiming {

// One run of `work`.
inline double milliseconds(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

// The mean of `rounds` runs of `f`, timed together so that a run far shorter
// than the timer's resolution still counts.
template <typename F>
double msPerRound(int rounds, F&& f)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < rounds; ++i)
        f();
    return double(timer.nsecsElapsed()) / rounds / 1e6;
}

inline double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The median of `runs` runs of work(i); prepare(i), when given, goes before
// each run and is not timed.
inline double timeOf(int runs, const std::function<void(int)>& work, const std::function<void(int)>& prepare = {})
{
    std::vector<double> times;
    times.reserve(size_t(runs));
    for (int i = 0; i < runs; ++i) {
        if (prepare)
            prepare(i);
        times.push_back(milliseconds([&] { work(i); }));
    }
    return median(std::move(times));
}

// The median of `runs` runs of `work`.
inline double medianOf(int runs, const std::function<void()>& work)
{
    return timeOf(runs, [&](int) { work(); });
}

// The shortest of `runs` runs of `work`.
inline double bestOf(int runs, const std::function<void()>& work)
{
    double best = -1;
    for (int i = 0; i < runs; ++i) {
        const double ms = milliseconds(work);
        if (best < 0 || ms < best)
            best = ms;
    }
    return best;
}

} // namespace benchTiming
