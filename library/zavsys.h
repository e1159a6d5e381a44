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
#endif

#ifdef __cplusplus
}
#endif

#endif // ZAVSYS_H
