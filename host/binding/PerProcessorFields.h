// The fields of the identity record (and of a dump's entries) that name the logical processor which
// executed CPUID. Two correct answers may differ in them: which processor a thread runs on is the
// scheduler's choice, and some hypervisors even change the APIC ID a virtual processor reports. Everything
// that compares live records masks these and nothing else. On Intel the AMD leaves are reserved (zero).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <iterator>

#include "zavsys.h"

namespace zvt
{

enum class CpuidRegister
{
    kEax,
    kEbx,
    kEcx,
    kEdx
};

struct PerProcessorField
{
    bool extended;
    std::uint32_t index; // in its table
    CpuidRegister reg;
    std::uint32_t bits;
    const char* name;
};

inline constexpr PerProcessorField kPerProcessorFields[] = {
    {false, 0x01, CpuidRegister::kEbx, 0xFF000000u, "leaf 1 EBX[31:24] (initial APIC ID)"},
    {false, 0x0B, CpuidRegister::kEdx, 0xFFFFFFFFu, "leaf 0xB EDX (x2APIC ID)"},
    {false, 0x1F, CpuidRegister::kEdx, 0xFFFFFFFFu, "leaf 0x1F EDX (x2APIC ID)"},
    {true, 0x1E, CpuidRegister::kEax, 0xFFFFFFFFu, "leaf 0x8000001E EAX (extended APIC ID)"},
    {true, 0x1E, CpuidRegister::kEbx, 0x000000FFu, "leaf 0x8000001E EBX[7:0] (core ID)"},
    {true, 0x1E, CpuidRegister::kEcx, 0x000000FFu, "leaf 0x8000001E ECX[7:0] (node ID)"},
    {true, 0x26, CpuidRegister::kEdx, 0xFFFFFFFFu, "leaf 0x80000026 EDX (extended APIC ID)"},
};

inline std::uint32_t& RegisterOf(ZVT_CPUID_LEAF& leaf, CpuidRegister reg) noexcept
{
    switch (reg)
    {
    case CpuidRegister::kEax:
        return leaf.eax;
    case CpuidRegister::kEbx:
        return leaf.ebx;
    case CpuidRegister::kEcx:
        return leaf.ecx;
    default:
        return leaf.edx;
    }
}

inline std::uint32_t& RegisterOf(ZVT_CPU_IDENTITY& identity, const PerProcessorField& field) noexcept
{
    return RegisterOf(field.extended ? identity.extended[field.index] : identity.basic[field.index],
                      field.reg);
}

// The bits of one register of one table entry that name the executing processor; 0 for most.
inline std::uint32_t PerProcessorBits(bool extended, std::uint32_t index, CpuidRegister reg) noexcept
{
    std::uint32_t bits = 0;
    for (const PerProcessorField& field : kPerProcessorFields)
    {
        bits |= field.extended == extended && field.index == index && field.reg == reg ? field.bits : 0u;
    }
    return bits;
}

// The same fields in a (leaf, sub-leaf) entry of a CPUID dump, for every sub-leaf of their leaf (each
// sub-leaf of 0xB, 0x1F and 0x80000026 carries the x2APIC ID); none in the hypervisor range.
inline std::uint32_t PerProcessorEntryBits(std::uint32_t leaf, CpuidRegister reg) noexcept
{
    const bool extended = leaf >= 0x80000000u;
    return !extended && leaf >= 0x40000000u ? 0u : PerProcessorBits(extended, leaf & 0x7FFFFFFFu, reg);
}

// The entry with those bits cleared: two answers of one processor are then equal.
inline ZVT_CPUID_ENTRY MaskPerProcessorFields(ZVT_CPUID_ENTRY entry) noexcept
{
    entry.eax &= ~PerProcessorEntryBits(entry.leaf, CpuidRegister::kEax);
    entry.ebx &= ~PerProcessorEntryBits(entry.leaf, CpuidRegister::kEbx);
    entry.ecx &= ~PerProcessorEntryBits(entry.leaf, CpuidRegister::kEcx);
    entry.edx &= ~PerProcessorEntryBits(entry.leaf, CpuidRegister::kEdx);
    return entry;
}

// The fields that differ between two identity records, as bits of kPerProcessorFields; sameOtherwise
// tells whether everything else is equal.
inline unsigned DifferingPerProcessorFields(const ZVT_CPU_IDENTITY& actual, const ZVT_CPU_IDENTITY& reference,
                                            bool& sameOtherwise) noexcept
{
    ZVT_CPU_IDENTITY left = actual;
    ZVT_CPU_IDENTITY right = reference;
    unsigned differing = 0;
    for (std::size_t i = 0; i < std::size(kPerProcessorFields); ++i)
    {
        std::uint32_t& leftValue = RegisterOf(left, kPerProcessorFields[i]);
        std::uint32_t& rightValue = RegisterOf(right, kPerProcessorFields[i]);
        differing |= ((leftValue ^ rightValue) & kPerProcessorFields[i].bits) != 0 ? 1u << i : 0u;
        leftValue &= ~kPerProcessorFields[i].bits;
        rightValue &= ~kPerProcessorFields[i].bits;
    }
    sameOtherwise = std::memcmp(&left, &right, sizeof left) == 0;
    return differing;
}

} // namespace zvt
