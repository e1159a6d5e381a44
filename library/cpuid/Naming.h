// Vendor string, brand string and the model-name tables for processors without a brand string.
#pragma once

#include <cstdint>

#include "zavsys.h"

namespace zvt
{

constexpr int kVendorCapacity = 14;
constexpr int kModelNameCapacity = 50;

using VendorText = char[kVendorCapacity];
using ModelNameText = char[kModelNameCapacity];

// EBX, EDX, ECX of leaf 0, in that order, as 12 characters and a terminator.
void GetVendorString(const ZVT_CPUID_LEAF& leaf0, VendorText& vendor) noexcept;

// The 48 characters of leaves 0x80000002..4 without leading spaces (0x20 only); trailing spaces stay.
void GetBrandString(const ZVT_CPUID_LEAF& leaf2, const ZVT_CPUID_LEAF& leaf3, const ZVT_CPUID_LEAF& leaf4,
                    ModelNameText& brand) noexcept;

// A name from the vendor table and, for AMD and Intel, the family and model tables. The vendor compare
// ignores letter case; an unknown vendor gives "Unknown".
void GetModelName(std::int32_t family, std::int32_t model, const char* vendor, ModelNameText& name) noexcept;

} // namespace zvt
