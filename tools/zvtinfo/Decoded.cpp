// The identity record decoded through the public feature header, as a caller of the library would do it.
#include "Decoded.h"

#include <iterator>

namespace zvtinfo
{
namespace
{

std::vector<std::string> FlagNames(const ZVT_CPU_IDENTITY& identity)
{
    std::vector<std::string> names;
    for (int index = 0; index < ZVT_FLAG_COUNT; ++index)
    {
        const ZVT_FLAG_ROW* row = zvtGetFlagRow(index);
        if (zvtHasFlag(&identity, row->flag) != 0)
        {
            names.emplace_back(row->name);
        }
    }
    return names;
}

std::vector<std::string> MissingForLevel(const ZVT_CPU_IDENTITY& identity, int level)
{
    int missing[ZVT_LEVEL_MAX_MISSING * 4];
    const int count = zvtGetMissingForLevel(&identity, level, missing, static_cast<int>(std::size(missing)));
    std::vector<std::string> names;
    for (int i = 0; i < count && i < static_cast<int>(std::size(missing)); ++i)
    {
        names.emplace_back(zvtGetFlagName(missing[i]));
    }
    return names;
}

} // namespace

DecodedIdentity DecodeIdentity(const ZVT_CPU_IDENTITY& identity)
{
    DecodedIdentity decoded;
    decoded.flags = FlagNames(identity);
    decoded.level = zvtGetLevel(&identity);
    if (decoded.level < ZVT_LEVEL_V4)
    {
        decoded.missingForNextLevel = MissingForLevel(identity, decoded.level + 1);
    }
    decoded.hypervisor = zvtHasFlag(&identity, ZVT_FLAG_HYPERVISOR) != 0;
    AddressSizes sizes;
    if (zvtGetAddressSizes(&identity, &sizes.physicalBits, &sizes.linearBits) != 0)
    {
        decoded.addressSizes = sizes;
    }
    decoded.cacheParts = zvtGetCaches(&identity, &decoded.caches);
    decoded.l2Tlbs = (decoded.cacheParts & ZVT_CACHES_L2) != 0 && zvtIsAmdOrHygon(&identity) != 0;
    return decoded;
}

std::string LevelName(int level)
{
    const char* name = zvtGetLevelName(level);
    return name != nullptr ? name : "unknown";
}

std::uint64_t ReadThisMachineXcr0() noexcept
{
    std::uint64_t xcr0 = 0;
    zvtReadXcr0(&xcr0);
    return xcr0;
}

} // namespace zvtinfo
