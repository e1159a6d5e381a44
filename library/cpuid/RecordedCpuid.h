// A recorded processor: CPUID answers read from a dump instead of the instruction. Unlisted leaves answer
// all zero, as a processor answers nothing there. Used by the unit tests and by replaying a dump.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "CpuidSource.h"

namespace zvt
{

class CRecordedCpuid final : public CCpuidSource
{
public:
    struct Entry
    {
        std::uint32_t leaf;
        std::uint32_t subleaf;
        ZVT_CPUID_LEAF registers;
    };

    CRecordedCpuid() = default;
    ~CRecordedCpuid() = default;

    bool HasCpuid() const noexcept override
    {
        return m_bHasCpuid;
    }
    ZVT_CPUID_LEAF Query(std::uint32_t leaf, std::uint32_t subleaf) const noexcept override;

    // Keeps the first answer recorded for a leaf and sub-leaf.
    void Add(std::uint32_t leaf, std::uint32_t subleaf, const ZVT_CPUID_LEAF& registers);
    void SetHasCpuid(bool hasCpuid) noexcept
    {
        m_bHasCpuid = hasCpuid;
    }
    bool Contains(std::uint32_t leaf, std::uint32_t subleaf) const noexcept;
    const std::vector<Entry>& Entries() const noexcept
    {
        return m_entries;
    }
    // Every leaf asked for, in order (sub-leaves are always 0 in this library); the first
    // kQueryLogCapacity only.
    std::vector<std::uint32_t> QueriedLeaves() const
    {
        return std::vector<std::uint32_t>(m_queried.begin(),
                                          m_queried.begin() + static_cast<std::ptrdiff_t>(m_queriedCount));
    }

    static constexpr std::size_t kQueryLogCapacity = 1024;

private:
    bool m_bHasCpuid = true;
    std::vector<Entry> m_entries;
    // A fixed log, so that Query never allocates and a copy or an empty processor still records.
    mutable std::array<std::uint32_t, kQueryLogCapacity> m_queried{};
    mutable std::size_t m_queriedCount = 0;
};

struct DumpError
{
    int line = 0; // 1-based; 0 when the problem is the file as a whole
    std::string message;
};

// Reads a CPUID dump: the output of "cpuid -r" (one CPU: the first block), or lines like
// "CPUID 00000001: 000906EA-00100800-7FFAFBBF-BFEBFBFF" (the first logical processor's block).
// Lines starting with '#' are comments. Returns false with the line and reason of the first bad line.
bool ParseCpuidDump(std::string_view text, CRecordedCpuid& cpuid, DumpError& error);

} // namespace zvt
