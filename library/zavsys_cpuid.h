// zavsys_cpuid.h - a read-only view of one logical processor's CPUID answers, for the decoding headers:
// either a whole dump (zvtGetCpuidDump, or a recorded one) with every sub-leaf, or the identity record of
// zvtGetIdentity, which holds sub-leaf 0 of the first 64 basic and 64 extended leaves only. Decoders say
// "unknown" for what the view cannot hold rather than guess. Header only, C99/C11 and C++; needs only
// zavsys.h.
#ifndef ZAVSYS_CPUID_H
#define ZAVSYS_CPUID_H

#include "zavsys.h"

#if defined(__cplusplus) || (defined(__STDC_VERSION__) && __STDC_VERSION__ >= 199901L)
#define ZVT_CPUID_INLINE static inline
#else
#define ZVT_CPUID_INLINE static __inline
#endif

#ifdef __cplusplus
extern "C" {
#endif

// The entries of one logical processor, in any order. allSubleaves is 1 when every sub-leaf the processor
// answers is there (a dump), 0 when only sub-leaf 0 of each leaf is (the identity record).
typedef struct ZVT_CPUID_VIEW
{
    const ZVT_CPUID_ENTRY* entries;
    size_t count;
    int allSubleaves;
} ZVT_CPUID_VIEW;

// Room for the identity record as entries: 64 basic and 64 extended leaves.
#define ZVT_IDENTITY_VIEW_ENTRIES (2 * ZVT_CPUID_LEAVES)

// A view of a dump record: its count entries.
ZVT_CPUID_INLINE ZVT_CPUID_VIEW zvtViewOfDump(const ZVT_CPUID_DUMP* dump)
{
    ZVT_CPUID_VIEW view;
    view.entries = dump->entries;
    view.count = dump->count;
    view.allSubleaves = 1;
    return view;
}

// A view of the identity record, built in storage (ZVT_IDENTITY_VIEW_ENTRIES entries): the leaves the
// record holds (up to its highest basic and extended leaf), each as sub-leaf 0.
ZVT_CPUID_INLINE ZVT_CPUID_VIEW zvtViewOfIdentity(const ZVT_CPU_IDENTITY* identity, ZVT_CPUID_ENTRY* storage)
{
    ZVT_CPUID_VIEW view;
    size_t count = 0;
    uint32_t i;
    const uint32_t highestExtended = identity->extended[0].eax;
    for (i = 0; i < ZVT_CPUID_LEAVES && i <= identity->basic[0].eax; ++i)
    {
        const ZVT_CPUID_LEAF* leaf = &identity->basic[i];
        ZVT_CPUID_ENTRY entry = {0, 0, 0, 0, 0, 0};
        entry.leaf = i;
        entry.eax = leaf->eax;
        entry.ebx = leaf->ebx;
        entry.ecx = leaf->ecx;
        entry.edx = leaf->edx;
        storage[count++] = entry;
    }
    for (i = 0; highestExtended >= 0x80000000u && i < ZVT_CPUID_LEAVES && 0x80000000u + i <= highestExtended;
         ++i)
    {
        const ZVT_CPUID_LEAF* leaf = &identity->extended[i];
        ZVT_CPUID_ENTRY entry = {0, 0, 0, 0, 0, 0};
        entry.leaf = 0x80000000u + i;
        entry.eax = leaf->eax;
        entry.ebx = leaf->ebx;
        entry.ecx = leaf->ecx;
        entry.edx = leaf->edx;
        storage[count++] = entry;
    }
    view.entries = storage;
    view.count = count;
    view.allSubleaves = 0;
    return view;
}

// The answer to (leaf, subleaf), or NULL when the view does not hold it.
ZVT_CPUID_INLINE const ZVT_CPUID_ENTRY* zvtFindEntry(const ZVT_CPUID_VIEW* view, uint32_t leaf,
                                                     uint32_t subleaf)
{
    size_t i;
    for (i = 0; i < view->count; ++i)
    {
        if (view->entries[i].leaf == leaf && view->entries[i].subleaf == subleaf)
            return &view->entries[i];
    }
    return NULL;
}

// 1 when the view can tell whether (leaf, subleaf) exists: sub-leaf 0 always, others only in a whole dump.
ZVT_CPUID_INLINE int zvtViewKnowsSubleaf(const ZVT_CPUID_VIEW* view, uint32_t subleaf)
{
    return subleaf == 0 || view->allSubleaves;
}

#ifdef __cplusplus
}
#endif

#endif // ZAVSYS_CPUID_H
