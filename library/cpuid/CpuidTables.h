// Reading the basic and extended CPUID ranges into an identity record, the AMD test and the signature.
#pragma once

#include <cstdint>

#include "CpuidSource.h"
#include "zavsys.h"

namespace zvt
{

constexpr int kCpuidCapacity = ZVT_CPUID_LEAVES; // entries per range
constexpr std::uint32_t kExtendedBase = 0x80000000u;

using CpuidTable = ZVT_CPUID_LEAF[kCpuidCapacity];

// Reads leaves 0..min(highest basic, 63) into basic and 0x80000000..min(highest extended, 0x8000003F) into
// extended; entries past those are left as they were. A highest extended leaf of exactly 0x80000000 has
// nothing after it, so the extended range is not read at all and extendedCount stays 0.
void ReadCpuidLeaves(const CCpuidSource& cpuid, CpuidTable& basic, CpuidTable& extended, int& basicCount,
                     int& extendedCount) noexcept;

// Writes the two tables of a record that its owner has cleared; touches neither size nor frequency.
// Returns 0, or ZVT_E_NO_CPUID.
std::int32_t FillIdentity(const CCpuidSource& cpuid, ZVT_CPU_IDENTITY& identity) noexcept;

// Vendor test without a string compare: EBX ^ ECX ^ EDX of leaf 0 equals that of "AuthenticAMD".
bool IsAmd(const ZVT_CPU_IDENTITY& identity) noexcept;

struct CpuSignature
{
    std::int32_t family;
    std::int32_t baseFamily;
    std::int32_t extendedFamily;
    std::int32_t model;
    std::int32_t baseModel;
    std::int32_t extendedModel;
    std::int32_t stepping;
};

// The signature word is extended leaf 1 EAX on AMD when that leaf exists, else leaf 1 EAX; the stepping
// always comes from leaf 1. Family and model are always the sums of their parts.
CpuSignature DecodeSignature(const ZVT_CPU_IDENTITY& identity, bool isAmd) noexcept;

} // namespace zvt
