// Prints every record of zavsys.h as the compiler lays it out: "RECORD size N", and per field
// "RECORD.field offset N type T". The C# and Python bindings print the same listing from their own
// declarations, and scripts/check-bindings.sh compares them. A field left out of a list below leaves bytes
// of its record unlisted, which fails here, so the lists cannot silently fall behind the header.
#include <stdio.h>
#include <stdlib.h>

#include "zavsys.h"

#define KIND(value)                                                                                          \
    _Generic((value), int32_t                                                                                \
             : "i32", uint32_t                                                                               \
             : "u32", float                                                                                  \
             : "f32", char                                                                                   \
             : "char", ZVT_CPUID_LEAF                                                                        \
             : "ZVT_CPUID_LEAF", ZVT_CPUID_ENTRY                                                             \
             : "ZVT_CPUID_ENTRY", ZVT_TOPOLOGY                                                               \
             : "ZVT_TOPOLOGY", ZVT_MACHINE_TOPOLOGY                                                          \
             : "ZVT_MACHINE_TOPOLOGY", ZVT_DETAILS_UARCH                                                     \
             : "ZVT_DETAILS_UARCH", ZVT_DETAILS_CACHE                                                        \
             : "ZVT_DETAILS_CACHE")

static const char* currentRecord;
static size_t listedEnd; // where the previous field ended: the next must start there

static void Field(const char* name, size_t offset, size_t size, const char* kind, size_t count)
{
    if (offset != listedEnd)
    {
        fprintf(stderr, "layout.c: %s bytes %zu..%zu are in no listed field (one missing before %s?)\n",
                currentRecord, listedEnd, offset, name);
        exit(1);
    }
    listedEnd = offset + size;
    if (count == 0)
        printf("%s.%s offset %zu type %s\n", currentRecord, name, offset, kind);
    else
        printf("%s.%s offset %zu type %s[%zu]\n", currentRecord, name, offset, kind, count);
}

static void Record(const char* name, size_t size)
{
    currentRecord = name;
    listedEnd = 0;
    printf("%s size %zu\n", name, size);
}

static void End(size_t size)
{
    if (listedEnd != size)
    {
        fprintf(stderr, "layout.c: %s bytes %zu..%zu are in no listed field\n", currentRecord, listedEnd,
                size);
        exit(1);
    }
}

// One scalar field (F) or fixed array (A) of the record type T being listed.
#define F(f) Field(#f, offsetof(T, f), sizeof(((T*)0)->f), KIND(((T*)0)->f), 0);
#define A(f)                                                                                                 \
    Field(#f, offsetof(T, f), sizeof(((T*)0)->f), KIND(((T*)0)->f[0]),                                       \
          sizeof(((T*)0)->f) / sizeof(((T*)0)->f[0]));
#define RECORD(type, fields)                                                                                 \
    {                                                                                                        \
        typedef type T;                                                                                      \
        Record(#type, sizeof(T));                                                                            \
        fields End(sizeof(T));                                                                               \
    }

static void DumpHeader(void)
{
    // Declared with one entry, used as a header followed by as many as the caller allocates.
    typedef ZVT_CPUID_DUMP T;
    Record("ZVT_CPUID_DUMP", offsetof(T, entries));
    F(size) F(processor) F(count) F(reserved) End(offsetof(T, entries));
    printf("ZVT_CPUID_DUMP.entries offset %zu type %s[]\n", offsetof(T, entries), KIND(((T*)0)->entries[0]));
    printf("ZVT_CPUID_DUMP_SIZE(%d) %d\n", ZVT_CPUID_DUMP_MAX_ENTRIES,
           ZVT_CPUID_DUMP_SIZE(ZVT_CPUID_DUMP_MAX_ENTRIES));
}

// clang-format off
int main(void)
{
    RECORD(ZVT_CPUID_LEAF, F(eax) F(ebx) F(ecx) F(edx))
    RECORD(ZVT_CPU_IDENTITY, F(size) F(frequency) A(basic) A(extended))
    RECORD(ZVT_CPU_INFORMATION,
        F(size) F(frequency) A(vendor) A(modelName) F(family) F(extendedFamily) F(baseFamily) F(model)
        F(extendedModel) F(baseModel) F(stepping) F(cores) F(logicalCores) F(threads) F(features))
    RECORD(ZVT_WINDOWS_VERSION, F(size) F(revision) F(major) F(minor) F(build) F(productType))
    RECORD(ZVT_CPUID_ENTRY, F(leaf) F(subleaf) F(eax) F(ebx) F(ecx) F(edx))
    DumpHeader();
    RECORD(ZVT_TOPOLOGY,
        F(method) F(flags) F(threadsPerCore) F(logicalPerModule) F(logicalPerDie) F(logicalPerPackage)
        F(coresPerPackage) F(smtShift) F(packageShift) F(apicId) F(packageId) F(coreId) F(threadId)
        F(coreType))
    RECORD(ZVT_MACHINE_TOPOLOGY,
        F(processors) F(logical) F(cores) F(packages) F(flags) F(performanceCores) F(performanceLogical)
        F(efficiencyCores) F(efficiencyLogical))
    RECORD(ZVT_DETAILS_UARCH,
        F(kind) F(coreType) F(nativeModel) F(logical) A(uarch) A(generation) A(codename))
    RECORD(ZVT_DETAILS_CACHE,
        F(level) F(type) F(sizeBytes) F(sets) F(ways) F(lineBytes) F(partitions) F(linesPerTag)
        F(sharedBy) F(sizeUops) F(flags) F(sourceLeaf) F(sourceIndex) F(rawType))
    RECORD(ZVT_PROCESSOR_DETAILS,
        F(size) F(written) F(processor) F(filled) A(vendor) A(brand) A(hypervisor) F(signature)
        F(family) F(model) F(stepping) F(uarch) F(flagWords) A(flags) A(usable) F(level)
        F(enabledLevel) F(xcr0Low) F(xcr0High) F(avx10Version) F(avx10VectorWidths)
        F(physicalAddressBits) F(linearAddressBits) F(guestPhysicalAddressBits) F(cacheCount)
        F(cacheStatus) A(caches) F(topology) F(machine) F(uarchCount) A(uarches))
    return 0;
}
// clang-format on
