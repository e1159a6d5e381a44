// zavsys_topology.h - the true topology of logical processors, decoded from their CPUID answers (a
// ZVT_CPUID_VIEW each): threads per core, logical processors per core, module, die and package, cores per
// package, each processor's x2APIC ID split into package, core and thread IDs, and, over all logical
// processors of a machine, the packages, cores and logical processors that are really there, by core type
// on a hybrid processor. Header only, C99/C11 and C++, 32-bit and 64-bit; needs only zavsys_cpuid.h. Nothing
// here executes CPUID or allocates.
//
// Where the numbers come from (ZVT_TOPOLOGY.method), best first:
// - ZVT_TOPOLOGY_LEAF_1F: leaf 0x1F, every level (SMT, core, module, tile, die, die group), then
// - ZVT_TOPOLOGY_LEAF_B: leaf 0xB (SMT, core). Either is used only when it is within the highest basic leaf
//   (leaf 0 EAX), sub-leaf 0 has a level type and a non-zero EBX[15:0] (a hypervisor's zeroed leaf is
//   skipped), the levels rise in type and shift and end with the null level within
//   ZVT_TOPOLOGY_MAX_LEVELS sub-leaves. EBX[15:0] of a level counts the logical processors of the next
//   higher level: the SMT level's is per core, the last level's per package.
// - ZVT_TOPOLOGY_AMD (AuthenticAMD, HygonGenuine): leaf 1 EDX[28] HTT, extended leaf 0x80000008 ECX (NC + 1
//   logical processors per package, ApicIdCoreIdSize) and 0x8000001E EBX[15:8] + 1: threads per core from
//   family 0x17 on, cores per compute unit (module) in family 0x15, where each core has one thread.
// - ZVT_TOPOLOGY_LEGACY: leaf 1 EBX[23:16] logical processors per package under HTT, leaf 4 EAX[31:26] + 1
//   cores. Both are the most addressable IDs, not what is there (a 4-core part may say 16 and 8):
//   ZVT_TOPOLOGY_ADDRESSABLE marks them. Without HTT a package is one core with one thread.
// - ZVT_TOPOLOGY_NONE: no leaf 1 (or no leaf 0); nothing is known.
//
// The core type comes from leaf 0x1A wherever the processor defines it, hybrid (leaf 7 EDX[15]) or not: an
// all-Atom part says 0x20 too.
//
// Unknown is ZVT_TOPOLOGY_UNKNOWN (-1), never 0 and never a guess; IDs are valid only under their flag. The
// identity record's view holds sub-leaf 0 only, so leaves 0x1F and 0xB tell it the SMT level and the x2APIC
// ID and no more (ZVT_TOPOLOGY_VIEW_LACKS_SUBLEAVES), unless AMD's leaves answer everything.
#ifndef ZAVSYS_TOPOLOGY_H
#define ZAVSYS_TOPOLOGY_H

#include "zavsys_cpuid.h"

// Conversions that C++ warnings accept; every use holds a value that fits.
#ifdef __cplusplus
#define ZVT_TOPOLOGY_I32(value) static_cast<int32_t>(value)
#define ZVT_TOPOLOGY_U32(value) static_cast<uint32_t>(value)
#else
#define ZVT_TOPOLOGY_I32(value) ((int32_t)(value))
#define ZVT_TOPOLOGY_U32(value) ((uint32_t)(value))
#endif

#ifdef __cplusplus
extern "C" {
#endif

#define ZVT_TOPOLOGY_UNKNOWN (-1)

// ZVT_TOPOLOGY.method
#define ZVT_TOPOLOGY_NONE 0
#define ZVT_TOPOLOGY_LEAF_1F 1
#define ZVT_TOPOLOGY_LEAF_B 2
#define ZVT_TOPOLOGY_AMD 3
#define ZVT_TOPOLOGY_LEGACY 4

// ZVT_TOPOLOGY.flags
#define ZVT_TOPOLOGY_HAS_APIC_ID 0x01u // apicId is known
#define ZVT_TOPOLOGY_HAS_SPLIT 0x02u   // packageId, coreId and threadId are known
#define ZVT_TOPOLOGY_HYBRID 0x04u      // leaf 7 EDX[15]: cores of more than one type
#define ZVT_TOPOLOGY_ADDRESSABLE 0x08u // legacy counts: the most addressable IDs, maybe more than there are
#define ZVT_TOPOLOGY_EMPTY_LEAF 0x10u  // 0x1F or 0xB in range but empty (zeroed, level type 0): skipped
#define ZVT_TOPOLOGY_BAD_LEVELS 0x20u  // 0x1F or 0xB levels out of order or without end: skipped
#define ZVT_TOPOLOGY_VIEW_LACKS_SUBLEAVES 0x40u // the view has sub-leaf 0 only: levels above it unread
#define ZVT_TOPOLOGY_NARROW_SHIFTS 0x80u        // shift widths too small for the counts: IDs not split

// ZVT_TOPOLOGY.coreType: leaf 0x1A EAX[31:24]; another value is kept as it is.
#define ZVT_CORE_TYPE_NONE 0           // not told
#define ZVT_CORE_TYPE_EFFICIENCY 0x20  // Intel Atom
#define ZVT_CORE_TYPE_PERFORMANCE 0x40 // Intel Core

// Level types of leaves 0xB and 0x1F (ECX[15:8]).
#define ZVT_LEVEL_SMT 1
#define ZVT_LEVEL_CORE 2
#define ZVT_LEVEL_MODULE 3
#define ZVT_LEVEL_TILE 4
#define ZVT_LEVEL_DIE 5
#define ZVT_LEVEL_DIE_GROUP 6

// The most sub-leaves of 0xB or 0x1F read, null level included.
#define ZVT_TOPOLOGY_MAX_LEVELS 16

// ZVT_TOPOLOGY (one logical processor) and ZVT_MACHINE_TOPOLOGY (all of them) are declared in zavsys.h:
// the processor details record of the DLL holds them.

// ZVT_MACHINE_TOPOLOGY.flags
#define ZVT_MACHINE_HYBRID 0x01u        // some processor says hybrid
#define ZVT_MACHINE_DUPLICATE_IDS 0x02u // two processors with one APIC ID (counted once)
#define ZVT_MACHINE_UNPLACED 0x04u // some processors' IDs could not be split: cores and packages omit them
#define ZVT_MACHINE_PARTIAL 0x08u  // fewer logical processors than their packages hold: a partial recording

// 1 when the processor defines leaf: within its highest basic (leaf 0 EAX) or extended (0x80000000 EAX) leaf.
ZVT_CPUID_INLINE int zvtTopologyInRange(const ZVT_CPUID_VIEW* view, uint32_t leaf)
{
    const uint32_t range = leaf & 0x80000000u;
    const ZVT_CPUID_ENTRY* highest = zvtFindEntry(view, range, 0);
    return highest != NULL && (highest->eax & 0x80000000u) == range && leaf <= highest->eax;
}

// The answer to (leaf, subleaf) of a leaf in range, or NULL (also when the view does not hold it).
ZVT_CPUID_INLINE const ZVT_CPUID_ENTRY* zvtTopologyEntry(const ZVT_CPUID_VIEW* view, uint32_t leaf,
                                                         uint32_t subleaf)
{
    return zvtTopologyInRange(view, leaf) ? zvtFindEntry(view, leaf, subleaf) : NULL;
}

// The fewest bits that number count IDs: 0 for 1, 1 for 2, 2 for 3 and 4 ...
ZVT_CPUID_INLINE int32_t zvtTopologyBits(uint32_t count)
{
    int32_t bits = 0;
    while (bits < 32 && (ZVT_TOPOLOGY_U32(1) << bits) < count)
        ++bits;
    return bits;
}

// value >> bits, 0 for 32 bits or more.
ZVT_CPUID_INLINE uint32_t zvtTopologyHigh(uint32_t value, int32_t bits)
{
    return bits >= 32 ? 0u : value >> bits;
}

// The low bits of value.
ZVT_CPUID_INLINE uint32_t zvtTopologyLow(uint32_t value, int32_t bits)
{
    return bits >= 32 ? value : value & ((ZVT_TOPOLOGY_U32(1) << bits) - 1u);
}

// 1 for AuthenticAMD and HygonGenuine (leaf 0 EBX, EDX, ECX).
ZVT_CPUID_INLINE int zvtTopologyIsAmd(const ZVT_CPUID_VIEW* view)
{
    const ZVT_CPUID_ENTRY* leaf0 = zvtFindEntry(view, 0, 0);
    return leaf0 != NULL &&
           ((leaf0->ebx == 0x68747541u && leaf0->edx == 0x69746E65u && leaf0->ecx == 0x444D4163u) ||
            (leaf0->ebx == 0x6F677948u && leaf0->edx == 0x6E65476Eu && leaf0->ecx == 0x656E6975u));
}

// One level of 0xB or 0x1F.
typedef struct ZVT_TOPOLOGY_LEVEL
{
    uint32_t type;  // ZVT_LEVEL_*: ECX[15:8]
    uint32_t shift; // EAX[4:0]: APIC ID bits below the next higher level's ID
    uint32_t count; // EBX[15:0]: logical processors of the next higher level (of the package for the last)
} ZVT_TOPOLOGY_LEVEL;

// Reads the levels of leaf 0x1F or 0xB into levels (room for ZVT_TOPOLOGY_MAX_LEVELS) and returns how many;
// 0 when the leaf is out of range or unusable, adding ZVT_TOPOLOGY_EMPTY_LEAF or _BAD_LEVELS to *flags for
// the latter. *complete is 0 when the view ends before the null level (it has sub-leaf 0 only).
ZVT_CPUID_INLINE int zvtReadTopologyLevels(const ZVT_CPUID_VIEW* view, uint32_t leaf,
                                           ZVT_TOPOLOGY_LEVEL* levels, uint32_t* flags, int* complete)
{
    uint32_t subleaf;
    *complete = 1;
    if (!zvtTopologyInRange(view, leaf))
        return 0;
    for (subleaf = 0; subleaf < ZVT_TOPOLOGY_MAX_LEVELS; ++subleaf)
    {
        // An entry a whole dump lacks is one the processor answers with zeros: the null level.
        const ZVT_CPUID_ENTRY* entry = zvtFindEntry(view, leaf, subleaf);
        ZVT_TOPOLOGY_LEVEL level = {0, 0, 0};
        if (entry == NULL && !zvtViewKnowsSubleaf(view, subleaf))
        {
            *complete = 0;
            return ZVT_TOPOLOGY_I32(subleaf);
        }
        if (entry != NULL)
        {
            level.type = (entry->ecx >> 8) & 0xFFu;
            level.shift = entry->eax & 0x1Fu;
            level.count = entry->ebx & 0xFFFFu;
        }
        if (subleaf == 0 && (level.type == 0 || level.count == 0))
        {
            *flags |= ZVT_TOPOLOGY_EMPTY_LEAF;
            return 0;
        }
        if (level.type == 0)
            return ZVT_TOPOLOGY_I32(subleaf);
        if (subleaf > 0 &&
            (level.type <= levels[subleaf - 1].type || level.shift < levels[subleaf - 1].shift))
            break;
        levels[subleaf] = level;
    }
    *flags |= ZVT_TOPOLOGY_BAD_LEVELS;
    return 0;
}

// The index of the level of that type, or -1.
ZVT_CPUID_INLINE int zvtFindTopologyLevel(const ZVT_TOPOLOGY_LEVEL* levels, int count, uint32_t type)
{
    int i;
    for (i = 0; i < count; ++i)
    {
        if (levels[i].type == type)
            return i;
    }
    return -1;
}

// A count from a register field; unknown when 0.
ZVT_CPUID_INLINE int32_t zvtTopologyCount(uint32_t count)
{
    return count == 0 ? ZVT_TOPOLOGY_UNKNOWN : ZVT_TOPOLOGY_I32(count);
}

// Counts, shifts and the x2APIC ID from the levels of leaf 0x1F or 0xB (all of them when complete, else
// sub-leaf 0 only).
ZVT_CPUID_INLINE void zvtTopologyFromLevels(const ZVT_CPUID_VIEW* view, uint32_t leaf,
                                            const ZVT_TOPOLOGY_LEVEL* levels, int count, int complete,
                                            ZVT_TOPOLOGY* topology)
{
    const int hasSmt = levels[0].type == ZVT_LEVEL_SMT;
    const int module = zvtFindTopologyLevel(levels, count, ZVT_LEVEL_MODULE);
    const int die = zvtFindTopologyLevel(levels, count, ZVT_LEVEL_DIE);
    topology->method = leaf == 0x1Fu ? ZVT_TOPOLOGY_LEAF_1F : ZVT_TOPOLOGY_LEAF_B;
    topology->apicId = zvtFindEntry(view, leaf, 0)->edx;
    topology->flags |= ZVT_TOPOLOGY_HAS_APIC_ID;
    // Without an SMT level, each core has one thread.
    topology->threadsPerCore = hasSmt ? zvtTopologyCount(levels[0].count) : 1;
    topology->smtShift = hasSmt ? ZVT_TOPOLOGY_I32(levels[0].shift) : 0;
    if (!complete)
    {
        topology->flags |= ZVT_TOPOLOGY_VIEW_LACKS_SUBLEAVES;
        return;
    }
    topology->packageShift = ZVT_TOPOLOGY_I32(levels[count - 1].shift);
    topology->logicalPerPackage = zvtTopologyCount(levels[count - 1].count);
    if (module > 0)
        topology->logicalPerModule = zvtTopologyCount(levels[module - 1].count);
    if (die > 0)
        topology->logicalPerDie = zvtTopologyCount(levels[die - 1].count);
    if ((topology->flags & ZVT_TOPOLOGY_HYBRID) == 0 && topology->threadsPerCore > 0 &&
        topology->logicalPerPackage > 0 && topology->logicalPerPackage % topology->threadsPerCore == 0)
        topology->coresPerPackage = topology->logicalPerPackage / topology->threadsPerCore;
}

// AMD's extended leaves (needs 0x80000008 in range).
ZVT_CPUID_INLINE void zvtTopologyFromAmd(const ZVT_CPUID_VIEW* view, const ZVT_CPUID_ENTRY* leaf1,
                                         ZVT_TOPOLOGY* topology)
{
    const uint32_t ecx = zvtTopologyEntry(view, 0x80000008u, 0)->ecx;
    const ZVT_CPUID_ENTRY* units = zvtTopologyEntry(view, 0x8000001Eu, 0);
    const uint32_t baseFamily = (leaf1->eax >> 8) & 0xFu;
    const uint32_t family = baseFamily + (baseFamily == 0xFu ? (leaf1->eax >> 20) & 0xFFu : 0u);
    const int htt = (leaf1->edx & 0x10000000u) != 0;
    const uint32_t logical = htt ? (ecx & 0xFFu) + 1 : 1u; // NC + 1
    const uint32_t coreIdSize = (ecx >> 12) & 0xFu; // ApicIdCoreIdSize; 0: as many bits as NC + 1 needs
    topology->method = ZVT_TOPOLOGY_AMD;
    topology->logicalPerPackage = ZVT_TOPOLOGY_I32(logical);
    topology->packageShift = !htt              ? 0
                             : coreIdSize != 0 ? ZVT_TOPOLOGY_I32(coreIdSize)
                                               : zvtTopologyBits(logical);
    // Before family 0x17 a core runs one thread; from it on, 0x8000001E EBX[15:8] + 1 threads.
    if (family < 0x17 || logical == 1)
        topology->threadsPerCore = 1;
    else if (units != NULL)
        topology->threadsPerCore = ZVT_TOPOLOGY_I32(((units->ebx >> 8) & 0xFFu) + 1);
    // Family 0x15: 0x8000001E EBX[15:8] + 1 cores per compute unit.
    if (family == 0x15 && units != NULL)
        topology->logicalPerModule = ZVT_TOPOLOGY_I32(((units->ebx >> 8) & 0xFFu) + 1);
    if (topology->threadsPerCore > 0)
    {
        topology->smtShift = zvtTopologyBits(ZVT_TOPOLOGY_U32(topology->threadsPerCore));
        if (topology->logicalPerPackage % topology->threadsPerCore == 0)
            topology->coresPerPackage = topology->logicalPerPackage / topology->threadsPerCore;
    }
}

// Leaf 1 under HTT and leaf 4: the most addressable IDs. Without HTT, one core with one thread.
ZVT_CPUID_INLINE void zvtTopologyFromLegacy(const ZVT_CPUID_VIEW* view, const ZVT_CPUID_ENTRY* leaf1,
                                            ZVT_TOPOLOGY* topology)
{
    const ZVT_CPUID_ENTRY* leaf4 = zvtTopologyEntry(view, 4, 0);
    const int htt = (leaf1->edx & 0x10000000u) != 0;
    const uint32_t logical = htt ? (leaf1->ebx >> 16) & 0xFFu : 1u;
    // Leaf 4 sub-leaf 0 with a cache type (EAX[4:0]) tells the cores.
    const uint32_t cores = htt && leaf4 != NULL && (leaf4->eax & 0x1Fu) != 0 ? (leaf4->eax >> 26) + 1 : 1u;
    topology->method = ZVT_TOPOLOGY_LEGACY;
    if (htt)
        topology->flags |= ZVT_TOPOLOGY_ADDRESSABLE;
    topology->coresPerPackage = ZVT_TOPOLOGY_I32(cores);
    if (logical == 0)
        return;
    topology->logicalPerPackage = ZVT_TOPOLOGY_I32(logical);
    topology->packageShift = zvtTopologyBits(logical);
    if (logical % cores == 0)
    {
        topology->threadsPerCore = ZVT_TOPOLOGY_I32(logical / cores);
        topology->smtShift = zvtTopologyBits(logical / cores);
        topology->packageShift = topology->smtShift + zvtTopologyBits(cores);
    }
}

// Decodes one logical processor's topology from its view; returns topology->method.
ZVT_CPUID_INLINE int zvtGetTopology(const ZVT_CPUID_VIEW* view, ZVT_TOPOLOGY* topology)
{
    ZVT_TOPOLOGY_LEVEL levels1f[ZVT_TOPOLOGY_MAX_LEVELS];
    ZVT_TOPOLOGY_LEVEL levelsB[ZVT_TOPOLOGY_MAX_LEVELS];
    const ZVT_CPUID_ENTRY* leaf1 = zvtTopologyEntry(view, 1, 0);
    const ZVT_CPUID_ENTRY* leaf7 = zvtTopologyEntry(view, 7, 0);
    const ZVT_CPUID_ENTRY* leaf1a = zvtTopologyEntry(view, 0x1A, 0);
    int complete1f = 0;
    int completeB = 0;
    int count1f = 0;
    int countB = 0;
    topology->method = ZVT_TOPOLOGY_NONE;
    topology->flags = 0;
    topology->threadsPerCore = ZVT_TOPOLOGY_UNKNOWN;
    topology->logicalPerModule = ZVT_TOPOLOGY_UNKNOWN;
    topology->logicalPerDie = ZVT_TOPOLOGY_UNKNOWN;
    topology->logicalPerPackage = ZVT_TOPOLOGY_UNKNOWN;
    topology->coresPerPackage = ZVT_TOPOLOGY_UNKNOWN;
    topology->smtShift = ZVT_TOPOLOGY_UNKNOWN;
    topology->packageShift = ZVT_TOPOLOGY_UNKNOWN;
    topology->apicId = 0;
    topology->packageId = 0;
    topology->coreId = 0;
    topology->threadId = 0;
    topology->coreType = leaf1a != NULL ? ZVT_TOPOLOGY_I32(leaf1a->eax >> 24) : ZVT_CORE_TYPE_NONE;
    if (leaf7 != NULL && (leaf7->edx & 0x8000u) != 0)
        topology->flags |= ZVT_TOPOLOGY_HYBRID;
    if (leaf1 == NULL)
        return topology->method;
    // The initial APIC ID, where leaf 1 EDX[9] says there is a local APIC; 0x1F or 0xB EDX replace it.
    if ((leaf1->edx & 0x200u) != 0)
    {
        topology->apicId = leaf1->ebx >> 24;
        topology->flags |= ZVT_TOPOLOGY_HAS_APIC_ID;
    }

    // Best first: a complete 0x1F, a complete 0xB, AMD's leaves, what sub-leaf 0 of 0x1F or 0xB tells,
    // legacy.
    count1f = zvtReadTopologyLevels(view, 0x1F, levels1f, &topology->flags, &complete1f);
    if (count1f == 0 || !complete1f)
        countB = zvtReadTopologyLevels(view, 0xB, levelsB, &topology->flags, &completeB);
    if (count1f > 0 && complete1f)
        zvtTopologyFromLevels(view, 0x1F, levels1f, count1f, 1, topology);
    else if (countB > 0 && completeB)
        zvtTopologyFromLevels(view, 0xB, levelsB, countB, 1, topology);
    else if (zvtTopologyIsAmd(view) && zvtTopologyEntry(view, 0x80000008u, 0) != NULL)
        zvtTopologyFromAmd(view, leaf1, topology);
    else if (count1f > 0)
        zvtTopologyFromLevels(view, 0x1F, levels1f, count1f, 0, topology);
    else if (countB > 0)
        zvtTopologyFromLevels(view, 0xB, levelsB, countB, 0, topology);
    else
        zvtTopologyFromLegacy(view, leaf1, topology);

    // The split, where the shifts are known, in order, and wide enough for the counts.
    if ((topology->flags & ZVT_TOPOLOGY_HAS_APIC_ID) != 0 && topology->smtShift >= 0 &&
        topology->packageShift >= topology->smtShift)
    {
        const int32_t smt = topology->smtShift;
        const int32_t package = topology->packageShift;
        const uint32_t threads =
            ZVT_TOPOLOGY_U32(topology->threadsPerCore > 0 ? topology->threadsPerCore : 1);
        const uint32_t logical =
            ZVT_TOPOLOGY_U32(topology->logicalPerPackage > 0 ? topology->logicalPerPackage : 1);
        if (zvtTopologyBits(threads) <= smt && zvtTopologyBits(logical) <= package)
        {
            topology->packageId = zvtTopologyHigh(topology->apicId, package);
            topology->coreId = zvtTopologyHigh(zvtTopologyLow(topology->apicId, package), smt);
            topology->threadId = zvtTopologyLow(topology->apicId, smt);
            topology->flags |= ZVT_TOPOLOGY_HAS_SPLIT;
        }
        else
        {
            topology->flags |= ZVT_TOPOLOGY_NARROW_SHIFTS;
        }
    }
    return topology->method;
}

// Counts the packages, cores and logical processors of a machine from each logical processor's topology
// (zvtGetTopology of each, count entries, fewer than 2^31); returns machine->logical. Quadratic in count.
ZVT_CPUID_INLINE int32_t zvtGetMachineTopology(const ZVT_TOPOLOGY* processors, size_t count,
                                               ZVT_MACHINE_TOPOLOGY* machine)
{
    size_t i;
    size_t j;
    int typed = 0;
    int expectedKnown = 1;
    int32_t placed = 0;
    int32_t expected = 0;
    machine->processors = ZVT_TOPOLOGY_I32(count);
    machine->logical = 0;
    machine->cores = 0;
    machine->packages = 0;
    machine->flags = 0;
    machine->performanceCores = 0;
    machine->performanceLogical = 0;
    machine->efficiencyCores = 0;
    machine->efficiencyLogical = 0;
    for (i = 0; i < count; ++i)
    {
        const ZVT_TOPOLOGY* p = &processors[i];
        const int performance = p->coreType == ZVT_CORE_TYPE_PERFORMANCE;
        const int efficiency = p->coreType == ZVT_CORE_TYPE_EFFICIENCY;
        int newId = 1;
        int newCore = 1;
        int newPackage = 1;
        if ((p->flags & ZVT_TOPOLOGY_HYBRID) != 0)
            machine->flags |= ZVT_MACHINE_HYBRID;
        typed |= p->coreType != ZVT_CORE_TYPE_NONE;
        for (j = 0; j < i && (p->flags & ZVT_TOPOLOGY_HAS_APIC_ID) != 0; ++j)
        {
            if ((processors[j].flags & ZVT_TOPOLOGY_HAS_APIC_ID) != 0 && processors[j].apicId == p->apicId)
                newId = 0;
        }
        if (!newId)
        {
            machine->flags |= ZVT_MACHINE_DUPLICATE_IDS;
            continue;
        }
        ++machine->logical;
        machine->performanceLogical += performance;
        machine->efficiencyLogical += efficiency;
        if ((p->flags & ZVT_TOPOLOGY_HAS_SPLIT) == 0)
        {
            machine->flags |= ZVT_MACHINE_UNPLACED;
            continue;
        }
        ++placed;
        for (j = 0; j < i; ++j)
        {
            const ZVT_TOPOLOGY* q = &processors[j];
            if ((q->flags & ZVT_TOPOLOGY_HAS_SPLIT) != 0 && q->packageId == p->packageId)
            {
                newPackage = 0;
                newCore &= q->coreId != p->coreId;
            }
        }
        if (newPackage)
        {
            ++machine->packages;
            if (p->logicalPerPackage > 0 && (p->flags & ZVT_TOPOLOGY_ADDRESSABLE) == 0)
                expected += p->logicalPerPackage;
            else
                expectedKnown = 0;
        }
        if (newCore)
        {
            ++machine->cores;
            machine->performanceCores += performance;
            machine->efficiencyCores += efficiency;
        }
    }
    if (count == 0)
        machine->logical = ZVT_TOPOLOGY_UNKNOWN;
    if (placed == 0)
    {
        machine->cores = ZVT_TOPOLOGY_UNKNOWN;
        machine->packages = ZVT_TOPOLOGY_UNKNOWN;
    }
    if (!typed)
    {
        machine->performanceCores = ZVT_TOPOLOGY_UNKNOWN;
        machine->performanceLogical = ZVT_TOPOLOGY_UNKNOWN;
        machine->efficiencyCores = ZVT_TOPOLOGY_UNKNOWN;
        machine->efficiencyLogical = ZVT_TOPOLOGY_UNKNOWN;
    }
    if (placed > 0 && expectedKnown && placed < expected)
        machine->flags |= ZVT_MACHINE_PARTIAL;
    return machine->logical;
}

// A short name of a method: "0x1F", "0xB", "amd", "legacy", "none"; NULL for another value.
ZVT_CPUID_INLINE const char* zvtGetTopologyMethodName(int method)
{
    static const char* const names[] = {"none", "0x1F", "0xB", "amd", "legacy"};
    return method >= 0 && method <= ZVT_TOPOLOGY_LEGACY ? names[method] : NULL;
}

// "performance", "efficiency", or NULL for another core type.
ZVT_CPUID_INLINE const char* zvtGetCoreTypeName(int coreType)
{
    return coreType == ZVT_CORE_TYPE_PERFORMANCE  ? "performance"
           : coreType == ZVT_CORE_TYPE_EFFICIENCY ? "efficiency"
                                                  : NULL;
}

#ifdef __cplusplus
}
#endif

#endif // ZAVSYS_TOPOLOGY_H
