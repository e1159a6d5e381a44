// Cost of decoding an identity record with zavsys_features.h against one CPUID instruction, on the
// processor running it: the full flag set, every flag's name listed, the level with what the next lacks.
// Best of 9 rounds. Usage: features_bench [iterations]
#include <chrono>
#include <cpuid.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "CpuidDump.h"
#include "CpuidTables.h"
#include "zavsys_caches.h"
#include "zavsys_features.h"
#include "zavsys_topology.h"

namespace
{

volatile unsigned sink;

// Keeps the compiler from deciding the loop's work once for all iterations.
template <typename T> void Touch(T& value)
{
    __asm__ __volatile__("" : : "g"(&value) : "memory");
}

template <typename Body> double NanosecondsPerCall(int iterations, Body body)
{
    double best = 1e30;
    for (int round = 0; round < 9; ++round)
    {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < iterations; ++i)
        {
            body();
        }
        const std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - start;
        best = elapsed.count() / iterations < best ? elapsed.count() / iterations : best;
    }
    return best;
}

} // namespace

int main(int argc, char** argv)
{
    const int iterations = argc > 1 ? std::atoi(argv[1]) : 200000;
    ZVT_CPU_IDENTITY identity;
    std::memset(&identity, 0, sizeof identity);
    identity.size = ZVT_IDENTITY_SIZE;
    if (zvt::FillIdentity(zvt::ProcessorCpuid(), identity) != 0)
    {
        std::printf("no CPUID\n");
        return 1;
    }
    const double cpuidNs = NanosecondsPerCall(iterations, [] {
        unsigned a = 0, b = 0, c = 0, d = 0;
        __cpuid_count(1, 0, a, b, c, d);
        sink = a ^ b ^ c ^ d;
    });
    const double flagsNs = NanosecondsPerCall(iterations, [&] {
        ZVT_FLAG_SET flags;
        Touch(identity);
        zvtReadFlags(&identity, &flags);
        Touch(flags);
        sink = flags.words[0];
    });
    const double namesNs = NanosecondsPerCall(iterations, [&] {
        ZVT_FLAG_SET flags;
        Touch(identity);
        zvtReadFlags(&identity, &flags);
        unsigned named = 0;
        for (int index = 0; index < ZVT_FLAG_COUNT; ++index)
        {
            const ZVT_FLAG_ROW* row = zvtGetFlagRow(index);
            named += zvtFlagSetHas(&flags, row->flag) ? static_cast<unsigned char>(row->name[0]) : 0u;
        }
        sink = named;
    });
    const double levelNs = NanosecondsPerCall(iterations, [&] {
        int missing[ZVT_LEVEL_MAX_MISSING];
        Touch(identity);
        const int level = zvtGetLevel(&identity);
        sink = static_cast<unsigned>(level + zvtGetMissingForLevel(&identity, level + 1, missing, 9));
    });
    // A whole dump of this processor: every flag word, every cache and the topology.
    static ZVT_CPUID_ENTRY entries[ZVT_CPUID_DUMP_MAX_ENTRIES];
    ZVT_CPUID_VIEW view{};
    view.entries = entries;
    view.count = zvt::EnumerateCpuidDump(zvt::ProcessorCpuid(), entries, ZVT_CPUID_DUMP_MAX_ENTRIES);
    view.allSubleaves = 1;
    const double dumpNs = NanosecondsPerCall(iterations / 10, [&] {
        ZVT_FLAG_SET flags;
        ZVT_CACHE_DESCRIPTION caches[ZVT_CACHE_LIST_MAX];
        ZVT_TOPOLOGY topology;
        std::uint32_t status = 0;
        Touch(view);
        zvtReadFlagsFromView(&view, &flags, nullptr);
        const std::size_t found = zvtDescribeCaches(&view, caches, ZVT_CACHE_LIST_MAX, &status);
        sink = flags.words[0] + static_cast<unsigned>(found) +
               static_cast<unsigned>(zvtGetTopology(&view, &topology));
    });
    std::printf("whole dump of %u entries decoded (flags, caches, topology) %.1f ns\n",
                static_cast<unsigned>(view.count), dumpNs);
    std::printf("one CPUID instruction %.1f ns; full flag set %.1f ns; every name listed %.1f ns; "
                "level and what the next lacks %.1f ns (%d flags, best of 9 rounds of %d)\n",
                cpuidNs, flagsNs, namesNs, levelNs, ZVT_FLAG_COUNT, iterations);
    return 0;
}
