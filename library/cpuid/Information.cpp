// Decoding an identity record into the information record.
#include "Information.h"

#include "CpuidTables.h"
#include "Naming.h"

namespace zvt
{
namespace
{

constexpr bool Bit(std::uint32_t value, unsigned bit) noexcept
{
    return ((value >> bit) & 1u) != 0;
}

struct FeatureSource
{
    std::uint32_t mask;
    bool extended; // extended leaf 0x80000001, else basic leaf 1
    std::uint32_t ZVT_CPUID_LEAF::*reg;
    unsigned bit;
};

constexpr FeatureSource kFeatureSources[] = {
    {ZVT_FEATURE_3DNOW, true, &ZVT_CPUID_LEAF::edx, 31},
    {ZVT_FEATURE_3DNOWEXT, true, &ZVT_CPUID_LEAF::edx, 30},
    {ZVT_FEATURE_SSE4A, true, &ZVT_CPUID_LEAF::ecx, 6},
    {ZVT_FEATURE_MMX, false, &ZVT_CPUID_LEAF::edx, 23},
    {ZVT_FEATURE_MMXEXT, true, &ZVT_CPUID_LEAF::edx, 22},
    {ZVT_FEATURE_SSE, false, &ZVT_CPUID_LEAF::edx, 25},
    {ZVT_FEATURE_SSE2, false, &ZVT_CPUID_LEAF::edx, 26},
    {ZVT_FEATURE_SSE3, false, &ZVT_CPUID_LEAF::ecx, 0},
    {ZVT_FEATURE_SSE41, false, &ZVT_CPUID_LEAF::ecx, 19},
    {ZVT_FEATURE_SSE42, false, &ZVT_CPUID_LEAF::ecx, 20},
    {ZVT_FEATURE_AMDV, true, &ZVT_CPUID_LEAF::ecx, 2},
    {ZVT_FEATURE_INTELVT, false, &ZVT_CPUID_LEAF::ecx, 5},
    {ZVT_FEATURE_X86_64, true, &ZVT_CPUID_LEAF::edx, 29},
};

void StoreSignature(const CpuSignature& signature, ZVT_CPU_INFORMATION& information) noexcept
{
    information.family = signature.family;
    information.extendedFamily = signature.extendedFamily;
    information.baseFamily = signature.baseFamily;
    information.model = signature.model;
    information.extendedModel = signature.extendedModel;
    information.baseModel = signature.baseModel;
    information.stepping = signature.stepping;
}

void StoreNames(const ZVT_CPU_IDENTITY& identity, ZVT_CPU_INFORMATION& information) noexcept
{
    GetVendorString(identity.basic[0], information.vendor);
    ModelNameText brand{};
    GetBrandString(identity.extended[2], identity.extended[3], identity.extended[4], brand);
    if (brand[0] != '\0')
    {
        static_assert(sizeof brand == sizeof information.modelName);
        for (int i = 0; i < kModelNameCapacity; ++i)
        {
            information.modelName[i] = brand[i];
        }
        return;
    }
    GetModelName(information.family, information.model, information.vendor, information.modelName);
}

} // namespace

std::int32_t CountCores(const ZVT_CPU_IDENTITY& identity, bool isAmd) noexcept
{
    std::uint32_t coreIdsMinusOne = 0;
    if (isAmd)
    {
        constexpr unsigned kHtt = 28;
        coreIdsMinusOne = Bit(identity.basic[1].edx, kHtt) ? (identity.extended[8].ecx & 0xFu) : 0u;
    }
    else
    {
        coreIdsMinusOne = identity.basic[4].eax >> 26;
    }
    return static_cast<std::int32_t>(coreIdsMinusOne) + 1;
}

std::uint32_t CollectFeatures(const ZVT_CPU_IDENTITY& identity) noexcept
{
    std::uint32_t features = 0;
    for (const FeatureSource& source : kFeatureSources)
    {
        const ZVT_CPUID_LEAF& leaf = source.extended ? identity.extended[1] : identity.basic[1];
        if (Bit(leaf.*source.reg, source.bit))
        {
            features |= source.mask;
        }
    }
    return features;
}

void DescribeIdentity(const ZVT_CPU_IDENTITY& identity, ZVT_CPU_INFORMATION& information) noexcept
{
    const bool isAmd = IsAmd(identity);
    StoreSignature(DecodeSignature(identity, isAmd), information);
    StoreNames(identity, information);
    information.cores = CountCores(identity, isAmd);
    information.logicalCores = 0;
    information.threads = information.logicalCores / information.cores;
    information.features = CollectFeatures(identity);
}

std::int32_t FillInformation(const CCpuidSource& cpuid, ZVT_CPU_INFORMATION& information) noexcept
{
    ZVT_CPU_IDENTITY identity{};
    const std::int32_t result = FillIdentity(cpuid, identity);
    if (result != 0)
    {
        return result;
    }
    DescribeIdentity(identity, information);
    return 0;
}

} // namespace zvt
