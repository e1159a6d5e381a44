// zavsys_caches.h - every cache of one logical processor, decoded from its CPUID answers (a ZVT_CPUID_VIEW):
// level, type, size, ways, line size, sets, partitions or lines per tag, how many logical processors share
// it, and the leaf that told. Header only, C99/C11 and C++, 32-bit and 64-bit; needs only zavsys_cpuid.h.
// Nothing here executes CPUID or allocates. TLBs stay with zvtGetCaches in zavsys_features.h.
//
// Where the caches come from (ZVT_CACHE_DESCRIPTION.sourceLeaf), the first source that lists any:
// - AuthenticAMD and HygonGenuine: extended leaf 0x8000001D, sub-leaf after sub-leaf up to the null type,
//   when extended leaf 0x80000001 ECX[22] (TopologyExtensions) is set and the view holds every sub-leaf;
//   else 0x80000005 (L1 data, L1 instruction) and 0x80000006 (L2, and L3 as the package's total:
//   ZVT_CACHE_FLAG_PACKAGE_TOTAL, not one cache). Their leaf 4 is reserved and never read.
// - Every other vendor: leaf 4, sub-leaf after sub-leaf up to the null type. On GenuineIntel the trace
//   cache of leaf 2 (descriptors 0x70 to 0x73), which leaf 4 never lists, follows. Where leaf 4 lists the
//   caches it wins over Intel's 0x80000006, stale since Skylake (256 KiB 8-way for a 1.25 MiB 10-way L2).
// - GenuineIntel without leaf 4: the descriptors of leaf 2 (the table in zvtCacheLeaf2Row, from the Intel
//   SDM volume 2A, "Encoding of CPUID Leaf 2 Descriptors"); TLB and prefetch descriptors are skipped.
//   Descriptor 0xFF (the caches are in leaf 4) with leaf 4 out of reach sets ZVT_CACHE_LIST_INCOMPLETE.
// - Last, 0x80000005 and 0x80000006: on GenuineIntel the L2 of 0x80000006 ECX alone (Intel's layout);
//   on the others (VIA, Centaur, Zhaoxin, ...) L1 and L2 in AMD's layout.
//
// A leaf counts only within the highest basic (leaf 0 EAX) or extended (0x80000000 EAX) leaf. In a whole
// dump, a sub-leaf the view lacks is one the processor does not answer: all zero, the null type. A walk stops
// after ZVT_CACHE_MAX_SUBLEAVES sub-leaves without the null type (ZVT_CACHE_LIST_UNTERMINATED). The identity
// record's view holds sub-leaf 0 only: leaf 4 then gives its first cache and ZVT_CACHE_LIST_INCOMPLETE; AMD
// and Hygon take 0x80000005 and 0x80000006 instead, which it holds whole.
//
// Known erratum: the VIA C3 Samuel 2 and Ezra (CentaurHauls, family 6, models 7 and 8) write their L2 in
// 0x80000006 ECX in the layout of 0x80000005 (KiB in bits 31:24, ways in 23:16); it is read so
// (ZVT_CACHE_FLAG_CORRECTED), not as 16388 KiB.
#ifndef ZAVSYS_CACHES_H
#define ZAVSYS_CACHES_H

#include "zavsys_cpuid.h"

// Conversions that C++ warnings accept; every use holds a value that fits.
#ifdef __cplusplus
#define ZVT_CACHE_I32(value) static_cast<int32_t>(value)
#define ZVT_CACHE_U32(value) static_cast<uint32_t>(value)
#define ZVT_CACHE_U64(value) static_cast<uint64_t>(value)
#else
#define ZVT_CACHE_I32(value) ((int32_t)(value))
#define ZVT_CACHE_U32(value) ((uint32_t)(value))
#define ZVT_CACHE_U64(value) ((uint64_t)(value))
#endif

#ifdef __cplusplus
extern "C" {
#endif

// ZVT_CACHE_DESCRIPTION.type
#define ZVT_CACHE_TYPE_DATA 1
#define ZVT_CACHE_TYPE_INSTRUCTION 2
#define ZVT_CACHE_TYPE_UNIFIED 3
#define ZVT_CACHE_TYPE_TRACE 4    // leaf 2's trace cache: its size is in sizeUops, sizeBytes is 0
#define ZVT_CACHE_TYPE_RESERVED 5 // a code the manuals reserve (4 to 31 of leaf 4, 0x8000001D): see rawType

// Values of ways and sharedBy
#define ZVT_CACHE_FULLY_ASSOCIATIVE (-1) // ways
#define ZVT_CACHE_UNKNOWN (-1)           // sharedBy: the source does not tell

// ZVT_CACHE_DESCRIPTION.flags
#define ZVT_CACHE_FLAG_SELF_INITIALIZING 0x01u // leaf 4 / 0x8000001D EAX[8]
#define ZVT_CACHE_FLAG_FULLY_ASSOCIATIVE 0x02u // EAX[9]: ways is ZVT_CACHE_FULLY_ASSOCIATIVE
#define ZVT_CACHE_FLAG_WBINVD_NOT_LOWER 0x04u  // EDX[0]: WBINVD may not act on lower caches of other threads
#define ZVT_CACHE_FLAG_INCLUSIVE 0x08u         // EDX[1]: inclusive of lower levels
#define ZVT_CACHE_FLAG_COMPLEX_INDEXING 0x10u  // leaf 4 EDX[2]
#define ZVT_CACHE_FLAG_PACKAGE_TOTAL 0x20u     // AMD's 0x80000006 L3: all L3 of the package together
#define ZVT_CACHE_FLAG_WAYS_AT_LEAST 0x40u     // AMD's 4-bit ways code names a range: ways is its least
#define ZVT_CACHE_FLAG_CORRECTED 0x80u         // read past a known erratum (see above)

// What the list as a whole lacks (the status of zvtDescribeCaches)
#define ZVT_CACHE_LIST_INCOMPLETE 0x01u   // the view cannot tell every cache: more may exist than are listed
#define ZVT_CACHE_LIST_UNTERMINATED 0x02u // sub-leaves without the null type up to ZVT_CACHE_MAX_SUBLEAVES
#define ZVT_CACHE_LIST_TRUNCATED 0x04u    // more caches than the caller's array holds

// The most sub-leaves of leaf 4 or 0x8000001D read, and the most caches one view can give (the sub-leaves
// and leaf 2's fifteen descriptors).
#define ZVT_CACHE_MAX_SUBLEAVES 32
#define ZVT_CACHE_LIST_MAX 48

// One cache. 64 bytes; the same layout in C and C++, 32-bit and 64-bit.
typedef struct ZVT_CACHE_DESCRIPTION
{
    uint64_t sizeBytes;   // leaf 4, 0x8000001D: ways * partitions * line * sets, saturating; 0 for a trace
    uint64_t sets;        // 0 when not stated (or AMD's ways are a range)
    uint32_t sourceLeaf;  // 4, 0x8000001D, 2, 0x80000005 or 0x80000006
    uint32_t sourceIndex; // the sub-leaf of 4 and 0x8000001D, the descriptor byte of leaf 2, else 0
    uint32_t flags;       // ZVT_CACHE_FLAG_*
    int32_t level;        // 1, 2, 3 ...; 0 when not stated
    int32_t type;         // ZVT_CACHE_TYPE_*
    int32_t rawType;      // leaf 4 / 0x8000001D EAX[4:0] as read; 0 from other leaves
    int32_t ways;         // ZVT_CACHE_FULLY_ASSOCIATIVE; 0 when not stated
    int32_t lineBytes;    // 0 when not stated
    int32_t partitions;   // physical line partitions (leaf 4, 0x8000001D); 0 when not stated
    int32_t linesPerTag;  // lines per tag (0x80000005/6) or per sector (leaf 2); 0 when not stated
    int32_t sharedBy;     // leaf 4 / 0x8000001D EAX[25:14] + 1 (the most IDs): >= 1; else ZVT_CACHE_UNKNOWN
    int32_t sizeUops;     // a trace cache's micro-ops; 0 for the others
} ZVT_CACHE_DESCRIPTION;

// Where descriptions go while a list is made.
typedef struct ZVT_CACHE_WRITER
{
    ZVT_CACHE_DESCRIPTION* caches;
    size_t capacity;
    size_t found;
    uint32_t status;
} ZVT_CACHE_WRITER;

// What every source needs of the processor: the view, the ranges' highest leaves, the vendor, the signature.
typedef struct ZVT_CACHE_PROCESSOR
{
    const ZVT_CPUID_VIEW* view;
    uint32_t highestBasic;
    uint32_t highestExtended; // 0 when 0x80000000 EAX names no extended leaf
    int vendor;               // ZVT_CACHE_VENDOR_*
    uint32_t family;          // base family, plus the extended family when the base is 0xF
    uint32_t model;           // base model, plus the extended model << 4 for families 6 and 0xF
} ZVT_CACHE_PROCESSOR;

#define ZVT_CACHE_VENDOR_OTHER 0
#define ZVT_CACHE_VENDOR_INTEL 1
#define ZVT_CACHE_VENDOR_AMD 2 // AuthenticAMD or HygonGenuine
#define ZVT_CACHE_VENDOR_CENTAUR 3

// One row of the leaf 2 table. size is in KiB, for a trace cache in thousands of micro-ops.
typedef struct ZVT_CACHE_LEAF2_ROW
{
    uint8_t descriptor;
    uint8_t level;
    uint8_t type;
    uint8_t ways;
    uint8_t lineBytes;
    uint8_t linesPerSector; // "2 lines per sector"; 0 when the manual gives no number
    uint16_t size;
} ZVT_CACHE_LEAF2_ROW;

// The cache descriptors of leaf 2, one row each, as the Intel SDM volume 2A describes them ("Encoding of
// CPUID Leaf 2 Descriptors"); rows marked "older SDM" are from its 2004-2006 editions, dropped later but
// still answered by the Pentium 4 processors they describe. 0x49 is an L3 on family 0xF model 6 (Xeon MP),
// an L2 elsewhere (zvtDescribeCaches). NULL for a descriptor without a cache: null, TLB, prefetch, 0x40
// (no L2, or no L3), 0xFE and 0xFF, and the descriptors the SDM does not list (some are Itanium's).
ZVT_CPUID_INLINE const ZVT_CACHE_LEAF2_ROW* zvtCacheLeaf2Row(uint32_t descriptor)
{
#define ZVT_D ZVT_CACHE_TYPE_DATA
#define ZVT_I ZVT_CACHE_TYPE_INSTRUCTION
#define ZVT_U ZVT_CACHE_TYPE_UNIFIED
#define ZVT_T ZVT_CACHE_TYPE_TRACE
    static const ZVT_CACHE_LEAF2_ROW rows[] = {
        {0x06, 1, ZVT_I, 4, 32, 0, 8},     // 1st-level instruction cache: 8 KBytes, 4-way, 32 byte line
        {0x08, 1, ZVT_I, 4, 32, 0, 16},    // 1st-level instruction cache: 16 KBytes, 4-way, 32 byte line
        {0x09, 1, ZVT_I, 4, 64, 0, 32},    // 1st-level instruction cache: 32 KBytes, 4-way, 64 byte line
        {0x0A, 1, ZVT_D, 2, 32, 0, 8},     // 1st-level data cache: 8 KBytes, 2-way, 32 byte line
        {0x0C, 1, ZVT_D, 4, 32, 0, 16},    // 1st-level data cache: 16 KBytes, 4-way, 32 byte line
        {0x0D, 1, ZVT_D, 4, 64, 0, 16},    // 1st-level data cache: 16 KBytes, 4-way, 64 byte line
        {0x0E, 1, ZVT_D, 6, 64, 0, 24},    // 1st-level data cache: 24 KBytes, 6-way, 64 byte line
        {0x1D, 2, ZVT_U, 2, 64, 0, 128},   // 2nd-level cache: 128 KBytes, 2-way, 64 byte line
        {0x21, 2, ZVT_U, 8, 64, 0, 256},   // 2nd-level cache: 256 KBytes, 8-way, 64 byte line
        {0x22, 3, ZVT_U, 4, 64, 2, 512},   // 3rd-level cache: 512 KBytes, 4-way, 64 byte line, 2 lines/sector
        {0x23, 3, ZVT_U, 8, 64, 2, 1024},  // 3rd-level cache: 1 MBytes, 8-way, 64 byte line, 2 lines/sector
        {0x24, 2, ZVT_U, 16, 64, 0, 1024}, // 2nd-level cache: 1 MBytes, 16-way, 64 byte line
        {0x25, 3, ZVT_U, 8, 64, 2, 2048},  // 3rd-level cache: 2 MBytes, 8-way, 64 byte line, 2 lines/sector
        {0x29, 3, ZVT_U, 8, 64, 2, 4096},  // 3rd-level cache: 4 MBytes, 8-way, 64 byte line, 2 lines/sector
        {0x2C, 1, ZVT_D, 8, 64, 0, 32},    // 1st-level data cache: 32 KBytes, 8-way, 64 byte line
        {0x30, 1, ZVT_I, 8, 64, 0, 32},    // 1st-level instruction cache: 32 KBytes, 8-way, 64 byte line
        {0x39, 2, ZVT_U, 4, 64, 0, 128},  // older SDM: 2nd-level cache: 128 KB, 4-way, sectored, 64 byte line
        {0x3A, 2, ZVT_U, 6, 64, 0, 192},  // older SDM: 2nd-level cache: 192 KB, 6-way, sectored, 64 byte line
        {0x3B, 2, ZVT_U, 2, 64, 0, 128},  // older SDM: 2nd-level cache: 128 KB, 2-way, sectored, 64 byte line
        {0x3C, 2, ZVT_U, 4, 64, 0, 256},  // older SDM: 2nd-level cache: 256 KB, 4-way, sectored, 64 byte line
        {0x3D, 2, ZVT_U, 6, 64, 0, 384},  // older SDM: 2nd-level cache: 384 KB, 6-way, sectored, 64 byte line
        {0x3E, 2, ZVT_U, 4, 64, 0, 512},  // older SDM: 2nd-level cache: 512 KB, 4-way, sectored, 64 byte line
        {0x41, 2, ZVT_U, 4, 32, 0, 128},  // 2nd-level cache: 128 KBytes, 4-way, 32 byte line
        {0x42, 2, ZVT_U, 4, 32, 0, 256},  // 2nd-level cache: 256 KBytes, 4-way, 32 byte line
        {0x43, 2, ZVT_U, 4, 32, 0, 512},  // 2nd-level cache: 512 KBytes, 4-way, 32 byte line
        {0x44, 2, ZVT_U, 4, 32, 0, 1024}, // 2nd-level cache: 1 MByte, 4-way, 32 byte line
        {0x45, 2, ZVT_U, 4, 32, 0, 2048}, // 2nd-level cache: 2 MByte, 4-way, 32 byte line
        {0x46, 3, ZVT_U, 4, 64, 0, 4096}, // 3rd-level cache: 4 MByte, 4-way, 64 byte line
        {0x47, 3, ZVT_U, 8, 64, 0, 8192}, // 3rd-level cache: 8 MByte, 8-way, 64 byte line
        {0x48, 2, ZVT_U, 12, 64, 0, 3072},  // 2nd-level cache: 3MByte, 12-way, 64 byte line
        {0x49, 2, ZVT_U, 16, 64, 0, 4096},  // 2nd-level cache: 4 MByte, 16-way, 64 byte line (L3 on Xeon MP)
        {0x4A, 3, ZVT_U, 12, 64, 0, 6144},  // 3rd-level cache: 6MByte, 12-way, 64 byte line
        {0x4B, 3, ZVT_U, 16, 64, 0, 8192},  // 3rd-level cache: 8MByte, 16-way, 64 byte line
        {0x4C, 3, ZVT_U, 12, 64, 0, 12288}, // 3rd-level cache: 12MByte, 12-way, 64 byte line
        {0x4D, 3, ZVT_U, 16, 64, 0, 16384}, // 3rd-level cache: 16MByte, 16-way, 64 byte line
        {0x4E, 2, ZVT_U, 24, 64, 0, 6144},  // 2nd-level cache: 6MByte, 24-way, 64 byte line
        {0x60, 1, ZVT_D, 8, 64, 0, 16},     // 1st-level data cache: 16 KByte, 8-way, 64 byte line
        {0x66, 1, ZVT_D, 4, 64, 0, 8},      // 1st-level data cache: 8 KByte, 4-way, 64 byte line
        {0x67, 1, ZVT_D, 4, 64, 0, 16},     // 1st-level data cache: 16 KByte, 4-way, 64 byte line
        {0x68, 1, ZVT_D, 4, 64, 0, 32},     // 1st-level data cache: 32 KByte, 4-way, 64 byte line
        {0x70, 1, ZVT_T, 8, 0, 0, 12},      // Trace cache: 12 K-uop, 8-way
        {0x71, 1, ZVT_T, 8, 0, 0, 16},      // Trace cache: 16 K-uop, 8-way
        {0x72, 1, ZVT_T, 8, 0, 0, 32},      // Trace cache: 32 K-uop, 8-way
        {0x73, 1, ZVT_T, 8, 0, 0, 64},      // older SDM: Trace cache: 64 K-uop, 8-way
        {0x78, 2, ZVT_U, 4, 64, 0, 1024},   // 2nd-level cache: 1 MByte, 4-way, 64 byte line
        {0x79, 2, ZVT_U, 8, 64, 2, 128},    // 2nd-level cache: 128 KByte, 8-way, 64 byte line, 2 lines/sector
        {0x7A, 2, ZVT_U, 8, 64, 2, 256},    // 2nd-level cache: 256 KByte, 8-way, 64 byte line, 2 lines/sector
        {0x7B, 2, ZVT_U, 8, 64, 2, 512},    // 2nd-level cache: 512 KByte, 8-way, 64 byte line, 2 lines/sector
        {0x7C, 2, ZVT_U, 8, 64, 2, 1024},   // 2nd-level cache: 1 MByte, 8-way, 64 byte line, 2 lines/sector
        {0x7D, 2, ZVT_U, 8, 64, 0, 2048},   // 2nd-level cache: 2 MByte, 8-way, 64 byte line
        {0x7F, 2, ZVT_U, 2, 64, 0, 512},    // 2nd-level cache: 512 KByte, 2-way, 64 byte line
        {0x80, 2, ZVT_U, 8, 64, 0, 512},    // 2nd-level cache: 512 KByte, 8-way, 64 byte line
        {0x82, 2, ZVT_U, 8, 32, 0, 256},    // 2nd-level cache: 256 KByte, 8-way, 32 byte line
        {0x83, 2, ZVT_U, 8, 32, 0, 512},    // 2nd-level cache: 512 KByte, 8-way, 32 byte line
        {0x84, 2, ZVT_U, 8, 32, 0, 1024},   // 2nd-level cache: 1 MByte, 8-way, 32 byte line
        {0x85, 2, ZVT_U, 8, 32, 0, 2048},   // 2nd-level cache: 2 MByte, 8-way, 32 byte line
        {0x86, 2, ZVT_U, 4, 64, 0, 512},    // 2nd-level cache: 512 KByte, 4-way, 64 byte line
        {0x87, 2, ZVT_U, 8, 64, 0, 1024},   // 2nd-level cache: 1 MByte, 8-way, 64 byte line
        {0xD0, 3, ZVT_U, 4, 64, 0, 512},    // 3rd-level cache: 512 KByte, 4-way, 64 byte line
        {0xD1, 3, ZVT_U, 4, 64, 0, 1024},   // 3rd-level cache: 1 MByte, 4-way, 64 byte line
        {0xD2, 3, ZVT_U, 4, 64, 0, 2048},   // 3rd-level cache: 2 MByte, 4-way, 64 byte line
        {0xD6, 3, ZVT_U, 8, 64, 0, 1024},   // 3rd-level cache: 1 MByte, 8-way, 64 byte line
        {0xD7, 3, ZVT_U, 8, 64, 0, 2048},   // 3rd-level cache: 2 MByte, 8-way, 64 byte line
        {0xD8, 3, ZVT_U, 8, 64, 0, 4096},   // 3rd-level cache: 4 MByte, 8-way, 64 byte line
        {0xDC, 3, ZVT_U, 12, 64, 0, 1536},  // 3rd-level cache: 1.5 MByte, 12-way, 64 byte line
        {0xDD, 3, ZVT_U, 12, 64, 0, 3072},  // 3rd-level cache: 3 MByte, 12-way, 64 byte line
        {0xDE, 3, ZVT_U, 12, 64, 0, 6144},  // 3rd-level cache: 6 MByte, 12-way, 64 byte line
        {0xE2, 3, ZVT_U, 16, 64, 0, 2048},  // 3rd-level cache: 2 MByte, 16-way, 64 byte line
        {0xE3, 3, ZVT_U, 16, 64, 0, 4096},  // 3rd-level cache: 4 MByte, 16-way, 64 byte line
        {0xE4, 3, ZVT_U, 16, 64, 0, 8192},  // 3rd-level cache: 8 MByte, 16-way, 64 byte line
        {0xEA, 3, ZVT_U, 24, 64, 0, 12288}, // 3rd-level cache: 12MByte, 24-way, 64 byte line
        {0xEB, 3, ZVT_U, 24, 64, 0, 18432}, // 3rd-level cache: 18MByte, 24-way, 64 byte line
        {0xEC, 3, ZVT_U, 24, 64, 0, 24576}, // 3rd-level cache: 24MByte, 24-way, 64 byte line
    };
#undef ZVT_D
#undef ZVT_I
#undef ZVT_U
#undef ZVT_T
    size_t i;
    for (i = 0; i < sizeof rows / sizeof rows[0]; ++i)
    {
        if (rows[i].descriptor == descriptor)
            return &rows[i];
    }
    return NULL;
}

// A description with nothing stated yet.
ZVT_CPUID_INLINE ZVT_CACHE_DESCRIPTION zvtCacheBlank(uint32_t sourceLeaf, uint32_t sourceIndex)
{
    ZVT_CACHE_DESCRIPTION cache = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    cache.sourceLeaf = sourceLeaf;
    cache.sourceIndex = sourceIndex;
    cache.sharedBy = ZVT_CACHE_UNKNOWN;
    return cache;
}

ZVT_CPUID_INLINE void zvtCacheAdd(ZVT_CACHE_WRITER* writer, const ZVT_CACHE_DESCRIPTION* cache)
{
    if (writer->found < writer->capacity)
        writer->caches[writer->found] = *cache;
    else
        writer->status |= ZVT_CACHE_LIST_TRUNCATED;
    ++writer->found;
}

// Sets from size, ways and line when the ways are an exact number; 1 when fully associative; else 0.
ZVT_CPUID_INLINE uint64_t zvtCacheSets(const ZVT_CACHE_DESCRIPTION* cache)
{
    uint64_t way;
    if (cache->ways == ZVT_CACHE_FULLY_ASSOCIATIVE)
        return cache->sizeBytes != 0 ? 1u : 0u;
    if (cache->ways <= 0 || cache->lineBytes <= 0 || (cache->flags & ZVT_CACHE_FLAG_WAYS_AT_LEAST) != 0)
        return 0;
    way = ZVT_CACHE_U64(ZVT_CACHE_U32(cache->ways)) * ZVT_CACHE_U32(cache->lineBytes);
    return cache->sizeBytes % way == 0 ? cache->sizeBytes / way : 0u;
}

// The (leaf, sub-leaf) answer when the leaf is within its range's highest leaf and the view holds it.
ZVT_CPUID_INLINE const ZVT_CPUID_ENTRY* zvtCacheEntry(const ZVT_CACHE_PROCESSOR* cpu, uint32_t leaf,
                                                      uint32_t subleaf)
{
    const int inRange = leaf < 0x80000000u ? leaf <= cpu->highestBasic
                                           : cpu->highestExtended != 0 && leaf <= cpu->highestExtended;
    return inRange ? zvtFindEntry(cpu->view, leaf, subleaf) : NULL;
}

// Leaf 4 and 0x8000001D share one layout; EDX[2] (complex indexing) is leaf 4's alone.
ZVT_CPUID_INLINE ZVT_CACHE_DESCRIPTION zvtCacheFromDeterministic(const ZVT_CPUID_ENTRY* entry)
{
    ZVT_CACHE_DESCRIPTION cache = zvtCacheBlank(entry->leaf, entry->subleaf);
    const uint32_t ways = ((entry->ebx >> 22) & 0x3FFu) + 1u;
    const uint32_t partitions = ((entry->ebx >> 12) & 0x3FFu) + 1u;
    const uint32_t line = (entry->ebx & 0xFFFu) + 1u;
    const uint64_t sets = ZVT_CACHE_U64(entry->ecx) + 1u;
    const uint64_t way = ZVT_CACHE_U64(ways) * partitions * line; // at most 2^32
    cache.rawType = ZVT_CACHE_I32(entry->eax & 0x1Fu);
    cache.type = cache.rawType <= ZVT_CACHE_TYPE_UNIFIED ? cache.rawType : ZVT_CACHE_TYPE_RESERVED;
    cache.level = ZVT_CACHE_I32((entry->eax >> 5) & 0x7u);
    cache.flags |= (entry->eax & 0x100u) != 0 ? ZVT_CACHE_FLAG_SELF_INITIALIZING : 0u;
    cache.flags |= (entry->eax & 0x200u) != 0 ? ZVT_CACHE_FLAG_FULLY_ASSOCIATIVE : 0u;
    cache.flags |= (entry->edx & 0x1u) != 0 ? ZVT_CACHE_FLAG_WBINVD_NOT_LOWER : 0u;
    cache.flags |= (entry->edx & 0x2u) != 0 ? ZVT_CACHE_FLAG_INCLUSIVE : 0u;
    cache.flags |= entry->leaf == 4u && (entry->edx & 0x4u) != 0 ? ZVT_CACHE_FLAG_COMPLEX_INDEXING : 0u;
    cache.sharedBy = ZVT_CACHE_I32(((entry->eax >> 14) & 0xFFFu) + 1u);
    cache.ways = (cache.flags & ZVT_CACHE_FLAG_FULLY_ASSOCIATIVE) != 0 ? ZVT_CACHE_FULLY_ASSOCIATIVE
                                                                       : ZVT_CACHE_I32(ways);
    cache.partitions = ZVT_CACHE_I32(partitions);
    cache.lineBytes = ZVT_CACHE_I32(line);
    cache.sets = sets;
    cache.sizeBytes = sets > UINT64_MAX / way ? UINT64_MAX : way * sets;
    return cache;
}

// Sub-leaves of leaf 4 or 0x8000001D up to the null type. Returns the caches listed.
ZVT_CPUID_INLINE size_t zvtCacheWalkDeterministic(const ZVT_CACHE_PROCESSOR* cpu, uint32_t leaf,
                                                  ZVT_CACHE_WRITER* writer)
{
    size_t listed = 0;
    uint32_t subleaf;
    for (subleaf = 0; subleaf < ZVT_CACHE_MAX_SUBLEAVES; ++subleaf)
    {
        const ZVT_CPUID_ENTRY* entry = zvtCacheEntry(cpu, leaf, subleaf);
        ZVT_CACHE_DESCRIPTION cache;
        if (entry == NULL && !zvtViewKnowsSubleaf(cpu->view, subleaf))
        {
            writer->status |= ZVT_CACHE_LIST_INCOMPLETE;
            return listed;
        }
        if (entry == NULL || (entry->eax & 0x1Fu) == 0)
            return listed;
        cache = zvtCacheFromDeterministic(entry);
        zvtCacheAdd(writer, &cache);
        ++listed;
    }
    writer->status |= ZVT_CACHE_LIST_UNTERMINATED;
    return listed;
}

// The cache descriptors of leaf 2 (trace caches only when traceOnly). Returns the caches listed; sets
// *needsLeaf4 when descriptor 0xFF says the caches are in leaf 4.
ZVT_CPUID_INLINE size_t zvtCacheWalkLeaf2(const ZVT_CACHE_PROCESSOR* cpu, int traceOnly,
                                          ZVT_CACHE_WRITER* writer, int* needsLeaf4)
{
    const ZVT_CPUID_ENTRY* entry = zvtCacheEntry(cpu, 2u, 0u);
    size_t listed = 0;
    int reg;
    *needsLeaf4 = 0;
    if (entry == NULL)
        return 0;
    for (reg = 0; reg < 4; ++reg)
    {
        const uint32_t value = reg == 0   ? entry->eax
                               : reg == 1 ? entry->ebx
                               : reg == 2 ? entry->ecx
                                          : entry->edx;
        unsigned byte;
        if ((value & 0x80000000u) != 0) // bit 31: the register holds no descriptors
            continue;
        for (byte = reg == 0 ? 1u : 0u; byte < 4u; ++byte) // AL is the call count, not a descriptor
        {
            const uint32_t descriptor = (value >> (8u * byte)) & 0xFFu;
            const ZVT_CACHE_LEAF2_ROW* row = zvtCacheLeaf2Row(descriptor);
            ZVT_CACHE_DESCRIPTION cache = zvtCacheBlank(2u, descriptor);
            *needsLeaf4 |= descriptor == 0xFFu;
            if (row == NULL || (traceOnly && row->type != ZVT_CACHE_TYPE_TRACE))
                continue;
            cache.level = row->level;
            cache.type = row->type;
            cache.ways = row->ways;
            cache.lineBytes = row->lineBytes;
            cache.linesPerTag = row->linesPerSector;
            if (row->type == ZVT_CACHE_TYPE_TRACE)
                cache.sizeUops = ZVT_CACHE_I32(row->size) * 1024;
            else
                cache.sizeBytes = ZVT_CACHE_U64(row->size) * 1024u;
            if (descriptor == 0x49u && cpu->family == 0xFu && cpu->model == 6u)
                cache.level = 3;
            cache.sets = zvtCacheSets(&cache);
            zvtCacheAdd(writer, &cache);
            ++listed;
        }
    }
    return listed;
}

// Ways of the 4-bit code of 0x80000006. Intel (SDM): exact numbers, 0 for reserved codes and 7 ("see leaf
// 4"). AMD (APM volume 3, appendix E): a range for most codes, whose least is given with
// ZVT_CACHE_FLAG_WAYS_AT_LEAST; 0 for 7 (reserved) and 9 ("see 0x8000001D").
ZVT_CPUID_INLINE void zvtCacheWaysCode(uint32_t code, int intel, ZVT_CACHE_DESCRIPTION* cache)
{
    static const int16_t intelWays[16] = {0, 1, 2, 0, 4, 0, 8, 0, 16, 0, 32, 48, 64, 96, 128, -1};
    static const int16_t amdWays[16] = {0, 1, 2, 3, 4, 6, 8, 0, 16, 0, 32, 48, 64, 96, 128, -1};
    code &= 0xFu;
    cache->ways = intel ? intelWays[code] : amdWays[code];
    if (cache->ways == ZVT_CACHE_FULLY_ASSOCIATIVE)
        cache->flags |= ZVT_CACHE_FLAG_FULLY_ASSOCIATIVE;
    else if (!intel && code >= 4u && cache->ways > 0)
        cache->flags |= ZVT_CACHE_FLAG_WAYS_AT_LEAST;
}

// 0x80000005 ECX or EDX: KiB in 31:24, ways in 23:16 (0xFF fully associative), lines per tag, line bytes.
ZVT_CPUID_INLINE void zvtCacheAddL1Layout(ZVT_CACHE_WRITER* writer, uint32_t value, uint32_t sourceLeaf,
                                          int32_t level, int32_t type, uint32_t flags)
{
    ZVT_CACHE_DESCRIPTION cache = zvtCacheBlank(sourceLeaf, 0u);
    const uint32_t ways = (value >> 16) & 0xFFu;
    if ((value >> 24) == 0)
        return;
    cache.level = level;
    cache.type = type;
    cache.flags = flags;
    cache.sizeBytes = ZVT_CACHE_U64(value >> 24) * 1024u;
    cache.ways = ways == 0xFFu ? ZVT_CACHE_FULLY_ASSOCIATIVE : ZVT_CACHE_I32(ways);
    cache.flags |= ways == 0xFFu ? ZVT_CACHE_FLAG_FULLY_ASSOCIATIVE : 0u;
    cache.linesPerTag = ZVT_CACHE_I32((value >> 8) & 0xFFu);
    cache.lineBytes = ZVT_CACHE_I32(value & 0xFFu);
    cache.sets = zvtCacheSets(&cache);
    zvtCacheAdd(writer, &cache);
}

// 0x80000006 ECX (L2: KiB in 31:16) or, from AMD, EDX (L3: 512 KiB units in 31:18); ways code in 15:12,
// lines per tag in 11:8 (AMD's), line bytes in 7:0. Code 0 is a cache turned off or absent.
ZVT_CPUID_INLINE void zvtCacheAddL2Layout(ZVT_CACHE_WRITER* writer, uint32_t value, int32_t level, int intel)
{
    ZVT_CACHE_DESCRIPTION cache = zvtCacheBlank(0x80000006u, 0u);
    const uint64_t size =
        level == 2 ? ZVT_CACHE_U64(value >> 16) * 1024u : ZVT_CACHE_U64(value >> 18) * 512u * 1024u;
    if (size == 0 || ((value >> 12) & 0xFu) == 0)
        return;
    cache.level = level;
    cache.type = ZVT_CACHE_TYPE_UNIFIED;
    cache.sizeBytes = size;
    zvtCacheWaysCode(value >> 12, intel, &cache);
    cache.linesPerTag = intel ? 0 : ZVT_CACHE_I32((value >> 8) & 0xFu);
    cache.lineBytes = ZVT_CACHE_I32(value & 0xFFu);
    cache.flags |= level == 3 ? ZVT_CACHE_FLAG_PACKAGE_TOTAL : 0u;
    cache.sets = zvtCacheSets(&cache);
    zvtCacheAdd(writer, &cache);
}

// 0x80000005 and 0x80000006 as the vendor lays them out.
ZVT_CPUID_INLINE void zvtCacheWalkExtended(const ZVT_CACHE_PROCESSOR* cpu, ZVT_CACHE_WRITER* writer)
{
    const ZVT_CPUID_ENTRY* l1 = zvtCacheEntry(cpu, 0x80000005u, 0u);
    const ZVT_CPUID_ENTRY* l2 = zvtCacheEntry(cpu, 0x80000006u, 0u);
    const int intel = cpu->vendor == ZVT_CACHE_VENDOR_INTEL;
    if (l1 != NULL && !intel)
    {
        zvtCacheAddL1Layout(writer, l1->ecx, 0x80000005u, 1, ZVT_CACHE_TYPE_DATA, 0u);
        zvtCacheAddL1Layout(writer, l1->edx, 0x80000005u, 1, ZVT_CACHE_TYPE_INSTRUCTION, 0u);
    }
    if (l2 == NULL)
        return;
    if (cpu->vendor == ZVT_CACHE_VENDOR_CENTAUR && cpu->family == 6u &&
        (cpu->model == 7u || cpu->model == 8u))
        zvtCacheAddL1Layout(writer, l2->ecx, 0x80000006u, 2, ZVT_CACHE_TYPE_UNIFIED,
                            ZVT_CACHE_FLAG_CORRECTED);
    else
        zvtCacheAddL2Layout(writer, l2->ecx, 2, intel);
    if (cpu->vendor == ZVT_CACHE_VENDOR_AMD)
        zvtCacheAddL2Layout(writer, l2->edx, 3, 0);
}

// The vendor of leaf 0 (EBX, EDX, ECX).
ZVT_CPUID_INLINE int zvtCacheVendor(const ZVT_CPUID_ENTRY* leaf0)
{
    if (leaf0->ebx == 0x756E6547u && leaf0->edx == 0x49656E69u && leaf0->ecx == 0x6C65746Eu)
        return ZVT_CACHE_VENDOR_INTEL; // GenuineIntel
    if ((leaf0->ebx == 0x68747541u && leaf0->edx == 0x69746E65u && leaf0->ecx == 0x444D4163u) ||
        (leaf0->ebx == 0x6F677948u && leaf0->edx == 0x6E65476Eu && leaf0->ecx == 0x656E6975u))
        return ZVT_CACHE_VENDOR_AMD; // AuthenticAMD, HygonGenuine
    if (leaf0->ebx == 0x746E6543u && leaf0->edx == 0x48727561u && leaf0->ecx == 0x736C7561u)
        return ZVT_CACHE_VENDOR_CENTAUR; // CentaurHauls
    return ZVT_CACHE_VENDOR_OTHER;
}

// Describes every cache of the view's processor into caches (capacity entries; NULL when capacity is 0), in
// the order its source lists them, and returns how many there are: more than capacity when they do not all
// fit (the first capacity are written; ZVT_CACHE_LIST_MAX always suffices). status (may be NULL) receives
// ZVT_CACHE_LIST_* bits, 0 when the list is whole. A view without leaf 0 has no caches.
ZVT_CPUID_INLINE size_t zvtDescribeCaches(const ZVT_CPUID_VIEW* view, ZVT_CACHE_DESCRIPTION* caches,
                                          size_t capacity, uint32_t* status)
{
    ZVT_CACHE_WRITER writer;
    ZVT_CACHE_PROCESSOR cpu;
    const ZVT_CPUID_ENTRY* leaf0;
    const ZVT_CPUID_ENTRY* entry;
    int needsLeaf4 = 0;
    writer.caches = caches;
    writer.capacity = caches != NULL ? capacity : 0;
    writer.found = 0;
    writer.status = 0;
    if (status != NULL)
        *status = 0;
    if (view == NULL || (view->entries == NULL && view->count != 0))
        return 0;
    leaf0 = zvtFindEntry(view, 0u, 0u);
    if (leaf0 == NULL)
        return 0;
    cpu.view = view;
    cpu.highestBasic = leaf0->eax;
    cpu.highestExtended = 0;
    cpu.vendor = zvtCacheVendor(leaf0);
    cpu.family = 0;
    cpu.model = 0;
    entry = zvtFindEntry(view, 0x80000000u, 0u);
    if (entry != NULL && (entry->eax & 0xFFFF0000u) == 0x80000000u)
        cpu.highestExtended = entry->eax;
    entry = zvtCacheEntry(&cpu, 1u, 0u);
    if (entry != NULL)
    {
        const uint32_t baseFamily = (entry->eax >> 8) & 0xFu;
        cpu.family = baseFamily == 0xFu ? baseFamily + ((entry->eax >> 20) & 0xFFu) : baseFamily;
        cpu.model = (entry->eax >> 4) & 0xFu;
        if (baseFamily == 6u || baseFamily == 0xFu)
            cpu.model |= ((entry->eax >> 16) & 0xFu) << 4;
    }

    if (cpu.vendor == ZVT_CACHE_VENDOR_AMD)
    {
        entry = zvtCacheEntry(&cpu, 0x80000001u, 0u);
        if (entry == NULL || (entry->ecx & (1u << 22)) == 0 || !view->allSubleaves ||
            zvtCacheWalkDeterministic(&cpu, 0x8000001Du, &writer) == 0)
            zvtCacheWalkExtended(&cpu, &writer);
    }
    else if (zvtCacheWalkDeterministic(&cpu, 4u, &writer) != 0)
    {
        if (cpu.vendor == ZVT_CACHE_VENDOR_INTEL)
            (void)zvtCacheWalkLeaf2(&cpu, 1, &writer, &needsLeaf4);
    }
    else
    {
        if (cpu.vendor != ZVT_CACHE_VENDOR_INTEL || zvtCacheWalkLeaf2(&cpu, 0, &writer, &needsLeaf4) == 0)
            zvtCacheWalkExtended(&cpu, &writer);
        if (needsLeaf4) // the caches are in leaf 4, which the view does not reach
            writer.status |= ZVT_CACHE_LIST_INCOMPLETE;
    }
    if (status != NULL)
        *status = writer.status;
    return writer.found;
}

#ifdef __cplusplus
}
#endif

#endif // ZAVSYS_CACHES_H
