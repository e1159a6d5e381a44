#include "Synthetic.h"

#include <algorithm>
#include <cstring>

namespace zvt::test
{

ZVT_CPUID_LEAF MarkedLeaf(std::uint32_t leaf, std::uint32_t highest)
{
    const bool first = leaf == 0 || leaf == 0x80000000u;
    return ZVT_CPUID_LEAF{first ? highest : leaf, leaf ^ 0xA5A5A5A5u, ~leaf, 0x5A000000u | (leaf & 0xFFFFu)};
}

void AddMarkedRanges(CRecordedCpuid& cpuid, std::uint32_t highestBasic, std::uint32_t highestExtended)
{
    for (std::uint32_t base : {0u, 0x80000000u})
    {
        const std::uint32_t highest = base == 0 ? highestBasic : highestExtended;
        // A range whose first leaf reports less than itself still answers that first leaf.
        const std::uint32_t count = highest < base ? 1 : std::min<std::uint32_t>(highest - base, 0xFFu) + 1;
        for (std::uint32_t leaf = base; leaf - base < count; ++leaf)
        {
            cpuid.Add(leaf, 0, MarkedLeaf(leaf, highest));
        }
    }
}

ZVT_CPUID_LEAF VendorLeaf(std::string_view vendor, std::uint32_t highestBasic)
{
    char text[12] = {};
    std::memcpy(text, vendor.data(), std::min<std::size_t>(vendor.size(), sizeof text));
    ZVT_CPUID_LEAF leaf{highestBasic, 0, 0, 0};
    std::memcpy(&leaf.ebx, text, 4);
    std::memcpy(&leaf.edx, text + 4, 4);
    std::memcpy(&leaf.ecx, text + 8, 4);
    return leaf;
}

ZVT_CPU_IDENTITY MakeIdentity(std::string_view vendor, std::uint32_t signature, std::uint32_t highestExtended,
                              std::uint32_t extendedSignature)
{
    ZVT_CPU_IDENTITY identity{};
    identity.size = ZVT_IDENTITY_SIZE;
    identity.basic[0] = VendorLeaf(vendor);
    identity.basic[1].eax = signature;
    identity.extended[0].eax = highestExtended;
    identity.extended[1].eax = extendedSignature;
    return identity;
}

} // namespace zvt::test
