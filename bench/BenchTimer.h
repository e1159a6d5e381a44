// Timing for the benchmark programs: the performance counter, the mean time of a repeated call, and the
// median of single calls timed in turn.
#pragma once

#include <windows.h>

#include <algorithm>
#include <vector>

namespace zvt::bench
{

inline double Now()
{
    LARGE_INTEGER frequency, counter;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

template <typename Body> double MicrosecondsPerCall(int iterations, Body body)
{
    const double start = Now();
    for (int i = 0; i < iterations; ++i)
    {
        body();
    }
    return (Now() - start) * 1e6 / iterations;
}

// Microseconds of one run of body.
template <typename Body> double Microseconds(Body body)
{
    const double start = Now();
    body();
    return (Now() - start) * 1e6;
}

inline double Median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace zvt::bench
