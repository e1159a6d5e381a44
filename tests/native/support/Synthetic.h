// Small made-up processors and records for the boundary cases no recorded processor shows.
#pragma once

#include <cstdint>
#include <string_view>

#include "RecordedCpuid.h"
#include "zavsys.h"

namespace zvt::test
{

// Registers that name their leaf, so a misplaced or missing entry shows; leaf 0 and 0x80000000 carry the
// highest leaf of their range in EAX instead.
ZVT_CPUID_LEAF MarkedLeaf(std::uint32_t leaf, std::uint32_t highest);

// Answers every leaf of both ranges up to its highest leaf (at most 0x100 leaves of each are recorded).
void AddMarkedRanges(CRecordedCpuid& cpuid, std::uint32_t highestBasic, std::uint32_t highestExtended);

// Leaf 0 whose EBX, EDX, ECX spell the 12 characters of vendor.
ZVT_CPUID_LEAF VendorLeaf(std::string_view vendor, std::uint32_t highestBasic = 1);

// A cleared identity record of that vendor with leaf 1 EAX = signature and the extended range reaching
// highestExtended (extended leaf 1 EAX = extendedSignature).
ZVT_CPU_IDENTITY MakeIdentity(std::string_view vendor, std::uint32_t signature,
                              std::uint32_t highestExtended = 0, std::uint32_t extendedSignature = 0);

} // namespace zvt::test
