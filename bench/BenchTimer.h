// Timing for the benchmark programs: the performance counter, and the mean time of a repeated call.
#pragma once

#include <windows.h>

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

} // namespace zvt::bench
