// zavsys.h - the public interface of zavsys.dll for C and C++ callers, 32-bit and 64-bit.
// Records are little-endian with 4-byte fields and the same layout in both widths; each starts with its own
// size in bytes, set by the caller. On 32-bit x86 every export is __stdcall (the callee pops its arguments).
#ifndef ZAVSYS_H
#define ZAVSYS_H

#include <stddef.h> /* offsetof, wchar_t in C */
#include <stdint.h>

#if defined(_WIN32) && !defined(_WIN64)
#define ZVT_API __stdcall
#else
#define ZVT_API
#endif

#ifdef _WIN32
typedef wchar_t ZVT_WCHAR; // UTF-16
#else
typedef uint16_t ZVT_WCHAR; // UTF-16 code units where wchar_t is wider
#endif

// Layout checks at compile time in C++, C11 and older C alike (C89 gets a negative array size on failure).
#if defined(__cplusplus)
#define ZVT_STATIC_ASSERT(condition, message) static_assert(condition, message)
#elif defined(__STDC_VERSION__) && __STDC_VERSION__ >= 201112L
#define ZVT_STATIC_ASSERT(condition, message) _Static_assert(condition, message)
#else
#define ZVT_STATIC_ASSERT_NAME2(line) zvt_static_assert_##line
#define ZVT_STATIC_ASSERT_NAME(line) ZVT_STATIC_ASSERT_NAME2(line)
#define ZVT_STATIC_ASSERT(condition, message)                                                                \
    typedef char ZVT_STATIC_ASSERT_NAME(__LINE__)[(condition) ? 1 : -1]
#endif

#ifdef __cplusplus
extern "C" {
#endif

#pragma pack(push, 4)

// One CPUID answer.
typedef struct ZVT_CPUID_LEAF
{
    uint32_t eax;
    uint32_t ebx;
    uint32_t ecx;
    uint32_t edx;
} ZVT_CPUID_LEAF;

#define ZVT_CPUID_LEAVES 64
#define ZVT_IDENTITY_SIZE 2056
#define ZVT_INFORMATION_SIZE 116
#define ZVT_WINDOWS_VERSION_SIZE 24

// The raw CPUID tables: basic[i] is leaf i, extended[i] is leaf 0x80000000 + i; unread leaves are all zero.
typedef struct ZVT_CPU_IDENTITY
{
    int32_t size;    // ZVT_IDENTITY_SIZE; any other value leaves the record untouched
    float frequency; // MHz, 0 when no measurement was asked for
    ZVT_CPUID_LEAF basic[ZVT_CPUID_LEAVES];
    ZVT_CPUID_LEAF extended[ZVT_CPUID_LEAVES];
} ZVT_CPU_IDENTITY;

// The decoded processor. Note: extended before base for family and model.
typedef struct ZVT_CPU_INFORMATION
{
    int32_t size;       // bytes the caller wants back (ZVT_INFORMATION_SIZE for all)
    float frequency;    // MHz, unrounded; 0 when no measurement was asked for
    char vendor[14];    // CPUID vendor string, NUL-terminated
    char modelName[50]; // brand string, or a name from the model tables when there is none
    int32_t family;     // baseFamily + extendedFamily
    int32_t extendedFamily;
    int32_t baseFamily;
    int32_t model; // extendedModel * 16 + baseModel
    int32_t extendedModel;
    int32_t baseModel;
    int32_t stepping;
    int32_t cores;        // maximum addressable core IDs + 1 (not the operating system's count)
    int32_t logicalCores; // always 0
    int32_t threads;      // always 0
    uint32_t features;    // ZVT_FEATURE_* bits
} ZVT_CPU_INFORMATION;

// The file version of kernel32.dll and the edition code of GetProductInfo. Note: revision comes first.
typedef struct ZVT_WINDOWS_VERSION
{
    uint32_t size; // at least ZVT_WINDOWS_VERSION_SIZE, or nothing is written; never changed by the library
    uint32_t revision;
    uint32_t major;
    uint32_t minor;
    uint32_t build;
    uint32_t productType;
} ZVT_WINDOWS_VERSION;

// One CPUID answer with the leaf and sub-leaf it answers.
typedef struct ZVT_CPUID_ENTRY
{
    uint32_t leaf;
    uint32_t subleaf;
    uint32_t eax;
    uint32_t ebx;
    uint32_t ecx;
    uint32_t edx;
} ZVT_CPUID_ENTRY;

// Every leaf and sub-leaf one logical processor answers (zvtGetCpuidDump): the basic leaves up to the
// highest, the hypervisor's leaves when leaf 1 says one is present, the extended leaves up to the highest,
// each leaf with the sub-leaves its documented enumeration defines, in ascending (leaf, sub-leaf) order.
// The caller sizes the record: ZVT_CPUID_DUMP_SIZE(n) bytes hold n entries.
typedef struct ZVT_CPUID_DUMP
{
    uint32_t size;      // bytes of the whole record, set by the caller
    uint32_t processor; // the logical processor the entries come from (set by the library)
    uint32_t count;     // entries written; on ZVT_E_DUMP_TOO_SMALL, the entries needed
    uint32_t reserved;  // 0
    ZVT_CPUID_ENTRY entries[1];
} ZVT_CPUID_DUMP;

#define ZVT_CPUID_DUMP_HEADER_SIZE 16
#define ZVT_CPUID_DUMP_SIZE(entries) (ZVT_CPUID_DUMP_HEADER_SIZE + 24 * (entries))
// The most entries one processor's dump holds; a record of ZVT_CPUID_DUMP_SIZE(ZVT_CPUID_DUMP_MAX_ENTRIES)
// bytes is always large enough.
#define ZVT_CPUID_DUMP_MAX_ENTRIES 1024

// The topology of one logical processor (decoded by zavsys_topology.h, which defines the constants named
// below). Counts are ZVT_TOPOLOGY_UNKNOWN (-1) when not known.
typedef struct ZVT_TOPOLOGY
{
    int32_t method;            // ZVT_TOPOLOGY_NONE, _LEAF_1F, _LEAF_B, _AMD or _LEGACY
    uint32_t flags;            // ZVT_TOPOLOGY_HAS_APIC_ID ...
    int32_t threadsPerCore;    // logical processors of this processor's core
    int32_t logicalPerModule;  // of its module (0x1F module level; AMD family 0x15 compute unit)
    int32_t logicalPerDie;     // of its die (0x1F die level)
    int32_t logicalPerPackage; // of its package
    int32_t coresPerPackage;   // unknown on a hybrid processor: one view cannot tell the other cores' threads
    int32_t smtShift;          // low APIC ID bits that number the thread in its core
    int32_t packageShift;      // low APIC ID bits below the package ID
    uint32_t apicId;    // x2APIC ID (0x1F or 0xB EDX), else leaf 1 EBX[31:24]; ZVT_TOPOLOGY_HAS_APIC_ID
    uint32_t packageId; // apicId >> packageShift; ZVT_TOPOLOGY_HAS_SPLIT
    uint32_t coreId;    // the bits between smtShift and packageShift: the core within its package
    uint32_t threadId;  // the low smtShift bits: the thread within its core
    int32_t coreType;   // ZVT_CORE_TYPE_*
} ZVT_TOPOLOGY;

// All logical processors of a machine (zavsys_topology.h). Counts are ZVT_TOPOLOGY_UNKNOWN when not known;
// the per-type counts are known when some processor tells its core type, and may then be 0 (no core of that
// type).
typedef struct ZVT_MACHINE_TOPOLOGY
{
    int32_t processors;         // entries given
    int32_t logical;            // distinct APIC IDs; a processor without one counts once
    int32_t cores;              // distinct (package, core) IDs
    int32_t packages;           // distinct package IDs
    uint32_t flags;             // ZVT_MACHINE_*
    int32_t performanceCores;   // cores of ZVT_CORE_TYPE_PERFORMANCE
    int32_t performanceLogical; // their logical processors
    int32_t efficiencyCores;    // cores of ZVT_CORE_TYPE_EFFICIENCY
    int32_t efficiencyLogical;  // their logical processors
} ZVT_MACHINE_TOPOLOGY;

// The processor details record (zvtGetProcessorDetails): everything the decoding headers tell about one
// logical processor, and with ZVT_DETAILS_MACHINE about all of them, in one call, for callers that cannot
// use the headers. Texts are ASCII, NUL-terminated, and hold every name the tables have.
#define ZVT_DETAILS_FLAG_WORDS                                                                               \
    32 // room for the flag words: ZVT_FLAG_WORDS (zavsys_features.h) are used today
#define ZVT_DETAILS_CACHES 16
#define ZVT_DETAILS_UARCHES 4
#define ZVT_DETAILS_NAME_SIZE 48
#define ZVT_DETAILS_CODENAME_SIZE 128

// A microarchitecture as the table names it (zavsys_uarch.h): with ZVT_UARCH_FAMILY only the generation is
// known, with ZVT_UARCH_GENERATION no codename; what is not known is "unknown".
typedef struct ZVT_DETAILS_UARCH
{
    int32_t kind;                      // ZVT_UARCH_EXACT (3), _GENERATION (2), _FAMILY (1), _UNKNOWN (0)
    uint32_t coreType;                 // leaf 0x1A EAX[31:24]: 0x40 performance, 0x20 efficiency, 0 not told
    uint32_t nativeModel;              // leaf 0x1A EAX[23:0]
    int32_t logical;                   // in the machine list: the logical processors with this one; else 1
    char uarch[ZVT_DETAILS_NAME_SIZE]; // "Golden Cove"
    char generation[ZVT_DETAILS_NAME_SIZE];   // uarch, or a family's generation ("Zen 5/Zen 6")
    char codename[ZVT_DETAILS_CODENAME_SIZE]; // "Alder Lake-S"
} ZVT_DETAILS_UARCH;

// One cache (zavsys_caches.h, whose ZVT_CACHE_* constants the fields hold).
typedef struct ZVT_DETAILS_CACHE
{
    int32_t level;       // 1, 2, 3 ...; 0 when not stated
    int32_t type;        // ZVT_CACHE_TYPE_DATA (1), _INSTRUCTION (2), _UNIFIED (3), _TRACE (4), _RESERVED (5)
    uint32_t sizeBytes;  // 0xFFFFFFFF for 4 GiB or more; 0 for a trace cache
    uint32_t sets;       // 0 when not stated; 0xFFFFFFFF for more
    int32_t ways;        // -1 fully associative; 0 when not stated
    int32_t lineBytes;   // 0 when not stated
    int32_t partitions;  // 0 when not stated
    int32_t linesPerTag; // 0 when not stated
    int32_t sharedBy;    // logical processors sharing it (the most IDs); -1 when the source does not tell
    int32_t sizeUops;    // a trace cache's micro-ops; 0 for the others
    uint32_t flags;      // ZVT_CACHE_FLAG_*
    uint32_t sourceLeaf; // 4, 0x8000001D, 2, 0x80000005 or 0x80000006
    uint32_t sourceIndex; // the sub-leaf of 4 and 0x8000001D, the descriptor byte of leaf 2, else 0
    int32_t rawType;      // leaf 4 / 0x8000001D EAX[4:0]; 0 from other leaves
} ZVT_DETAILS_CACHE;

#define ZVT_DETAILS_SIZE 2612
#define ZVT_DETAILS_HEADER_SIZE 16

typedef struct ZVT_PROCESSOR_DETAILS
{
    uint32_t size;      // bytes of the record the caller has, at least ZVT_DETAILS_HEADER_SIZE; never changed
    uint32_t written;   // bytes written: the smaller of size and ZVT_DETAILS_SIZE (set by the library)
    uint32_t processor; // the logical processor decoded
    uint32_t filled;    // ZVT_DETAILS_MACHINE when machine and uarches are filled, ZVT_DETAILS_* below
    char vendor[16];    // leaf 0: "GenuineIntel"
    char brand[52];     // extended leaves 0x80000002-4 as they are; "" when there are none
    char hypervisor[16]; // leaf 0x40000000 EBX ECX EDX ("KVMKVMKVM"); "" when leaf 1 reports no hypervisor
    uint32_t signature;  // leaf 1 EAX
    uint32_t family;     // the displayed family, model and stepping
    uint32_t model;
    uint32_t stepping;
    ZVT_DETAILS_UARCH uarch;                 // this logical processor's
    uint32_t flagWords;                      // words of flags filled (the rest are 0)
    uint32_t flags[ZVT_DETAILS_FLAG_WORDS];  // flag n is bit n % 32 of word n / 32 (zavsys_features.h)
    uint32_t usable[ZVT_DETAILS_FLAG_WORDS]; // the flags whose register state the OS enables in XCR0
    int32_t level;                           // x86-64 level by CPUID: 0 none, 1 baseline, 2 v2, 3 v3, 4 v4
    int32_t enabledLevel;                    // the level the OS lets programs use (XCR0)
    uint32_t xcr0Low;                        // XCR0 as read on the processor; 0 without OSXSAVE
    uint32_t xcr0High;
    int32_t avx10Version;        // 0 without AVX10
    uint32_t avx10VectorWidths;  // ZVT_AVX10_VL128 (1), _VL256 (2), _VL512 (4)
    int32_t physicalAddressBits; // extended leaf 0x80000008 EAX; 0 when the processor lacks it
    int32_t linearAddressBits;
    int32_t guestPhysicalAddressBits; // 0: the same as physicalAddressBits
    uint32_t cacheCount;              // caches listed (at most ZVT_DETAILS_CACHES)
    uint32_t cacheStatus; // ZVT_CACHE_LIST_* (zavsys_caches.h); ZVT_CACHE_LIST_TRUNCATED when more exist
    ZVT_DETAILS_CACHE caches[ZVT_DETAILS_CACHES];
    ZVT_TOPOLOGY topology;        // this logical processor's
    ZVT_MACHINE_TOPOLOGY machine; // all logical processors' (ZVT_DETAILS_MACHINE); processors 0 otherwise
    uint32_t uarchCount;          // distinct microarchitectures among them (ZVT_DETAILS_MACHINE; 0 otherwise)
    ZVT_DETAILS_UARCH uarches[ZVT_DETAILS_UARCHES]; // one per core type on a hybrid
} ZVT_PROCESSOR_DETAILS;

#pragma pack(pop)

ZVT_STATIC_ASSERT(sizeof(ZVT_CPUID_LEAF) == 16, "ZVT_CPUID_LEAF is 16 bytes");
ZVT_STATIC_ASSERT(sizeof(ZVT_CPU_IDENTITY) == ZVT_IDENTITY_SIZE, "ZVT_CPU_IDENTITY is 2056 bytes");
ZVT_STATIC_ASSERT(offsetof(ZVT_CPU_IDENTITY, frequency) == 4, "frequency at 4");
ZVT_STATIC_ASSERT(offsetof(ZVT_CPU_IDENTITY, basic) == 8, "basic table at 8");
ZVT_STATIC_ASSERT(offsetof(ZVT_CPU_IDENTITY, extended) == 1032, "extended table at 1032");
ZVT_STATIC_ASSERT(sizeof(ZVT_CPU_INFORMATION) == ZVT_INFORMATION_SIZE, "ZVT_CPU_INFORMATION is 116 bytes");
ZVT_STATIC_ASSERT(offsetof(ZVT_CPU_INFORMATION, vendor) == 8, "vendor at 8");
ZVT_STATIC_ASSERT(offsetof(ZVT_CPU_INFORMATION, modelName) == 22, "modelName at 22");
ZVT_STATIC_ASSERT(offsetof(ZVT_CPU_INFORMATION, family) == 72, "family at 72");
ZVT_STATIC_ASSERT(offsetof(ZVT_CPU_INFORMATION, extendedFamily) == 76, "extendedFamily at 76");
ZVT_STATIC_ASSERT(offsetof(ZVT_CPU_INFORMATION, baseFamily) == 80, "baseFamily at 80");
ZVT_STATIC_ASSERT(offsetof(ZVT_CPU_INFORMATION, model) == 84, "model at 84");
ZVT_STATIC_ASSERT(offsetof(ZVT_CPU_INFORMATION, extendedModel) == 88, "extendedModel at 88");
ZVT_STATIC_ASSERT(offsetof(ZVT_CPU_INFORMATION, baseModel) == 92, "baseModel at 92");
ZVT_STATIC_ASSERT(offsetof(ZVT_CPU_INFORMATION, stepping) == 96, "stepping at 96");
ZVT_STATIC_ASSERT(offsetof(ZVT_CPU_INFORMATION, cores) == 100, "cores at 100");
ZVT_STATIC_ASSERT(offsetof(ZVT_CPU_INFORMATION, logicalCores) == 104, "logicalCores at 104");
ZVT_STATIC_ASSERT(offsetof(ZVT_CPU_INFORMATION, threads) == 108, "threads at 108");
ZVT_STATIC_ASSERT(offsetof(ZVT_CPU_INFORMATION, features) == 112, "features at 112");
ZVT_STATIC_ASSERT(sizeof(ZVT_WINDOWS_VERSION) == ZVT_WINDOWS_VERSION_SIZE, "ZVT_WINDOWS_VERSION is 24 bytes");
ZVT_STATIC_ASSERT(offsetof(ZVT_WINDOWS_VERSION, revision) == 4, "revision at 4");
ZVT_STATIC_ASSERT(offsetof(ZVT_WINDOWS_VERSION, major) == 8, "major at 8");
ZVT_STATIC_ASSERT(offsetof(ZVT_WINDOWS_VERSION, minor) == 12, "minor at 12");
ZVT_STATIC_ASSERT(offsetof(ZVT_WINDOWS_VERSION, build) == 16, "build at 16");
ZVT_STATIC_ASSERT(offsetof(ZVT_WINDOWS_VERSION, productType) == 20, "productType at 20");
ZVT_STATIC_ASSERT(sizeof(ZVT_CPUID_ENTRY) == 24, "ZVT_CPUID_ENTRY is 24 bytes");
ZVT_STATIC_ASSERT(offsetof(ZVT_CPUID_ENTRY, subleaf) == 4, "subleaf at 4");
ZVT_STATIC_ASSERT(offsetof(ZVT_CPUID_ENTRY, eax) == 8, "eax at 8");
ZVT_STATIC_ASSERT(offsetof(ZVT_CPUID_ENTRY, edx) == 20, "edx at 20");
ZVT_STATIC_ASSERT(offsetof(ZVT_CPUID_DUMP, processor) == 4, "processor at 4");
ZVT_STATIC_ASSERT(offsetof(ZVT_CPUID_DUMP, count) == 8, "count at 8");
ZVT_STATIC_ASSERT(offsetof(ZVT_CPUID_DUMP, entries) == ZVT_CPUID_DUMP_HEADER_SIZE, "entries at 16");
ZVT_STATIC_ASSERT(sizeof(ZVT_TOPOLOGY) == 56, "ZVT_TOPOLOGY is 56 bytes");
ZVT_STATIC_ASSERT(offsetof(ZVT_TOPOLOGY, apicId) == 36, "apicId at 36");
ZVT_STATIC_ASSERT(offsetof(ZVT_TOPOLOGY, coreType) == 52, "coreType at 52");
ZVT_STATIC_ASSERT(sizeof(ZVT_MACHINE_TOPOLOGY) == 36, "ZVT_MACHINE_TOPOLOGY is 36 bytes");
ZVT_STATIC_ASSERT(offsetof(ZVT_MACHINE_TOPOLOGY, efficiencyLogical) == 32, "efficiencyLogical at 32");
ZVT_STATIC_ASSERT(sizeof(ZVT_DETAILS_UARCH) == 240, "ZVT_DETAILS_UARCH is 240 bytes");
ZVT_STATIC_ASSERT(offsetof(ZVT_DETAILS_UARCH, uarch) == 16, "uarch at 16");
ZVT_STATIC_ASSERT(offsetof(ZVT_DETAILS_UARCH, generation) == 64, "generation at 64");
ZVT_STATIC_ASSERT(offsetof(ZVT_DETAILS_UARCH, codename) == 112, "codename at 112");
ZVT_STATIC_ASSERT(sizeof(ZVT_DETAILS_CACHE) == 56, "ZVT_DETAILS_CACHE is 56 bytes");
ZVT_STATIC_ASSERT(offsetof(ZVT_DETAILS_CACHE, sharedBy) == 32, "sharedBy at 32");
ZVT_STATIC_ASSERT(offsetof(ZVT_DETAILS_CACHE, rawType) == 52, "rawType at 52");
ZVT_STATIC_ASSERT(sizeof(ZVT_PROCESSOR_DETAILS) == ZVT_DETAILS_SIZE, "ZVT_PROCESSOR_DETAILS is 2612 bytes");
ZVT_STATIC_ASSERT(offsetof(ZVT_PROCESSOR_DETAILS, vendor) == ZVT_DETAILS_HEADER_SIZE, "vendor at 16");
ZVT_STATIC_ASSERT(offsetof(ZVT_PROCESSOR_DETAILS, brand) == 32, "brand at 32");
ZVT_STATIC_ASSERT(offsetof(ZVT_PROCESSOR_DETAILS, hypervisor) == 84, "hypervisor at 84");
ZVT_STATIC_ASSERT(offsetof(ZVT_PROCESSOR_DETAILS, signature) == 100, "signature at 100");
ZVT_STATIC_ASSERT(offsetof(ZVT_PROCESSOR_DETAILS, uarch) == 116, "uarch at 116");
ZVT_STATIC_ASSERT(offsetof(ZVT_PROCESSOR_DETAILS, flagWords) == 356, "flagWords at 356");
ZVT_STATIC_ASSERT(offsetof(ZVT_PROCESSOR_DETAILS, flags) == 360, "flags at 360");
ZVT_STATIC_ASSERT(offsetof(ZVT_PROCESSOR_DETAILS, usable) == 488, "usable at 488");
ZVT_STATIC_ASSERT(offsetof(ZVT_PROCESSOR_DETAILS, level) == 616, "level at 616");
ZVT_STATIC_ASSERT(offsetof(ZVT_PROCESSOR_DETAILS, xcr0Low) == 624, "xcr0Low at 624");
ZVT_STATIC_ASSERT(offsetof(ZVT_PROCESSOR_DETAILS, avx10Version) == 632, "avx10Version at 632");
ZVT_STATIC_ASSERT(offsetof(ZVT_PROCESSOR_DETAILS, physicalAddressBits) == 640, "physicalAddressBits at 640");
ZVT_STATIC_ASSERT(offsetof(ZVT_PROCESSOR_DETAILS, cacheCount) == 652, "cacheCount at 652");
ZVT_STATIC_ASSERT(offsetof(ZVT_PROCESSOR_DETAILS, caches) == 660, "caches at 660");
ZVT_STATIC_ASSERT(offsetof(ZVT_PROCESSOR_DETAILS, topology) == 1556, "topology at 1556");
ZVT_STATIC_ASSERT(offsetof(ZVT_PROCESSOR_DETAILS, machine) == 1612, "machine at 1612");
ZVT_STATIC_ASSERT(offsetof(ZVT_PROCESSOR_DETAILS, uarchCount) == 1648, "uarchCount at 1648");
ZVT_STATIC_ASSERT(offsetof(ZVT_PROCESSOR_DETAILS, uarches) == 1652, "uarches at 1652");

// Feature word bits (ZVT_CPU_INFORMATION.features); the comment is the label the dialog shows.
#define ZVT_FEATURE_3DNOW 0x00001u    // "3DNow!"   ext. leaf 0x80000001 EDX bit 31
#define ZVT_FEATURE_3DNOWEXT 0x00002u // "3DNow!+"  ext. leaf 0x80000001 EDX bit 30
#define ZVT_FEATURE_SSE4A 0x00004u    // "SSE4A"    ext. leaf 0x80000001 ECX bit 6
#define ZVT_FEATURE_MMX 0x00100u      // "MMX"      leaf 1 EDX bit 23
#define ZVT_FEATURE_MMXEXT 0x00200u   // "MMX+"     ext. leaf 0x80000001 EDX bit 22
#define ZVT_FEATURE_SSE 0x00400u      // "SSE"      leaf 1 EDX bit 25
#define ZVT_FEATURE_SSE2 0x00800u     // "SSE2"     leaf 1 EDX bit 26
#define ZVT_FEATURE_SSE3 0x01000u     // "SSE3"     leaf 1 ECX bit 0
#define ZVT_FEATURE_SSE41 0x02000u    // "SSE4.1"   leaf 1 ECX bit 19
#define ZVT_FEATURE_SSE42 0x04000u    // "SSE4.2"   leaf 1 ECX bit 20
#define ZVT_FEATURE_AMDV 0x10000u     // "AMD-V"    ext. leaf 0x80000001 ECX bit 2
#define ZVT_FEATURE_INTELVT 0x20000u  // "Intel-VT" leaf 1 ECX bit 5
#define ZVT_FEATURE_X86_64 0x40000u   // "x86-64"   ext. leaf 0x80000001 EDX bit 29

// The thirteen bits with the test program's labels, in the order of its check boxes. ENTRY is the
// caller's macro taking (mask, label), e.g. to build an array:
//   #define ROW(mask, label) {mask, label},
//   static const struct { uint32_t mask; const char* label; } labels[] = {ZVT_FEATURE_LABELS(ROW)};
#define ZVT_FEATURE_LABELS(ENTRY)                                                                            \
    ENTRY(ZVT_FEATURE_MMX, "MMX")                                                                            \
    ENTRY(ZVT_FEATURE_MMXEXT, "MMX+")                                                                        \
    ENTRY(ZVT_FEATURE_SSE, "SSE")                                                                            \
    ENTRY(ZVT_FEATURE_SSE2, "SSE2")                                                                          \
    ENTRY(ZVT_FEATURE_SSE3, "SSE3")                                                                          \
    ENTRY(ZVT_FEATURE_SSE41, "SSE4.1")                                                                       \
    ENTRY(ZVT_FEATURE_SSE42, "SSE4.2")                                                                       \
    ENTRY(ZVT_FEATURE_SSE4A, "SSE4A")                                                                        \
    ENTRY(ZVT_FEATURE_3DNOW, "3DNow!")                                                                       \
    ENTRY(ZVT_FEATURE_3DNOWEXT, "3DNow!+")                                                                   \
    ENTRY(ZVT_FEATURE_AMDV, "AMD-V")                                                                         \
    ENTRY(ZVT_FEATURE_INTELVT, "Intel-VT")                                                                   \
    ENTRY(ZVT_FEATURE_X86_64, "x86-64")
#define ZVT_FEATURE_LABEL_COUNT 13

// Results of zvtGetIdentity and zvtGetInformation. A positive value other than ZVT_E_NO_CPUID is a report
// that failed: the file could not be created (nothing written), or writing it failed (the file is closed
// and holds what reached it; the caller's record was written all the same). The value is the cause:
// ZVT_REPORT_* below. One report is written at a time: a second report request waits for the first.
#define ZVT_OK 0
#define ZVT_E_NO_CPUID 10000
#define ZVT_E_NO_REPORT_BUFFER (-10001)
#define ZVT_E_REPORT_EMPTY (-10000)
#define ZVT_E_FAILED (-1) // zvtGetFileVersion, zvtGetTemporaryFileName

// Results of zvtGetCpuidDump (besides ZVT_OK and ZVT_E_NO_CPUID), and its processor for the calling thread's.
#define ZVT_E_DUMP_TOO_SMALL (-10002) // no record, a size below the header, or entries that do not fit
#define ZVT_E_NO_PROCESSOR (-10003)   // no such logical processor, or the thread cannot be moved to it
#define ZVT_PROCESSOR_CURRENT (-1)

// Results of zvtGetProcessorDetails, zvtQueryFlag and zvtGetFlagNameByNumber (besides those above).
#define ZVT_E_UNKNOWN_FLAG (-10004)     // no flag of that name (or number); a null name
#define ZVT_E_RECORD_TOO_SMALL (-10005) // no record, or a size below ZVT_DETAILS_HEADER_SIZE
#define ZVT_E_BAD_OPTIONS (-10006)      // an option bit this library does not know

// zvtGetProcessorDetails options, and what ZVT_PROCESSOR_DETAILS.filled says was done.
#define ZVT_DETAILS_MACHINE 0x1u // every logical processor too (the thread visits each): machine, uarches
#define ZVT_DETAILS_MACHINE_TRUNCATED 0x2u // filled: only the first ZVT_DETAILS_MAX_PROCESSORS were visited
#define ZVT_DETAILS_UARCHES_TRUNCATED 0x4u // filled: more microarchitectures than ZVT_DETAILS_UARCHES
#define ZVT_DETAILS_MAX_PROCESSORS 1024

// zvtQueryFlag's answer for a known flag: 0 when the processor does not report it, else these bits.
#define ZVT_QUERY_REPORTED 1 // CPUID reports the flag
#define ZVT_QUERY_USABLE 2 // and the OS enables the register state its instructions need (or they need none)

// Causes of a failed report (positive results of zvtGetIdentity).
#define ZVT_REPORT_GENERIC 1        // any other system error, and memory exhausted while converting the text
#define ZVT_REPORT_NOT_FOUND 2      // the file was not found
#define ZVT_REPORT_BAD_PATH 3       // a missing directory or drive, an invalid name
#define ZVT_REPORT_TOO_MANY_FILES 4 // no file handle left
#define ZVT_REPORT_ACCESS_DENIED 5  // a read-only file or medium, a directory, no permission
#define ZVT_REPORT_INVALID_FILE 6   // an invalid handle
#define ZVT_REPORT_BAD_SEEK 9       // seek errors
#define ZVT_REPORT_HARD_IO 10       // the device failed or went away (a removed volume, a lost share)
#define ZVT_REPORT_SHARING 11       // the file is open elsewhere with write access
#define ZVT_REPORT_LOCKED 12        // a region of the file is locked
#define ZVT_REPORT_DISK_FULL 13     // the disk filled up while writing

// Report modes: the low byte is the encoding; ZVT_MODE_NO_BOM (exactly 1 in bits 8..31) drops the mark.
#define ZVT_MODE_ANSI 0
#define ZVT_MODE_UTF8 1
#define ZVT_MODE_UTF16BE 2
#define ZVT_MODE_UTF16LE 3
#define ZVT_MODE_HEX 6
#define ZVT_MODE_NO_BOM 0x100

// Export ordinals (1004..1099 are empty).
#define ZVT_ORDINAL_GET_IDENTITY 1000
#define ZVT_ORDINAL_GET_INFORMATION 1001
#define ZVT_ORDINAL_GET_WINDOWS_VERSION 1002
#define ZVT_ORDINAL_IS_WOW64 1003
#define ZVT_ORDINAL_GET_FILE_VERSION 1100
#define ZVT_ORDINAL_GET_TEMPORARY_FILE_NAME 1101
#define ZVT_ORDINAL_GET_CPUID_DUMP 1102
#define ZVT_ORDINAL_GET_PROCESSOR_DETAILS 1103
#define ZVT_ORDINAL_QUERY_FLAG 1104
#define ZVT_ORDINAL_GET_FLAG_NAME_BY_NUMBER 1105

// Function-pointer types for callers that bind the exports with GetProcAddress.
typedef int32_t(ZVT_API* PFN_zvtGetIdentity)(ZVT_CPU_IDENTITY* identity, int32_t measureMs,
                                             const ZVT_WCHAR* reportPath, int32_t reportMode);
typedef int32_t(ZVT_API* PFN_zvtGetInformation)(ZVT_CPU_INFORMATION* information, int32_t measureMs);
typedef int32_t(ZVT_API* PFN_zvtGetWindowsVersion)(ZVT_WINDOWS_VERSION* version);
typedef int32_t(ZVT_API* PFN_zvtIsWow64)(void);
typedef int32_t(ZVT_API* PFN_zvtGetFileVersion)(const ZVT_WCHAR* fileName, int32_t* major, int32_t* minor,
                                                int32_t* build, int32_t* revision);
typedef int32_t(ZVT_API* PFN_zvtGetTemporaryFileName)(int32_t longName, ZVT_WCHAR* buffer, int32_t capacity);
typedef int32_t(ZVT_API* PFN_zvtGetCpuidDump)(ZVT_CPUID_DUMP* dump, int32_t processor);
typedef int32_t(ZVT_API* PFN_zvtGetProcessorDetails)(ZVT_PROCESSOR_DETAILS* details, int32_t processor,
                                                     int32_t options);
typedef int32_t(ZVT_API* PFN_zvtQueryFlag)(const char* name, int32_t processor);
typedef int32_t(ZVT_API* PFN_zvtGetFlagNameByNumber)(int32_t flag, char* buffer, int32_t capacity);

#ifdef _WIN32
// The exports. The library is built without C++ exceptions: nothing is thrown through an export, and every
// failure it can meet is one of the results given with each.

// Results: 0, ZVT_E_NO_CPUID, or with a report path ZVT_E_NO_REPORT_BUFFER, ZVT_E_REPORT_EMPTY (unsupported
// encoding: the file is created empty) or a ZVT_REPORT_* cause.
int32_t ZVT_API zvtGetIdentity(ZVT_CPU_IDENTITY* identity, int32_t measureMs, const ZVT_WCHAR* reportPath,
                               int32_t reportMode);
// Results: 0 or ZVT_E_NO_CPUID.
int32_t ZVT_API zvtGetInformation(ZVT_CPU_INFORMATION* information, int32_t measureMs);
// Results: 0 when the version cannot be read or the record is null, 1, or what GetProductInfo returned.
int32_t ZVT_API zvtGetWindowsVersion(ZVT_WINDOWS_VERSION* version);
// Nonzero when the calling 32-bit process runs under WOW64; 0 otherwise and on systems without
// IsWow64Process.
int32_t ZVT_API zvtIsWow64(void);
// 0 and the four parts of the file version (each output may be null), or -1 with nothing written.
int32_t ZVT_API zvtGetFileVersion(const ZVT_WCHAR* fileName, int32_t* major, int32_t* minor, int32_t* build,
                                  int32_t* revision);
// Creates an empty temporary file; buffer holds the prefix on entry and the path on success (0), or is
// left unchanged on failure (-1), when no file is left behind either.
int32_t ZVT_API zvtGetTemporaryFileName(int32_t longName, ZVT_WCHAR* buffer, int32_t capacity);
// Every leaf and sub-leaf of logical processor 0..N-1 (numbered across processor groups), read on a thread
// moved there for the call (its affinity is restored), or of the calling thread's processor for
// ZVT_PROCESSOR_CURRENT (no affinity change; the thread may move while it reads). Results: 0 with
// processor, count, reserved and the entries written; ZVT_E_DUMP_TOO_SMALL with nothing written for a null
// record or a size below ZVT_CPUID_DUMP_HEADER_SIZE, and with only count written (the entries needed) when
// they do not fit; ZVT_E_NO_PROCESSOR or ZVT_E_NO_CPUID with nothing written.
int32_t ZVT_API zvtGetCpuidDump(ZVT_CPUID_DUMP* dump, int32_t processor);
// Everything decoded about logical processor 0..N-1 (on a thread moved there, as zvtGetCpuidDump), or the
// calling thread's for ZVT_PROCESSOR_CURRENT; with ZVT_DETAILS_MACHINE also every logical processor's
// topology and microarchitecture, each read on its own processor. No memory is allocated. Results: 0 with
// the first `written` bytes of the record set (all of it when size is ZVT_DETAILS_SIZE or more; size is
// never changed); ZVT_E_RECORD_TOO_SMALL, ZVT_E_BAD_OPTIONS, ZVT_E_NO_PROCESSOR or ZVT_E_NO_CPUID with
// nothing written.
int32_t ZVT_API zvtGetProcessorDetails(ZVT_PROCESSOR_DETAILS* details, int32_t processor, int32_t options);
// One flag of logical processor `processor` (or ZVT_PROCESSOR_CURRENT) by its name ("avx512_bf16", letters of
// either case): 0 when not reported, else ZVT_QUERY_REPORTED with ZVT_QUERY_USABLE when the OS enables it.
// ZVT_E_UNKNOWN_FLAG, ZVT_E_NO_PROCESSOR or ZVT_E_NO_CPUID otherwise.
int32_t ZVT_API zvtQueryFlag(const char* name, int32_t processor);
// The name of flag number `flag` (ZVT_PROCESSOR_DETAILS.flags): its length without the NUL, the name and
// its NUL written to buffer only when capacity exceeds that length; ZVT_E_UNKNOWN_FLAG for a number that
// names no flag.
int32_t ZVT_API zvtGetFlagNameByNumber(int32_t flag, char* buffer, int32_t capacity);
#endif

#ifdef __cplusplus
}
#endif

#endif // ZAVSYS_H
