// The information record: decoded signature, names, core count and feature word from the CPUID tables.
#pragma once

#include <cstdint>

#include "CpuidSource.h"
#include "zavsys.h"

namespace zvt
{

// Maximum addressable core IDs + 1, as the processor reports them (not the operating system's count):
// AMD with HTT set: extended leaf 8 ECX bits 3..0; other vendors: leaf 4 EAX bits 31..26.
std::int32_t CountCores(const ZVT_CPU_IDENTITY& identity, bool isAmd) noexcept;

// ZVT_FEATURE_* bits, each set whenever its CPUID bit is set, whatever the vendor.
std::uint32_t CollectFeatures(const ZVT_CPU_IDENTITY& identity) noexcept;

// Fills every field of information but size and frequency from an identity record.
void DescribeIdentity(const ZVT_CPU_IDENTITY& identity, ZVT_CPU_INFORMATION& information) noexcept;

// Reads CPUID and fills every field but size and frequency. Returns 0, or ZVT_E_NO_CPUID.
std::int32_t FillInformation(const CCpuidSource& cpuid, ZVT_CPU_INFORMATION& information) noexcept;

} // namespace zvt
