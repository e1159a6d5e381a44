/* Compiled as strict C99 and C11 in every build: zavsys.h, zavsys_features.h, zavsys_topology.h and
   zavsys_caches.h must stay usable from C, and twice over. */
#include <string.h>

#include "zavsys.h"
#include "zavsys_caches.h"
#include "zavsys_features.h"
#include "zavsys_topology.h"
#include "zavsys_uarch.h"

#define ZVT_LABEL_ROW(mask, label) {mask, label},

static const struct
{
    uint32_t mask;
    const char* label;
} featureLabels[] = {ZVT_FEATURE_LABELS(ZVT_LABEL_ROW)};

ZVT_STATIC_ASSERT(sizeof featureLabels / sizeof featureLabels[0] == ZVT_FEATURE_LABEL_COUNT,
                  "one label per feature bit");

/* Every pointer type a C caller binds with GetProcAddress, with the records it passes. */
struct ZvtBoundExports
{
    PFN_zvtGetIdentity getIdentity;
    PFN_zvtGetInformation getInformation;
    PFN_zvtGetWindowsVersion getWindowsVersion;
    PFN_zvtIsWow64 isWow64;
    PFN_zvtGetFileVersion getFileVersion;
    PFN_zvtGetTemporaryFileName getTemporaryFileName;
};

int ZvtHeaderCheckLabel(uint32_t features, char* out, size_t capacity);

int ZvtHeaderCheckLabel(uint32_t features, char* out, size_t capacity)
{
    size_t i;
    int count = 0;
    ZVT_CPU_INFORMATION information;
    memset(&information, 0, sizeof information);
    information.size = ZVT_INFORMATION_SIZE;
    information.features = features;
    out[0] = '\0';
    for (i = 0; i < sizeof featureLabels / sizeof featureLabels[0]; ++i)
    {
        if ((information.features & featureLabels[i].mask) != 0 && strlen(out) + 8 < capacity)
        {
            strcat(out, featureLabels[i].label);
            strcat(out, " ");
            ++count;
        }
    }
    return count;
}

int ZvtHeaderCheckFlags(const ZVT_CPU_IDENTITY* identity, char* out, size_t capacity);

/* The flag names of a record, then its level and what the next one lacks: every call a C caller makes. */
int ZvtHeaderCheckFlags(const ZVT_CPU_IDENTITY* identity, char* out, size_t capacity)
{
    ZVT_FLAG_SET flags;
    ZVT_CACHES caches;
    int missing[ZVT_LEVEL_MAX_MISSING];
    int index;
    int32_t physicalBits;
    int32_t linearBits;
    uint64_t xcr0;
    const int level = zvtGetLevel(identity);
    out[0] = '\0';
    zvtReadFlags(identity, &flags);
    for (index = 0; index < ZVT_FLAG_COUNT; ++index)
    {
        const ZVT_FLAG_ROW* row = zvtGetFlagRow(index);
        if (zvtFlagSetHas(&flags, row->flag) && strlen(out) + strlen(row->name) + 2 < capacity)
        {
            strcat(out, row->name);
            strcat(out, " ");
        }
    }
    (void)zvtGetMissingForLevel(identity, level + 1, missing, ZVT_LEVEL_MAX_MISSING);
    (void)zvtGetCaches(identity, &caches);
    (void)zvtGetAddressSizes(identity, &physicalBits, &linearBits);
    (void)zvtReadXcr0(&xcr0);
    return zvtHasFlag(identity, ZVT_FLAG_HYPERVISOR) + zvtFindFlag("avx2") + level +
           zvtGetEnabledLevel(identity, xcr0) + (zvtGetFlagName(ZVT_FLAG_SSE4_1) != NULL) +
           (zvtGetLevelName(level) != NULL);
}

int ZvtHeaderCheckTopology(const ZVT_CPUID_DUMP* const* dumps, size_t count, ZVT_TOPOLOGY* processors);

/* Every processor's topology, then the machine's: the calls a C caller makes. */
int ZvtHeaderCheckTopology(const ZVT_CPUID_DUMP* const* dumps, size_t count, ZVT_TOPOLOGY* processors)
{
    size_t i;
    ZVT_MACHINE_TOPOLOGY machine;
    for (i = 0; i < count; ++i)
    {
        const ZVT_CPUID_VIEW view = zvtViewOfDump(dumps[i]);
        (void)zvtGetTopology(&view, &processors[i]);
    }
    return zvtGetMachineTopology(processors, count, &machine) +
           (zvtGetTopologyMethodName(processors[0].method) != NULL) +
           (zvtGetCoreTypeName(processors[0].coreType) != NULL);
}

size_t ZvtHeaderCheckCaches(const ZVT_CPUID_DUMP* dump, ZVT_CACHE_DESCRIPTION* caches, uint32_t* status);

/* Every cache of a dump's processor: the call a C caller makes. */
size_t ZvtHeaderCheckCaches(const ZVT_CPUID_DUMP* dump, ZVT_CACHE_DESCRIPTION* caches, uint32_t* status)
{
    const ZVT_CPUID_VIEW view = zvtViewOfDump(dump);
    return zvtDescribeCaches(&view, caches, ZVT_CACHE_LIST_MAX, status) + (zvtCacheLeaf2Row(0x2Cu) != NULL);
}

int ZvtHeaderCheckFeatureView(const ZVT_CPUID_DUMP* dump, char* out, size_t capacity);

/* Every flag of a dump's processor, those it cannot tell, what XCR0 must enable, and AVX10: the calls a C
   caller makes of a view. */
int ZvtHeaderCheckFeatureView(const ZVT_CPUID_DUMP* dump, char* out, size_t capacity)
{
    const ZVT_CPUID_VIEW view = zvtViewOfDump(dump);
    const ZVT_CPUID_ENTRY* entry = NULL;
    ZVT_FLAG_SET flags;
    ZVT_FLAG_SET known;
    ZVT_AVX10 avx10;
    uint64_t xcr0 = 0;
    uint32_t value = 0;
    uint32_t leaf = 0;
    uint32_t subleaf = 0;
    size_t offset = 0;
    int index;
    const int unknown = zvtReadFlagsFromView(&view, &flags, &known);
    out[0] = '\0';
    (void)zvtReadXcr0(&xcr0);
    for (index = 0; index < ZVT_FLAG_COUNT; ++index)
    {
        const ZVT_FLAG_ROW* row = zvtGetFlagRow(index);
        if (zvtIsFlagUsable(&flags, row->flag, xcr0) && strlen(out) + strlen(row->name) + 2 < capacity)
        {
            strcat(out, row->name);
            strcat(out, " ");
        }
    }
    return unknown + zvtViewHasFlag(&view, ZVT_FLAG_AVX512_BF16) + zvtViewKnowsFlag(&view, ZVT_FLAG_XSAVES) +
           zvtViewKnowsFlagWord(&view, ZVT_WORD_7_2_EDX) + zvtGetViewWord(&view, ZVT_WORD_6_EAX, &value) +
           zvtGetAvx10(&view, &avx10) + zvtFindViewEntry(&view, 0x24u, 0u, &entry) +
           zvtGetFlagWordSource(ZVT_WORD_D_1_EAX, &leaf, &subleaf, &offset) +
           (zvtGetFlagXcr0Needs(ZVT_FLAG_AMX_TILE) == ZVT_XCR0_TILE_STATE);
}
