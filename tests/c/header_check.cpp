// The public headers as a C++ caller's compiler sees them, with this project's warnings, in every build.
#include <cstddef>
#include <cstdint>

#include "zavsys.h"
#include "zavsys_caches.h"
#include "zavsys_features.h"
#include "zavsys_topology.h"
#include "zavsys_uarch.h"

static_assert(ZVT_FLAG_COUNT > 200, "the flag table is generated from the lists");
static_assert(ZVT_FLAG_AVX2 == ZVT_WORD_7_EBX * 32 + 5, "flag numbers are word * 32 + bit");

int ZvtHeaderCheckCxx(const ZVT_CPU_IDENTITY& identity);

int ZvtHeaderCheckCxx(const ZVT_CPU_IDENTITY& identity)
{
    ZVT_FLAG_SET flags;
    ZVT_CACHES caches;
    int missing[ZVT_LEVEL_MAX_MISSING];
    std::int32_t physicalBits = 0;
    std::int32_t linearBits = 0;
    std::uint64_t xcr0 = 0;
    zvtReadFlags(&identity, &flags);
    const int level = zvtGetLevel(&identity);
    return zvtFlagSetHas(&flags, ZVT_FLAG_SSE2) + zvtHasFlag(&identity, ZVT_FLAG_LM) +
           zvtGetMissingForLevel(&identity, level + 1, missing, ZVT_LEVEL_MAX_MISSING) +
           zvtGetCaches(&identity, &caches) + zvtGetAddressSizes(&identity, &physicalBits, &linearBits) +
           zvtReadXcr0(&xcr0) + zvtGetEnabledLevel(&identity, xcr0) + zvtFindFlag("sha_ni") +
           (zvtGetFlagName(ZVT_FLAG_PNI) != nullptr) + (zvtGetLevelName(level) != nullptr) +
           (zvtGetFlagRow(0) != nullptr);
}

int ZvtHeaderCheckTopologyCxx(const ZVT_CPU_IDENTITY& identity);

int ZvtHeaderCheckTopologyCxx(const ZVT_CPU_IDENTITY& identity)
{
    ZVT_CPUID_ENTRY storage[ZVT_IDENTITY_VIEW_ENTRIES];
    const ZVT_CPUID_VIEW view = zvtViewOfIdentity(&identity, storage);
    ZVT_TOPOLOGY topology;
    ZVT_MACHINE_TOPOLOGY machine;
    return zvtGetTopology(&view, &topology) + zvtGetMachineTopology(&topology, 1, &machine) +
           (zvtGetTopologyMethodName(topology.method) != nullptr) +
           (zvtGetCoreTypeName(topology.coreType) != nullptr);
}

static_assert(sizeof(ZVT_CACHE_DESCRIPTION) == 64 && offsetof(ZVT_CACHE_DESCRIPTION, sourceLeaf) == 16,
              "one cache description is 64 bytes in every width");

std::size_t ZvtHeaderCheckCachesCxx(const ZVT_CPU_IDENTITY& identity);

std::size_t ZvtHeaderCheckCachesCxx(const ZVT_CPU_IDENTITY& identity)
{
    ZVT_CPUID_ENTRY storage[ZVT_IDENTITY_VIEW_ENTRIES];
    ZVT_CACHE_DESCRIPTION caches[ZVT_CACHE_LIST_MAX];
    std::uint32_t status = 0;
    const ZVT_CPUID_VIEW view = zvtViewOfIdentity(&identity, storage);
    return zvtDescribeCaches(&view, caches, ZVT_CACHE_LIST_MAX, &status) + status;
}

static_assert(ZVT_FLAG_AVX512_BF16 == ZVT_WORD_7_1_EAX * 32 + 5,
              "a flag of a later sub-leaf is word * 32 + bit");

int ZvtHeaderCheckFeatureViewCxx(const ZVT_CPU_IDENTITY& identity);

int ZvtHeaderCheckFeatureViewCxx(const ZVT_CPU_IDENTITY& identity)
{
    ZVT_CPUID_ENTRY storage[ZVT_IDENTITY_VIEW_ENTRIES];
    const ZVT_CPUID_VIEW view = zvtViewOfIdentity(&identity, storage);
    ZVT_FLAG_SET flags;
    ZVT_AVX10 avx10;
    std::uint64_t xcr0 = 0;
    (void)zvtReadXcr0(&xcr0);
    const int unknown = zvtReadFlagsFromView(&view, &flags, nullptr);
    return unknown + zvtViewHasFlag(&view, ZVT_FLAG_NPT) + zvtViewKnowsFlag(&view, ZVT_FLAG_AVX_VNNI) +
           zvtIsFlagUsable(&flags, ZVT_FLAG_AVX512F, xcr0) + zvtGetAvx10(&view, &avx10) +
           static_cast<int>(zvtGetFlagXcr0Needs(ZVT_FLAG_APX) >> 19);
}
