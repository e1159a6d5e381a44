// What the public feature header makes of the identity record: named flags, the x86-64 level, the
// hypervisor bit, address sizes and the caches of the extended leaves.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "zavsys_features.h"

namespace zvtinfo
{

struct AddressSizes
{
    std::int32_t physicalBits = 0;
    std::int32_t linearBits = 0;
};

struct DecodedIdentity
{
    std::vector<std::string> flags; // in the header's flag order
    int level = ZVT_LEVEL_NONE;
    std::vector<std::string> missingForNextLevel; // empty at v4
    bool hypervisor = false;
    std::optional<AddressSizes> addressSizes; // none when the record lacks extended leaf 0x80000008
    int cacheParts = 0;                       // ZVT_CACHES_* bits: which parts of caches the vendor defines
    bool l2Tlbs = false;                      // the L2 TLBs are defined (AMD and Hygon, with the L2 leaf)
    ZVT_CACHES caches{};
};

DecodedIdentity DecodeIdentity(const ZVT_CPU_IDENTITY& identity);

// The level's name: "none", "baseline", "v2" ...
std::string LevelName(int level);

// XCR0 of this machine, read by the header's helper; 0 when the operating system enabled no XSAVE state.
std::uint64_t ReadThisMachineXcr0() noexcept;

} // namespace zvtinfo
