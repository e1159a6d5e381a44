// The dump of one processor: the three leaf ranges walked in order, and the leaves with sub-leaves, one
// row each, with the way their sub-leaves are enumerated.
#include "CpuidDump.h"

#include <cstring>

namespace zvt
{
namespace
{

enum class Subleaves
{
    kUntilNull, // until an entry whose field is 0 (from sub-leaf firstCounted on), that entry included
    kUpToEax,   // 0 .. sub-leaf 0 EAX, the highest sub-leaf
    kBitmap,    // 0, then every i (1..31) whose bit is set in sub-leaf 0's register
    kXsave      // 0, 1, then every state component i (2..62) set in 0xD.0 EDX:EAX | 0xD.1 EDX:ECX
};

struct SubleafRule
{
    std::uint32_t leaf;
    Subleaves kind;
    std::uint32_t ZVT_CPUID_LEAF::*reg; // the register that ends or lists the sub-leaves
    std::uint32_t field;                // kUntilNull: the bits that are 0 in the last entry
    std::uint32_t firstCounted;         // kUntilNull: the sub-leaves below it are always read
};

using L = ZVT_CPUID_LEAF;

constexpr SubleafRule kSubleafRules[] = {
    {0x00000004, Subleaves::kUntilNull, &L::eax, 0x1F, 0},   // caches, until cache type 0
    {0x00000007, Subleaves::kUpToEax, &L::eax, 0, 0},        // structured extended features
    {0x0000000B, Subleaves::kUntilNull, &L::ecx, 0xFF00, 0}, // topology, until level type 0
    {0x0000000D, Subleaves::kXsave, &L::eax, 0, 0},          // XSAVE state components
    {0x0000000F, Subleaves::kBitmap, &L::edx, 0, 0},         // RDT monitoring, by resource ID
    {0x00000010, Subleaves::kBitmap, &L::ebx, 0, 0},         // RDT allocation, by resource ID
    {0x00000012, Subleaves::kUntilNull, &L::eax, 0xF, 2},    // SGX: 0, 1, EPC sections until type 0
    {0x00000014, Subleaves::kUpToEax, &L::eax, 0, 0},        // processor trace
    {0x00000017, Subleaves::kUpToEax, &L::eax, 0, 0},        // SoC vendor attributes
    {0x00000018, Subleaves::kUpToEax, &L::eax, 0, 0},        // address translation parameters
    {0x0000001B, Subleaves::kUntilNull, &L::eax, 0xFFF, 0},  // PCONFIG, until sub-leaf type 0
    {0x0000001D, Subleaves::kUpToEax, &L::eax, 0, 0},        // tile palettes
    {0x0000001E, Subleaves::kUpToEax, &L::eax, 0, 0},        // tile matrix multiply
    {0x0000001F, Subleaves::kUntilNull, &L::ecx, 0xFF00, 0}, // topology V2, until level type 0
    {0x00000020, Subleaves::kUpToEax, &L::eax, 0, 0},        // history reset
    {0x00000023, Subleaves::kBitmap, &L::eax, 0, 0},         // performance monitoring, by valid sub-leaf
    {0x00000024, Subleaves::kUpToEax, &L::eax, 0, 0},        // AVX10
    {0x8000001D, Subleaves::kUntilNull, &L::eax, 0x1F, 0},   // cache topology, until cache type 0
    {0x80000020, Subleaves::kBitmap, &L::ebx, 0, 0},         // platform QoS, by enforcement feature
    {0x80000026, Subleaves::kUntilNull, &L::ecx, 0xFF00, 0}, // extended topology, until level type 0
};

// Executes CPUID and counts every answer, writing those that fit; once the dump holds the most entries
// any dump has, nothing more is executed.
class CDumpWriter
{
public:
    CDumpWriter(const CCpuidSource& cpuid, ZVT_CPUID_ENTRY* entries, std::uint32_t capacity) noexcept
        : m_cpuid(cpuid), m_entries(entries), m_capacity(capacity)
    {
    }

    bool IsFull() const noexcept
    {
        return m_count == ZVT_CPUID_DUMP_MAX_ENTRIES;
    }
    // The answer for leaf and sub-leaf; all zero, with nothing executed, once full.
    ZVT_CPUID_LEAF Read(std::uint32_t leaf, std::uint32_t subleaf) noexcept
    {
        if (IsFull())
        {
            return ZVT_CPUID_LEAF{};
        }
        const ZVT_CPUID_LEAF r = m_cpuid.Query(leaf, subleaf);
        if (m_count < m_capacity)
        {
            m_entries[m_count] = ZVT_CPUID_ENTRY{leaf, subleaf, r.eax, r.ebx, r.ecx, r.edx};
        }
        ++m_count;
        // Leaf 1 ECX bit 31 says whether the hypervisor range exists; kept so as not to execute it twice.
        m_hypervisor = leaf == 1 && subleaf == 0 ? (r.ecx >> 31) != 0 : m_hypervisor;
        return r;
    }
    std::uint32_t Count() const noexcept
    {
        return m_count;
    }
    bool HypervisorPresent() const noexcept
    {
        return m_hypervisor;
    }

private:
    const CCpuidSource& m_cpuid;
    ZVT_CPUID_ENTRY* m_entries;
    std::uint32_t m_capacity;
    std::uint32_t m_count = 0;
    bool m_hypervisor = false;
};

void ReadUntilNull(CDumpWriter& writer, const SubleafRule& rule) noexcept
{
    for (std::uint32_t subleaf = 0; subleaf < kMaxSubleaves && !writer.IsFull(); ++subleaf)
    {
        const ZVT_CPUID_LEAF r = writer.Read(rule.leaf, subleaf);
        if (subleaf >= rule.firstCounted && (r.*rule.reg & rule.field) == 0)
        {
            return;
        }
    }
}

void ReadUpToEax(CDumpWriter& writer, std::uint32_t leaf) noexcept
{
    const std::uint32_t highest = writer.Read(leaf, 0).eax;
    for (std::uint32_t subleaf = 1; subleaf <= highest && subleaf < kMaxSubleaves && !writer.IsFull();
         ++subleaf)
    {
        writer.Read(leaf, subleaf);
    }
}

// The sub-leaves first..last whose bits are set in mask.
void ReadListed(CDumpWriter& writer, std::uint32_t leaf, std::uint64_t mask, std::uint32_t first,
                std::uint32_t last) noexcept
{
    for (std::uint32_t subleaf = first; subleaf <= last && !writer.IsFull(); ++subleaf)
    {
        if ((mask >> subleaf & 1) != 0)
        {
            writer.Read(leaf, subleaf);
        }
    }
}

void ReadXsave(CDumpWriter& writer, std::uint32_t leaf) noexcept
{
    const ZVT_CPUID_LEAF main = writer.Read(leaf, 0);
    const ZVT_CPUID_LEAF supervisor = writer.Read(leaf, 1);
    const std::uint64_t components =
        std::uint64_t{main.edx | supervisor.edx} << 32 | main.eax | supervisor.ecx;
    ReadListed(writer, leaf, components, 2, 62);
}

void ReadLeaf(CDumpWriter& writer, std::uint32_t leaf) noexcept
{
    for (const SubleafRule& rule : kSubleafRules)
    {
        if (rule.leaf != leaf)
        {
            continue;
        }
        switch (rule.kind)
        {
        case Subleaves::kUntilNull:
            return ReadUntilNull(writer, rule);
        case Subleaves::kUpToEax:
            return ReadUpToEax(writer, leaf);
        case Subleaves::kBitmap:
            return ReadListed(writer, leaf, writer.Read(leaf, 0).*rule.reg, 1, 31);
        case Subleaves::kXsave:
            return ReadXsave(writer, leaf);
        }
    }
    writer.Read(leaf, 0);
}

// The range's first leaf, then its leaves up to the highest that the first leaf names.
void ReadRange(CDumpWriter& writer, std::uint32_t first) noexcept
{
    const std::uint32_t beyondFirst = writer.Read(first, 0).eax - first; // wraps for a highest below first
    const std::uint32_t leaves = beyondFirst < kRangeLeaves ? beyondFirst : 0;
    for (std::uint32_t i = 1; i <= leaves && !writer.IsFull(); ++i)
    {
        ReadLeaf(writer, first + i);
    }
}

} // namespace

std::uint32_t EnumerateCpuidDump(const CCpuidSource& cpuid, ZVT_CPUID_ENTRY* entries,
                                 std::uint32_t capacity) noexcept
{
    CDumpWriter writer(cpuid, entries, capacity);
    ReadRange(writer, 0);
    if (writer.HypervisorPresent())
    {
        ReadRange(writer, 0x40000000u);
    }
    ReadRange(writer, 0x80000000u);
    return writer.Count();
}

bool IsDumpRecordUsable(const ZVT_CPUID_DUMP* dump) noexcept
{
    return dump != nullptr && dump->size >= ZVT_CPUID_DUMP_HEADER_SIZE;
}

std::int32_t FillCpuidDump(const CCpuidSource& cpuid, std::uint32_t processor, ZVT_CPUID_DUMP* dump) noexcept
{
    if (!IsDumpRecordUsable(dump))
    {
        return ZVT_E_DUMP_TOO_SMALL;
    }
    if (!cpuid.HasCpuid())
    {
        return ZVT_E_NO_CPUID;
    }
    ZVT_CPUID_ENTRY entries[ZVT_CPUID_DUMP_MAX_ENTRIES];
    const std::uint32_t count = EnumerateCpuidDump(cpuid, entries, ZVT_CPUID_DUMP_MAX_ENTRIES);
    dump->count = count;
    if (count > (dump->size - ZVT_CPUID_DUMP_HEADER_SIZE) / sizeof(ZVT_CPUID_ENTRY))
    {
        return ZVT_E_DUMP_TOO_SMALL;
    }
    dump->processor = processor;
    dump->reserved = 0;
    // Past the declared one-entry array: the caller sized the record for count entries.
    std::memcpy(reinterpret_cast<unsigned char*>(dump) + ZVT_CPUID_DUMP_HEADER_SIZE, entries,
                count * sizeof(ZVT_CPUID_ENTRY));
    return ZVT_OK;
}

void IdentityOfDump(DumpEntries dump, ZVT_CPU_IDENTITY& identity) noexcept
{
    identity = ZVT_CPU_IDENTITY{};
    identity.size = ZVT_IDENTITY_SIZE;
    for (std::uint32_t i = 0; i < dump.count; ++i)
    {
        const ZVT_CPUID_ENTRY& e = dump.entries[i];
        const std::uint32_t index = e.leaf & 0x7FFFFFFFu;
        const bool extended = (e.leaf & 0x80000000u) != 0;
        if (e.subleaf == 0 && index < ZVT_CPUID_LEAVES && (extended || e.leaf < 0x40000000u))
        {
            (extended ? identity.extended : identity.basic)[index] =
                ZVT_CPUID_LEAF{e.eax, e.ebx, e.ecx, e.edx};
        }
    }
}

} // namespace zvt
