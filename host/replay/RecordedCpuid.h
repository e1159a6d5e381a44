// A recorded logical processor: CPUID answers, every leaf and sub-leaf a dump holds, instead of the
// instruction. Unlisted leaves answer all zero, as a processor answers nothing there. Used by the unit tests
// and by replaying a dump.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
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
    // The answers as the library's dump records them, in the order recorded.
    std::vector<ZVT_CPUID_ENTRY> EntryRecords() const;
    // Every leaf asked for, in order, without its sub-leaf (the identity record reads sub-leaf 0 alone; a
    // dump's entries name their own); the first kQueryLogCapacity only.
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

} // namespace zvt
