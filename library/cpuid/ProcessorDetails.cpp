// The details record through the public headers' own decoders: one decoding of CPUID for every caller.
#include "ProcessorDetails.h"

#include <algorithm>
#include <cstring>

#include "zavsys_caches.h"
#include "zavsys_features.h"
#include "zavsys_topology.h"
// The record has no place for a row's source: the DLL need not carry their text.
#define ZVT_UARCH_NO_SOURCES
#include "zavsys_uarch.h"

namespace zvt
{
namespace
{

ZVT_CPUID_VIEW ViewOf(DumpEntries dump) noexcept
{
    return ZVT_CPUID_VIEW{dump.entries, dump.count, 1};
}

// Copies text into a fixed field, cut short to fit, the rest zero.
template <std::size_t N> void CopyText(char (&field)[N], const char* text) noexcept
{
    std::memset(field, 0, N);
    for (std::size_t i = 0; i + 1 < N && text[i] != '\0'; ++i)
    {
        field[i] = text[i];
    }
}

// The bytes of registers in order, up to the first NUL, into a field of at least 4 * count + 1 bytes.
template <std::size_t N>
void CopyRegisters(char (&field)[N], const std::uint32_t* registers, std::size_t count)
{
    static_assert(N >= 1);
    std::memset(field, 0, N);
    for (std::size_t i = 0; i < 4 * count && i + 1 < N; ++i)
    {
        field[i] = static_cast<char>((registers[i / 4] >> (8 * (i % 4))) & 0xFFu);
    }
}

void FillUarch(const ZVT_UARCH& uarch, ZVT_DETAILS_UARCH& out) noexcept
{
    out.kind = uarch.kind;
    out.coreType = uarch.coreType;
    out.nativeModel = uarch.nativeModel;
    out.logical = 1;
    CopyText(out.uarch, uarch.uarch);
    CopyText(out.generation, uarch.generation);
    CopyText(out.codename, uarch.codename);
}

void FillNames(DumpEntries dump, const ZVT_CPU_IDENTITY& identity, ZVT_PROCESSOR_DETAILS& details) noexcept
{
    const ZVT_CPUID_LEAF& leaf0 = identity.basic[0];
    const std::uint32_t vendor[] = {leaf0.ebx, leaf0.edx, leaf0.ecx};
    CopyRegisters(details.vendor, vendor, 3);
    if (identity.extended[0].eax >= 0x80000004u && identity.extended[0].eax <= 0x8000FFFFu)
    {
        std::uint32_t brand[12];
        for (std::uint32_t i = 0; i < 3; ++i)
        {
            const ZVT_CPUID_LEAF& leaf = identity.extended[2 + i];
            std::uint32_t* to = &brand[4 * i];
            to[0] = leaf.eax, to[1] = leaf.ebx, to[2] = leaf.ecx, to[3] = leaf.edx;
        }
        CopyRegisters(details.brand, brand, 12);
    }
    const ZVT_CPUID_VIEW view = ViewOf(dump);
    const ZVT_CPUID_ENTRY* hypervisor = zvtFindEntry(&view, 0x40000000u, 0);
    if (zvtHasFlag(&identity, ZVT_FLAG_HYPERVISOR) != 0 && hypervisor != nullptr)
    {
        const std::uint32_t name[] = {hypervisor->ebx, hypervisor->ecx, hypervisor->edx};
        CopyRegisters(details.hypervisor, name, 3);
    }
    ZVT_UARCH uarch{};
    zvtGetUarchOfIdentity(&identity, &uarch);
    details.signature = identity.basic[1].eax;
    details.family = uarch.family;
    details.model = uarch.model;
    details.stepping = uarch.stepping;
    FillUarch(uarch, details.uarch);
}

void FillFlags(DumpEntries dump, const ZVT_CPU_IDENTITY& identity, std::uint64_t xcr0,
               ZVT_PROCESSOR_DETAILS& details) noexcept
{
    static_assert(ZVT_FLAG_WORDS <= ZVT_DETAILS_FLAG_WORDS, "the record holds every flag word");
    const ZVT_CPUID_VIEW view = ViewOf(dump);
    ZVT_FLAG_SET flags{};
    zvtReadFlagsFromView(&view, &flags, nullptr);
    details.flagWords = ZVT_FLAG_WORDS;
    for (int index = 0; const ZVT_FLAG_ROW* row = zvtGetFlagRow(index); ++index)
    {
        const auto word = static_cast<std::size_t>(row->flag / 32);
        const std::uint32_t bit = 1u << (row->flag % 32);
        details.flags[word] |= zvtFlagSetHas(&flags, row->flag) != 0 ? bit : 0u;
        details.usable[word] |= zvtIsFlagUsable(&flags, row->flag, xcr0) != 0 ? bit : 0u;
    }
    details.level = zvtGetLevel(&identity);
    details.enabledLevel = zvtGetEnabledLevel(&identity, xcr0);
    details.xcr0Low = static_cast<std::uint32_t>(xcr0);
    details.xcr0High = static_cast<std::uint32_t>(xcr0 >> 32);
    ZVT_AVX10 avx10{};
    zvtGetAvx10(&view, &avx10);
    details.avx10Version = avx10.version;
    details.avx10VectorWidths = avx10.vectorWidths;
    zvtGetAddressSizes(&identity, &details.physicalAddressBits, &details.linearAddressBits);
    const ZVT_CPUID_LEAF* sizes = zvtFindExtendedLeaf(&identity, 0x80000008u);
    details.guestPhysicalAddressBits =
        sizes != nullptr ? static_cast<std::int32_t>((sizes->eax >> 16) & 0xFFu) : 0;
}

std::uint32_t Saturated(std::uint64_t value) noexcept
{
    return value > 0xFFFFFFFFu ? 0xFFFFFFFFu : static_cast<std::uint32_t>(value);
}

ZVT_DETAILS_CACHE CacheOf(const ZVT_CACHE_DESCRIPTION& c) noexcept
{
    return ZVT_DETAILS_CACHE{c.level,     c.type,       Saturated(c.sizeBytes), Saturated(c.sets), c.ways,
                             c.lineBytes, c.partitions, c.linesPerTag,          c.sharedBy,        c.sizeUops,
                             c.flags,     c.sourceLeaf, c.sourceIndex,          c.rawType};
}

void FillCaches(DumpEntries dump, ZVT_PROCESSOR_DETAILS& details) noexcept
{
    const ZVT_CPUID_VIEW view = ViewOf(dump);
    ZVT_CACHE_DESCRIPTION caches[ZVT_CACHE_LIST_MAX];
    std::uint32_t status = 0;
    const std::size_t count = zvtDescribeCaches(&view, caches, ZVT_CACHE_LIST_MAX, &status);
    const std::size_t kept = std::min<std::size_t>(count, ZVT_DETAILS_CACHES);
    for (std::size_t i = 0; i < kept; ++i)
    {
        details.caches[i] = CacheOf(caches[i]);
    }
    details.cacheCount = static_cast<std::uint32_t>(kept);
    details.cacheStatus = status | (count > kept ? ZVT_CACHE_LIST_TRUNCATED : 0u);
}

} // namespace

void DecodeProcessorDetails(DumpEntries dump, std::uint32_t processor, std::uint64_t xcr0,
                            ZVT_PROCESSOR_DETAILS& details) noexcept
{
    details = ZVT_PROCESSOR_DETAILS{};
    details.processor = processor;
    ZVT_CPU_IDENTITY identity;
    IdentityOfDump(dump, identity);
    FillNames(dump, identity, details);
    FillFlags(dump, identity, xcr0, details);
    FillCaches(dump, details);
    const ZVT_CPUID_VIEW view = ViewOf(dump);
    zvtGetTopology(&view, &details.topology);
}

void CMachineDetails::Add(DumpEntries dump) noexcept
{
    if (m_count < ZVT_DETAILS_MAX_PROCESSORS)
    {
        const ZVT_CPUID_VIEW view = ViewOf(dump);
        zvtGetTopology(&view, &m_topologies[m_count++]);
    }
    ZVT_CPU_IDENTITY identity;
    IdentityOfDump(dump, identity);
    ZVT_UARCH uarch{};
    zvtGetUarchOfIdentity(&identity, &uarch);
    ZVT_DETAILS_UARCH next{};
    FillUarch(uarch, next);
    for (std::uint32_t i = 0; i < m_uarchCount; ++i)
    {
        ZVT_DETAILS_UARCH& seen = m_uarches[i];
        if (seen.kind == next.kind && seen.coreType == next.coreType &&
            seen.nativeModel == next.nativeModel && std::strcmp(seen.uarch, next.uarch) == 0 &&
            std::strcmp(seen.codename, next.codename) == 0)
        {
            ++seen.logical;
            return;
        }
    }
    if (m_uarchCount < ZVT_DETAILS_UARCHES)
    {
        m_uarches[m_uarchCount++] = next;
    }
    else
    {
        m_uarchesTruncated = true;
    }
}

void CMachineDetails::Finish(std::uint32_t processors, ZVT_PROCESSOR_DETAILS& details) const noexcept
{
    zvtGetMachineTopology(m_topologies, m_count, &details.machine);
    std::copy(m_uarches, m_uarches + m_uarchCount, details.uarches);
    details.uarchCount = m_uarchCount;
    details.filled |= ZVT_DETAILS_MACHINE;
    details.filled |= m_count < processors ? ZVT_DETAILS_MACHINE_TRUNCATED : 0u;
    details.filled |= m_uarchesTruncated ? ZVT_DETAILS_UARCHES_TRUNCATED : 0u;
}

int FindFlagByName(const char* name) noexcept
{
    char lower[64];
    std::size_t i = 0;
    for (; name != nullptr && name[i] != '\0'; ++i)
    {
        if (i + 1 == sizeof lower)
        {
            return ZVT_FLAG_NONE;
        }
        const char c = name[i];
        lower[i] = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    lower[i] = '\0';
    return name == nullptr ? ZVT_FLAG_NONE : zvtFindFlag(lower);
}

std::int32_t QueryFlag(int flag, DumpEntries dump, std::uint64_t xcr0) noexcept
{
    const ZVT_CPUID_VIEW view = ViewOf(dump);
    ZVT_FLAG_SET flags{};
    zvtReadFlagsFromView(&view, &flags, nullptr);
    if (zvtFlagSetHas(&flags, flag) == 0)
    {
        return 0;
    }
    return ZVT_QUERY_REPORTED | (zvtIsFlagUsable(&flags, flag, xcr0) != 0 ? ZVT_QUERY_USABLE : 0);
}

std::int32_t GetFlagName(std::int32_t flag, char* buffer, std::int32_t capacity) noexcept
{
    const char* name = zvtGetFlagName(flag);
    if (name == nullptr)
    {
        return ZVT_E_UNKNOWN_FLAG;
    }
    const auto length = static_cast<std::int32_t>(std::strlen(name));
    if (buffer != nullptr && capacity > length)
    {
        std::memcpy(buffer, name, static_cast<std::size_t>(length) + 1);
    }
    return length;
}

std::int32_t CheckDetailsRequest(const ZVT_PROCESSOR_DETAILS* details, std::int32_t options) noexcept
{
    if (details == nullptr || details->size < ZVT_DETAILS_HEADER_SIZE)
    {
        return ZVT_E_RECORD_TOO_SMALL;
    }
    return (static_cast<std::uint32_t>(options) & ~ZVT_DETAILS_MACHINE) != 0 ? ZVT_E_BAD_OPTIONS : ZVT_OK;
}

void DeliverDetails(const ZVT_PROCESSOR_DETAILS& decoded, ZVT_PROCESSOR_DETAILS* details) noexcept
{
    const std::uint32_t size = details->size;
    const std::uint32_t written = std::min<std::uint32_t>(size, ZVT_DETAILS_SIZE);
    std::memcpy(details, &decoded, written);
    details->size = size;
    details->written = written;
}

} // namespace zvt
