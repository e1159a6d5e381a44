// The operating system's count of packages, cores and logical processors, for comparison with what the
// processor's own leaves tell.
#include "WholeProcessor.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fstream>
#include <set>
#include <string>
#include <utility>
#endif

#include <vector>

namespace zvtinfo
{

#ifdef _WIN32

namespace
{

using GetInformationEx = BOOL(WINAPI*)(LOGICAL_PROCESSOR_RELATIONSHIP,
                                       PSYSTEM_LOGICAL_PROCESSOR_INFORMATION_EX, PDWORD);

// The records of one relationship; empty where the system lacks the call (before Windows 7).
std::vector<char> Records(LOGICAL_PROCESSOR_RELATIONSHIP relationship)
{
    const auto call = reinterpret_cast<GetInformationEx>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetLogicalProcessorInformationEx")));
    DWORD bytes = 0;
    if (call == nullptr || call(relationship, nullptr, &bytes) || GetLastError() != ERROR_INSUFFICIENT_BUFFER)
    {
        return {};
    }
    std::vector<char> records(bytes);
    const auto first = reinterpret_cast<PSYSTEM_LOGICAL_PROCESSOR_INFORMATION_EX>(records.data());
    return call(relationship, first, &bytes) ? records : std::vector<char>{};
}

template <typename Visit> void ForEachRecord(const std::vector<char>& records, Visit visit)
{
    for (std::size_t at = 0; at + sizeof(DWORD) * 2 <= records.size();)
    {
        const auto record = reinterpret_cast<const SYSTEM_LOGICAL_PROCESSOR_INFORMATION_EX*>(&records[at]);
        visit(*record);
        at += record->Size > 0 ? record->Size : records.size();
    }
}

// The byte after Flags: EfficiencyClass since Windows 10, which older headers (mingw's) call Reserved[0].
BYTE EfficiencyClassOf(const PROCESSOR_RELATIONSHIP& processor)
{
    return reinterpret_cast<const BYTE*>(&processor.Flags)[1];
}

int Popcount(KAFFINITY mask)
{
    int count = 0;
    for (; mask != 0; mask &= mask - 1)
    {
        ++count;
    }
    return count;
}

} // namespace

std::optional<SystemCount> ReadSystemCount()
{
    SystemCount count;
    std::vector<BYTE> classes;
    ForEachRecord(Records(RelationProcessorCore), [&](const SYSTEM_LOGICAL_PROCESSOR_INFORMATION_EX& core) {
        ++count.cores;
        for (WORD group = 0; group < core.Processor.GroupCount; ++group)
        {
            count.logical += Popcount(core.Processor.GroupMask[group].Mask);
        }
        classes.push_back(EfficiencyClassOf(core.Processor));
    });
    ForEachRecord(Records(RelationProcessorPackage),
                  [&](const SYSTEM_LOGICAL_PROCESSOR_INFORMATION_EX&) { ++count.packages; });
    if (count.cores == 0)
    {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < classes.size(); ++i)
    {
        bool seen = false;
        for (std::size_t j = 0; j < i; ++j)
        {
            seen = seen || classes[j] == classes[i];
        }
        count.efficiencyClasses += seen ? 0 : 1;
    }
    return count;
}

#else

namespace
{

bool ReadNumber(const std::string& path, int& value)
{
    std::ifstream file(path);
    return static_cast<bool>(file >> value);
}

} // namespace

// sysfs: one folder per logical processor the kernel brought up, with its package and core numbers.
std::optional<SystemCount> ReadSystemCount()
{
    std::set<int> packages;
    std::set<std::pair<int, int>> cores;
    SystemCount count;
    for (int cpu = 0; cpu < 4096; ++cpu)
    {
        const std::string topology = "/sys/devices/system/cpu/cpu" + std::to_string(cpu) + "/topology/";
        int package = 0;
        int core = 0;
        if (!ReadNumber(topology + "physical_package_id", package) || !ReadNumber(topology + "core_id", core))
        {
            continue;
        }
        packages.insert(package);
        cores.insert({package, core});
        ++count.logical;
    }
    if (count.logical == 0)
    {
        return std::nullopt;
    }
    count.packages = static_cast<int>(packages.size());
    count.cores = static_cast<int>(cores.size());
    return count;
}

#endif

} // namespace zvtinfo
