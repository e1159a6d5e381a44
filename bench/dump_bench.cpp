// Cost of zvtGetCpuidDump against its floor, the same CPUID instructions in a bare loop in the same run,
// and of its affinity switch: the calling thread's processor (no switch), the processor the thread is
// pinned to (a switch without a move), and another processor (a move there and back).
// Usage: dump_bench [iterations]
#include <windows.h>

#include <algorithm>
#include <cpuid.h>
#include <cstdio>
#include <cstdlib>
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

// The four are timed in turn within each iteration, so that a load that comes and goes (the machine is
// shared) weighs on all alike; the medians are printed.
int main(int argc, char** argv)
{
    const int iterations = zvt::bench::RoundsArgument(argc, argv, 2000);
    const zvt::CZavsysLibrary library;
    if (!zvt::bench::IsUsable(library))
    {
        return 1;
    }
    SetThreadAffinityMask(GetCurrentThread(), 1);
    std::vector<unsigned char> bytes(ZVT_CPUID_DUMP_SIZE(ZVT_CPUID_DUMP_MAX_ENTRIES));
    auto* dump = reinterpret_cast<ZVT_CPUID_DUMP*>(bytes.data());
    const auto call = [&](std::int32_t processor) {
        dump->size = static_cast<std::uint32_t>(bytes.size());
        return library.m_pfnGetCpuidDump(dump, processor);
    };
    if (call(ZVT_PROCESSOR_CURRENT) != ZVT_OK)
    {
        std::printf("zvtGetCpuidDump failed\n");
        return 1;
    }
    const std::vector<ZVT_CPUID_ENTRY> entries(dump->entries, dump->entries + dump->count);
    const bool twoProcessors = call(1) == ZVT_OK;
    std::vector<double> floorUs, currentUs, sameUs, otherUs;
    for (int i = 0; i < iterations; ++i)
    {
        floorUs.push_back(Microseconds([&] {
            for (const ZVT_CPUID_ENTRY& entry : entries)
            {
                unsigned a = 0, b = 0, c = 0, d = 0;
                __cpuid_count(entry.leaf, entry.subleaf, a, b, c, d);
                sink = a ^ b ^ c ^ d;
            }
        }));
        currentUs.push_back(Microseconds([&] { call(ZVT_PROCESSOR_CURRENT); }));
        sameUs.push_back(Microseconds([&] { call(0); }));
        otherUs.push_back(twoProcessors ? Microseconds([&] { call(1); }) : 0);
    }
    const double floor = Median(floorUs);
    const double current = Median(currentUs);
    std::printf("zvtGetCpuidDump, median of %d: %u CPUID floor %.2f us; processor -1 (current) %.2f us "
                "(%+.1f%%); processor 0 (pinned there) %.2f us (switch %+.2f us); processor 1 %.2f us (move "
                "there and back %+.2f us)\n",
                iterations, static_cast<unsigned>(entries.size()), floor, current,
                (current / floor - 1) * 100, Median(sameUs), Median(sameUs) - current, Median(otherUs),
                Median(otherUs) - current);
    return 0;
}
