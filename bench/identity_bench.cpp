// Cost of the processor exports against their floor: the same number of CPUID instructions in a bare loop,
// in the same run. Also prints one 500 ms frequency measurement. Usage: identity_bench [iterations]
#include <windows.h>

#include <cpuid.h>
#include <cstdio>
#include <cstdlib>

#include "BenchLibrary.h"
#include "BenchTimer.h"
#include "ZavsysLibrary.h"

namespace
{

using zvt::bench::MicrosecondsPerCall;

// The leaves the reading rule executes, in order: 0..highest basic (at most 64), the extended probe, and
// 0x80000000..highest extended (at most 64) when there is more than leaf 0x80000000.
unsigned LeavesOfOneReading(unsigned (&leaves)[129])
{
    unsigned a = 0, b = 0, c = 0, d = 0;
    unsigned count = 0;
    __cpuid_count(0, 0, a, b, c, d);
    for (unsigned leaf = 0; leaf <= a && leaf < 64; ++leaf)
    {
        leaves[count++] = leaf;
    }
    leaves[count++] = 0x80000000u;
    __cpuid_count(0x80000000u, 0, a, b, c, d);
    for (unsigned leaf = 0x80000000u; a > 0x80000000u && leaf <= a && leaf - 0x80000000u < 64; ++leaf)
    {
        leaves[count++] = leaf;
    }
    return count;
}

volatile unsigned sink;

} // namespace

int main(int argc, char** argv)
{
    const int iterations = zvt::bench::RoundsArgument(argc, argv, 2000);
    const zvt::CZavsysLibrary library;
    if (!zvt::bench::IsUsable(library))
    {
        return 1;
    }
    SetThreadAffinityMask(GetCurrentThread(), 1);
    unsigned leafList[129] = {};
    const unsigned leaves = LeavesOfOneReading(leafList);
    ZVT_CPU_INFORMATION information{};
    ZVT_CPU_IDENTITY identity{};
    double best[3] = {1e30, 1e30, 1e30}; // the least disturbed round of each
    for (int round = 0; round < 5; ++round)
    {
        const double floorUs = MicrosecondsPerCall(iterations, [&] {
            for (unsigned i = 0; i < leaves; ++i)
            {
                unsigned a = 0, b = 0, c = 0, d = 0;
                __cpuid_count(leafList[i], 0, a, b, c, d);
                sink = a ^ b ^ c ^ d;
            }
        });
        const double informationUs = MicrosecondsPerCall(iterations, [&] {
            information.size = ZVT_INFORMATION_SIZE;
            library.m_pfnGetInformation(&information, 0);
        });
        const double identityUs = MicrosecondsPerCall(iterations, [&] {
            identity.size = ZVT_IDENTITY_SIZE;
            library.m_pfnGetIdentity(&identity, 0, nullptr, 0);
        });
        std::printf("round %d: %u CPUID floor %.2f us; zvtGetInformation %.2f us (%+.1f%%); "
                    "zvtGetIdentity %.2f us (%+.1f%%)\n",
                    round, leaves, floorUs, informationUs, (informationUs / floorUs - 1) * 100, identityUs,
                    (identityUs / floorUs - 1) * 100);
        best[0] = floorUs < best[0] ? floorUs : best[0];
        best[1] = informationUs < best[1] ? informationUs : best[1];
        best[2] = identityUs < best[2] ? identityUs : best[2];
    }
    std::printf(
        "best: floor %.2f us; zvtGetInformation %.2f us (%+.1f%%); zvtGetIdentity %.2f us (%+.1f%%)\n",
        best[0], best[1], (best[1] / best[0] - 1) * 100, best[2], (best[2] / best[0] - 1) * 100);
    information.size = ZVT_INFORMATION_SIZE;
    library.m_pfnGetInformation(&information, 500);
    std::printf("frequency over 500 ms: %.2f MHz\n", static_cast<double>(information.frequency));
    return 0;
}
