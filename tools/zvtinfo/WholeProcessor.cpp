// The whole processor decoded through the public headers for caches and topology.
#include "WholeProcessor.h"

#include <string>

#include "CpuidDump.h"
#include "zavsys_caches.h"
#include "zavsys_features.h"
#include "zavsys_topology.h"
#include "zavsys_uarch.h"

namespace zvtinfo
{
namespace
{

using Json = nlohmann::json;

ZVT_CPUID_VIEW ViewOf(const ProcessorDump& dump, bool allSubleaves)
{
    ZVT_CPUID_VIEW view;
    view.entries = dump.entries.data();
    view.count = dump.entries.size();
    view.allSubleaves = allSubleaves ? 1 : 0;
    return view;
}

struct CacheList
{
    std::vector<ZVT_CACHE_DESCRIPTION> caches;
    std::uint32_t status = 0;
};

CacheList CachesOf(const ZVT_CPUID_VIEW& view)
{
    CacheList list;
    list.caches.resize(ZVT_CACHE_LIST_MAX);
    list.caches.resize(zvtDescribeCaches(&view, list.caches.data(), list.caches.size(), &list.status));
    return list;
}

// Every named flag of the view, from every word it can tell, in number order.
std::vector<std::string> FlagsOf(const ZVT_CPUID_VIEW& view)
{
    ZVT_FLAG_SET flags{};
    zvtReadFlagsFromView(&view, &flags, nullptr);
    std::vector<std::string> names;
    for (int index = 0; const ZVT_FLAG_ROW* row = zvtGetFlagRow(index); ++index)
    {
        if (zvtFlagSetHas(&flags, row->flag) != 0)
        {
            names.emplace_back(row->name);
        }
    }
    return names;
}

// The identity record a processor's entries give.
ZVT_CPU_IDENTITY IdentityOf(const ProcessorDump& dump)
{
    ZVT_CPU_IDENTITY identity;
    zvt::IdentityOfDump(
        zvt::DumpEntries{dump.entries.data(), static_cast<std::uint32_t>(dump.entries.size())}, identity);
    return identity;
}

// Each microarchitecture among the processors with how many logical processors have it, in first-seen
// order: one on most machines, one per core type on a hybrid.
struct UarchCount
{
    ZVT_UARCH uarch;
    int logical = 0;
};

std::vector<UarchCount> UarchesOf(const std::vector<ProcessorDump>& processors)
{
    std::vector<UarchCount> counts;
    for (const ProcessorDump& dump : processors)
    {
        const ZVT_CPU_IDENTITY identity = IdentityOf(dump);
        UarchCount next{};
        zvtGetUarchOfIdentity(&identity, &next.uarch);
        bool seen = false;
        for (UarchCount& count : counts)
        {
            const bool same = std::string(count.uarch.text) == next.uarch.text;
            count.logical += same ? 1 : 0;
            seen = seen || same;
        }
        if (!seen)
        {
            next.logical = 1;
            counts.push_back(next);
        }
    }
    return counts;
}

struct Decoded
{
    std::vector<UarchCount> uarches;
    std::vector<std::string> flags;
    ZVT_AVX10 avx10{};
    CacheList caches;
    ZVT_TOPOLOGY first{};
    ZVT_MACHINE_TOPOLOGY machine{};
};

Decoded Decode(const WholeProcessor& whole)
{
    Decoded decoded;
    std::vector<ZVT_TOPOLOGY> topologies(whole.processors.size());
    for (std::size_t i = 0; i < whole.processors.size(); ++i)
    {
        const ZVT_CPUID_VIEW view = ViewOf(whole.processors[i], whole.allSubleaves);
        zvtGetTopology(&view, &topologies[i]);
    }
    const ZVT_CPUID_VIEW first = ViewOf(whole.processors.front(), whole.allSubleaves);
    decoded.uarches = UarchesOf(whole.processors);
    decoded.caches = CachesOf(first);
    decoded.flags = FlagsOf(first);
    zvtGetAvx10(&first, &decoded.avx10);
    decoded.first = topologies.front();
    zvtGetMachineTopology(topologies.data(), topologies.size(), &decoded.machine);
    return decoded;
}

const char* TypeName(const ZVT_CACHE_DESCRIPTION& cache)
{
    switch (cache.type)
    {
    case ZVT_CACHE_TYPE_DATA:
        return "data";
    case ZVT_CACHE_TYPE_INSTRUCTION:
        return "instruction";
    case ZVT_CACHE_TYPE_UNIFIED:
        return "unified";
    case ZVT_CACHE_TYPE_TRACE:
        return "trace";
    default:
        return "reserved";
    }
}

std::string SizeText(std::uint64_t bytes)
{
    if (bytes >= (1u << 20) && bytes % (1u << 20) == 0)
    {
        return std::to_string(bytes >> 20) + " MiB";
    }
    return bytes % 1024 == 0 ? std::to_string(bytes >> 10) + " KiB" : std::to_string(bytes) + " bytes";
}

std::string HexText(std::uint32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%X", value);
    return text;
}

// "32 KiB, 8-way, 64-byte lines, 64 sets, shared by 2 logical processors (leaf 0x4)"
std::string CacheText(const ZVT_CACHE_DESCRIPTION& cache)
{
    const bool total = (cache.flags & ZVT_CACHE_FLAG_PACKAGE_TOTAL) != 0;
    std::string text = cache.type == ZVT_CACHE_TYPE_TRACE ? std::to_string(cache.sizeUops) + "K micro-ops"
                                                          : SizeText(cache.sizeBytes);
    text += total ? " in all caches of this level in the package" : "";
    if (cache.ways == ZVT_CACHE_FULLY_ASSOCIATIVE)
    {
        text += ", fully associative";
    }
    else if (cache.ways > 0)
    {
        text += (cache.flags & ZVT_CACHE_FLAG_WAYS_AT_LEAST) != 0 ? ", at least " : ", ";
        text += std::to_string(cache.ways) + "-way";
    }
    text += cache.lineBytes > 0 ? ", " + std::to_string(cache.lineBytes) + "-byte lines" : "";
    text += cache.sets > 0 ? ", " + std::to_string(cache.sets) + " sets" : "";
    if (cache.sharedBy != ZVT_CACHE_UNKNOWN)
    {
        text += ", shared by " + std::to_string(cache.sharedBy) +
                (cache.sharedBy == 1 ? " logical processor" : " logical processors");
    }
    return text + " (leaf " + HexText(cache.sourceLeaf) + ")";
}

std::string Count(std::int32_t value)
{
    return value == ZVT_TOPOLOGY_UNKNOWN ? "unknown" : std::to_string(value);
}

std::string Plural(std::int32_t value, const char* one, const char* many)
{
    return Count(value) + " " + (value == 1 ? one : many);
}

std::string CountsText(std::int32_t packages, std::int32_t cores, std::int32_t logical)
{
    return Plural(packages, "package", "packages") + ", " + Plural(cores, "core", "cores") + ", " +
           Plural(logical, "logical processor", "logical processors");
}

void PrintCacheLines(const CacheList& list, std::FILE* out)
{
    for (const ZVT_CACHE_DESCRIPTION& cache : list.caches)
    {
        std::fprintf(out, "Cache L%d %s : %s\n", cache.level, TypeName(cache), CacheText(cache).c_str());
    }
    if ((list.status & ZVT_CACHE_LIST_INCOMPLETE) != 0)
    {
        std::fprintf(out, "Cache list : incomplete (the record holds sub-leaf 0 only)\n");
    }
}

void PrintTopology(const Decoded& d, std::size_t recorded, std::FILE* out)
{
    const ZVT_TOPOLOGY& t = d.first;
    std::fprintf(out, "Topology : %s per core, %s and %s per package (%s)\n",
                 Plural(t.threadsPerCore, "thread", "threads").c_str(),
                 Plural(t.coresPerPackage, "core", "cores").c_str(),
                 Plural(t.logicalPerPackage, "logical processor", "logical processors").c_str(),
                 zvtGetTopologyMethodName(t.method));
    const ZVT_MACHINE_TOPOLOGY& m = d.machine;
    std::fprintf(out, "Processors : %s (%zu recorded)\n", CountsText(m.packages, m.cores, m.logical).c_str(),
                 recorded);
    if ((m.flags & ZVT_MACHINE_HYBRID) != 0)
    {
        std::fprintf(out, "Core types : %s (%s logical), %s (%s logical)\n",
                     Plural(m.performanceCores, "performance core", "performance cores").c_str(),
                     Count(m.performanceLogical).c_str(),
                     Plural(m.efficiencyCores, "efficiency core", "efficiency cores").c_str(),
                     Count(m.efficiencyLogical).c_str());
    }
}

// The processors' own leaves against the system's count: a virtual machine passes leaves through that
// describe the host, or invents a topology of its own.
std::optional<std::string> Disagreement(const Decoded& d, const SystemCount& system)
{
    const ZVT_MACHINE_TOPOLOGY& m = d.machine;
    if (m.packages == system.packages && m.cores == system.cores && m.logical == system.logical)
    {
        return std::nullopt;
    }
    return "the processors' leaves tell " + CountsText(m.packages, m.cores, m.logical) +
           ", the system counts " + CountsText(system.packages, system.cores, system.logical);
}

void PrintSystem(const Decoded& d, const SystemCount& system, std::FILE* out)
{
    std::fprintf(out, "System : %s", CountsText(system.packages, system.cores, system.logical).c_str());
    if (system.efficiencyClasses > 0)
    {
        std::fprintf(out, ", %s",
                     Plural(system.efficiencyClasses, "efficiency class", "efficiency classes").c_str());
    }
    std::fprintf(out, "\n");
    if (const std::optional<std::string> disagreement = Disagreement(d, system))
    {
        std::fprintf(out, "System and processor disagree : %s\n", disagreement->c_str());
    }
}

Json CacheJson(const ZVT_CACHE_DESCRIPTION& cache)
{
    return Json{{"level", cache.level},
                {"type", TypeName(cache)},
                {"sizeBytes", cache.sizeBytes},
                {"sizeUops", cache.sizeUops},
                {"ways", cache.ways},
                {"waysAtLeast", (cache.flags & ZVT_CACHE_FLAG_WAYS_AT_LEAST) != 0},
                {"lineBytes", cache.lineBytes},
                {"sets", cache.sets},
                {"partitions", cache.partitions},
                {"sharedBy", cache.sharedBy == ZVT_CACHE_UNKNOWN ? Json(nullptr) : Json(cache.sharedBy)},
                {"packageTotal", (cache.flags & ZVT_CACHE_FLAG_PACKAGE_TOTAL) != 0},
                {"inclusive", (cache.flags & ZVT_CACHE_FLAG_INCLUSIVE) != 0},
                {"sourceLeaf", cache.sourceLeaf}};
}

Json UarchesJson(const std::vector<UarchCount>& counts)
{
    Json list = Json::array();
    for (const UarchCount& count : counts)
    {
        const ZVT_UARCH& u = count.uarch;
        list.push_back(Json{{"microarchitecture", u.uarch},
                            {"codename", u.codename},
                            {"generation", u.generation},
                            {"kind", zvtGetUarchKindName(u.kind)},
                            {"text", u.text},
                            {"family", u.family},
                            {"model", u.model},
                            {"stepping", u.stepping},
                            {"coreType", u.coreType},
                            {"logical", count.logical}});
    }
    return list;
}

Json CountJson(std::int32_t value)
{
    return value == ZVT_TOPOLOGY_UNKNOWN ? Json(nullptr) : Json(value);
}

Json TopologyJson(const Decoded& d)
{
    const ZVT_TOPOLOGY& t = d.first;
    const ZVT_MACHINE_TOPOLOGY& m = d.machine;
    const bool hybrid = (m.flags & ZVT_MACHINE_HYBRID) != 0;
    return Json{{"method", zvtGetTopologyMethodName(t.method)},
                {"threadsPerCore", CountJson(t.threadsPerCore)},
                {"coresPerPackage", CountJson(t.coresPerPackage)},
                {"logicalPerPackage", CountJson(t.logicalPerPackage)},
                {"packages", CountJson(m.packages)},
                {"cores", CountJson(m.cores)},
                {"logical", CountJson(m.logical)},
                {"hybrid", hybrid},
                {"performanceCores", hybrid ? CountJson(m.performanceCores) : Json(nullptr)},
                {"performanceLogical", hybrid ? CountJson(m.performanceLogical) : Json(nullptr)},
                {"efficiencyCores", hybrid ? CountJson(m.efficiencyCores) : Json(nullptr)},
                {"efficiencyLogical", hybrid ? CountJson(m.efficiencyLogical) : Json(nullptr)}};
}

} // namespace

void PrintWholeProcessor(const WholeProcessor& whole, std::FILE* out)
{
    if (whole.processors.empty())
    {
        return;
    }
    const Decoded decoded = Decode(whole);
    std::string flags;
    for (const std::string& name : decoded.flags)
    {
        flags += (flags.empty() ? "" : " ") + name;
    }
    std::string uarches;
    for (const UarchCount& count : decoded.uarches)
    {
        uarches += (uarches.empty() ? "" : ", ") + std::string(count.uarch.text);
        uarches += decoded.uarches.size() > 1
                       ? " on " + Plural(count.logical, "logical processor", "logical processors")
                       : "";
    }
    std::fprintf(out, "Microarchitecture : %s\n", uarches.c_str());
    std::fprintf(out, "All flags : %s\n", flags.c_str());
    if (decoded.avx10.version > 0)
    {
        std::fprintf(out, "AVX10 : version %d\n", decoded.avx10.version);
    }
    PrintCacheLines(decoded.caches, out);
    PrintTopology(decoded, whole.processors.size(), out);
    if (whole.system)
    {
        PrintSystem(decoded, *whole.system, out);
    }
}

Json WholeProcessorJson(const WholeProcessor& whole)
{
    if (whole.processors.empty())
    {
        return nullptr;
    }
    const Decoded decoded = Decode(whole);
    Json caches = Json::array();
    for (const ZVT_CACHE_DESCRIPTION& cache : decoded.caches.caches)
    {
        caches.push_back(CacheJson(cache));
    }
    Json system = nullptr;
    if (whole.system)
    {
        const std::optional<std::string> disagreement = Disagreement(decoded, *whole.system);
        system = Json{{"packages", whole.system->packages},
                      {"cores", whole.system->cores},
                      {"logical", whole.system->logical},
                      {"efficiencyClasses", whole.system->efficiencyClasses},
                      {"disagreement", disagreement ? Json(*disagreement) : Json(nullptr)}};
    }
    return Json{{"processorsRecorded", whole.processors.size()},
                {"allSubleaves", whole.allSubleaves},
                {"microarchitectures", UarchesJson(decoded.uarches)},
                {"flags", decoded.flags},
                {"avx10Version", decoded.avx10.version},
                {"caches", caches},
                {"cachesIncomplete", (decoded.caches.status & ZVT_CACHE_LIST_INCOMPLETE) != 0},
                {"topology", TopologyJson(decoded)},
                {"system", system}};
}

} // namespace zvtinfo
