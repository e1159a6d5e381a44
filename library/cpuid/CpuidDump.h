// Every leaf and sub-leaf one logical processor answers, in ascending (leaf, sub-leaf) order, into a fixed
// array: the enumeration behind zvtGetCpuidDump and zvtinfo --dump. No heap, no exceptions.
#pragma once

#include <cstdint>

#include "CpuidSource.h"
#include "zavsys.h"

namespace zvt
{

// One logical processor's CPUID answers: a dump, in any order.
struct DumpEntries
{
    const ZVT_CPUID_ENTRY* entries;
    std::uint32_t count;
};

// The identity record a dump gives, as zvtGetIdentity records it: sub-leaf 0 of the first 64 leaves of the
// basic and the extended range (what the level, address-size and microarchitecture readers take).
void IdentityOfDump(DumpEntries dump, ZVT_CPU_IDENTITY& identity) noexcept;

// A range's highest leaf (leaf 0, 0x40000000 or 0x80000000 EAX) is believed when it lies within the range's
// first kRangeLeaves leaves; any other value is not a highest leaf, and only the range's first leaf is read.
constexpr std::uint32_t kRangeLeaves = 0x100;
// The most sub-leaves read of one leaf: an enumeration that never reaches its end stops here.
constexpr std::uint32_t kMaxSubleaves = 64;

// Executes CPUID through cpuid for: the basic leaves 0..highest; the hypervisor leaves 0x40000000..highest
// when leaf 1 ECX bit 31 is set; 0x80000000, then the extended leaves up to the highest when that is above
// 0x80000000. Each leaf with the sub-leaves its enumeration defines (sub-leaf 0 alone for the others); an
// enumeration that ends on an entry (cache type 0, level type 0, SGX and PCONFIG sub-leaf type 0) includes
// that entry. The first capacity entries are written to entries (null when capacity is 0); the result is
// how many the dump has, at most ZVT_CPUID_DUMP_MAX_ENTRIES (nothing is executed past that).
std::uint32_t EnumerateCpuidDump(const CCpuidSource& cpuid, ZVT_CPUID_ENTRY* entries,
                                 std::uint32_t capacity) noexcept;

// A record zvtGetCpuidDump may write at all: not null, and size holds at least the header.
bool IsDumpRecordUsable(const ZVT_CPUID_DUMP* dump) noexcept;

// The body of zvtGetCpuidDump once the thread runs where it should. Results: 0 with processor, count,
// reserved (0) and the entries written; ZVT_E_DUMP_TOO_SMALL for an unusable record (nothing written) or
// when the entries do not fit (count set to the entries needed, nothing else written); ZVT_E_NO_CPUID
// (nothing written). The entries are enumerated into a local array first, so a record is never partial.
std::int32_t FillCpuidDump(const CCpuidSource& cpuid, std::uint32_t processor, ZVT_CPUID_DUMP* dump) noexcept;

} // namespace zvt
