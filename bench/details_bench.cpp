// Cost of the whole decoded record against one CPUID instruction: zvtGetProcessorDetails for the calling
// thread's processor and with every processor visited, zvtQueryFlag, and a bare CPUID, timed in turn.
// Usage: details_bench [iterations]
#include <windows.h>

#include <cpuid.h>
#include <cstdio>
#include <vector>

#include "BenchLibrary.h"
#include "BenchTimer.h"
#include "ZavsysLibrary.h"

namespace
{

using zvt::bench::Median;
using zvt::bench::Microseconds;

volatile unsigned sink;

} // namespace

int main(int argc, char** argv)
{
    const int iterations = zvt::bench::RoundsArgument(argc, argv, 1000);
    const zvt::CZavsysLibrary library;
    if (!zvt::bench::IsUsable(library))
    {
        return 1;
    }
    SetThreadAffinityMask(GetCurrentThread(), 1);
    ZVT_PROCESSOR_DETAILS details{};
    const auto call = [&](std::int32_t options) {
        details.size = ZVT_DETAILS_SIZE;
        return library.m_pfnGetProcessorDetails(&details, ZVT_PROCESSOR_CURRENT, options);
    };
    if (call(ZVT_DETAILS_MACHINE) != ZVT_OK)
    {
        std::printf("zvtGetProcessorDetails failed\n");
        return 1;
    }
    std::vector<double> cpuidUs, recordUs, machineUs, queryUs;
    for (int i = 0; i < iterations; ++i)
    {
        cpuidUs.push_back(Microseconds([] {
            unsigned a = 0, b = 0, c = 0, d = 0;
            __cpuid_count(7, 0, a, b, c, d);
            sink = a ^ b ^ c ^ d;
        }));
        recordUs.push_back(Microseconds([&] { call(0); }));
        machineUs.push_back(Microseconds([&] { call(ZVT_DETAILS_MACHINE); }));
        queryUs.push_back(
            Microseconds([&] { sink = static_cast<unsigned>(library.m_pfnQueryFlag("avx2", -1)); }));
    }
    const double cpuid = Median(cpuidUs);
    std::printf(
        "zvtGetProcessorDetails, median of %d: one CPUID %.3f us; the record %.2f us (%.0f CPUIDs); with "
        "all %d processors %.2f us; zvtQueryFlag(\"avx2\") %.2f us\n",
        iterations, cpuid, Median(recordUs), Median(recordUs) / cpuid, details.machine.processors,
        Median(machineUs), Median(queryUs));
    return 0;
}
