// Reading the CPUID ranges and decoding the signature.
#include "CpuidTables.h"

#include <cstring>

namespace zvt
{
namespace
{

// Reads from firstLeaf upwards while the leaf number does not pass the highest leaf that entry 0 reports.
int ReadRange(const CCpuidSource& cpuid, std::uint32_t firstLeaf, CpuidTable& table) noexcept
{
    int count = 0;
    std::uint32_t leaf = firstLeaf;
    do
    {
        if (count >= kCpuidCapacity)
        {
            break;
        }
        table[count] = cpuid.Query(leaf, 0);
        ++leaf;
        ++count;
    } while (leaf <= table[0].eax);
    return count;
}

} // namespace

void ReadCpuidLeaves(const CCpuidSource& cpuid, CpuidTable& basic, CpuidTable& extended, int& basicCount,
                     int& extendedCount) noexcept
{
    basicCount = ReadRange(cpuid, 0, basic);
    extendedCount = 0;
    if (cpuid.Query(kExtendedBase, 0).eax > kExtendedBase)
    {
        extendedCount = ReadRange(cpuid, kExtendedBase, extended);
    }
}

std::int32_t FillIdentity(const CCpuidSource& cpuid, ZVT_CPU_IDENTITY& identity) noexcept
{
    if (!cpuid.HasCpuid())
    {
        return ZVT_E_NO_CPUID;
    }
    CpuidTable basic{};
    CpuidTable extended{};
    int basicCount = 0;
    int extendedCount = 0;
    ReadCpuidLeaves(cpuid, basic, extended, basicCount, extendedCount);
    if (basicCount != 0)
    {
        std::memcpy(identity.basic, basic, sizeof basic);
    }
    if (extendedCount != 0)
    {
        std::memcpy(identity.extended, extended, sizeof extended);
    }
    return 0;
}

bool IsAmd(const ZVT_CPU_IDENTITY& identity) noexcept
{
    constexpr std::uint32_t kAuthenticAmdXor = 0x454D5A47u; // "Auth" ^ "enti" ^ "cAMD", little-endian
    const ZVT_CPUID_LEAF& leaf0 = identity.basic[0];
    return (leaf0.ebx ^ leaf0.ecx ^ leaf0.edx) == kAuthenticAmdXor;
}

CpuSignature DecodeSignature(const ZVT_CPU_IDENTITY& identity, bool isAmd) noexcept
{
    const bool amdLeafPresent = isAmd && identity.extended[0].eax >= kExtendedBase + 1;
    const std::uint32_t word = amdLeafPresent ? identity.extended[1].eax : identity.basic[1].eax;
    CpuSignature signature{};
    signature.baseFamily = static_cast<std::int32_t>((word >> 8) & 0xFu);
    signature.extendedFamily = static_cast<std::int32_t>((word >> 20) & 0xFFu);
    signature.family = signature.baseFamily + signature.extendedFamily;
    signature.baseModel = static_cast<std::int32_t>((word >> 4) & 0xFu);
    signature.extendedModel = static_cast<std::int32_t>((word >> 16) & 0xFu);
    signature.model = signature.extendedModel * 16 + signature.baseModel;
    signature.stepping = static_cast<std::int32_t>(identity.basic[1].eax & 0xFu);
    return signature;
}

} // namespace zvt
