// The recorded processor.
#include "RecordedCpuid.h"

namespace zvt
{

ZVT_CPUID_LEAF CRecordedCpuid::Query(std::uint32_t leaf, std::uint32_t subleaf) const noexcept
{
    if (m_queriedCount < m_queried.size())
    {
        m_queried[m_queriedCount++] = leaf;
    }
    for (const Entry& entry : m_entries)
    {
        if (entry.leaf == leaf && entry.subleaf == subleaf)
        {
            return entry.registers;
        }
    }
    return ZVT_CPUID_LEAF{};
}

void CRecordedCpuid::Add(std::uint32_t leaf, std::uint32_t subleaf, const ZVT_CPUID_LEAF& registers)
{
    if (!Contains(leaf, subleaf))
    {
        m_entries.push_back(Entry{leaf, subleaf, registers});
    }
}

std::vector<ZVT_CPUID_ENTRY> CRecordedCpuid::EntryRecords() const
{
    std::vector<ZVT_CPUID_ENTRY> records;
    records.reserve(m_entries.size());
    for (const Entry& e : m_entries)
    {
        const ZVT_CPUID_LEAF& r = e.registers;
        records.push_back(ZVT_CPUID_ENTRY{e.leaf, e.subleaf, r.eax, r.ebx, r.ecx, r.edx});
    }
    return records;
}

bool CRecordedCpuid::Contains(std::uint32_t leaf, std::uint32_t subleaf) const noexcept
{
    for (const Entry& entry : m_entries)
    {
        if (entry.leaf == leaf && entry.subleaf == subleaf)
        {
            return true;
        }
    }
    return false;
}

} // namespace zvt
