// This machine without Windows: the library's processor code linked in, over the same CPUID instruction.
#include <cerrno>
#include <cstring>
#include <pthread.h>
#include <sched.h>

#include "CpuidDump.h"
#include "MeasuredRecords.h"
#include "Sources.h"

namespace zvtinfo
{

bool ReadThisMachine(std::int32_t measureMs, Snapshot& snapshot, Failure&)
{
    snapshot.identityResult =
        zvt::PrepareIdentity(zvt::ProcessorCpuid(), zvt::ProcessorClock(), nullptr, 0, snapshot.identity);
    snapshot.information.size = ZVT_INFORMATION_SIZE;
    snapshot.informationResult =
        zvt::GetInformation(zvt::ProcessorCpuid(), zvt::ProcessorClock(), &snapshot.information, measureMs);
    return true;
}

namespace
{

bool SetThreadCpus(const cpu_set_t& cpus, Failure& failure)
{
    const int error = pthread_setaffinity_np(pthread_self(), sizeof cpus, &cpus);
    failure = Failure{
        1, error == 0 ? "" : std::string("cannot set the thread's processors: ") + std::strerror(error)};
    return error == 0;
}

} // namespace

bool ReadThisMachineDumps(std::vector<ProcessorDump>& dumps, Failure& failure)
{
    cpu_set_t allowed;
    if (sched_getaffinity(0, sizeof allowed, &allowed) != 0)
    {
        failure = Failure{1, std::string("cannot read the process's processors: ") + std::strerror(errno)};
        return false;
    }
    for (std::size_t cpu = 0; cpu < static_cast<std::size_t>(CPU_SETSIZE); ++cpu)
    {
        cpu_set_t one;
        CPU_ZERO(&one);
        CPU_SET(cpu, &one);
        if (CPU_ISSET(cpu, &allowed) == 0 || !SetThreadCpus(one, failure))
        {
            continue;
        }
        ProcessorDump dump{static_cast<std::uint32_t>(cpu),
                           std::vector<ZVT_CPUID_ENTRY>(ZVT_CPUID_DUMP_MAX_ENTRIES)};
        dump.entries.resize(
            zvt::EnumerateCpuidDump(zvt::ProcessorCpuid(), dump.entries.data(), ZVT_CPUID_DUMP_MAX_ENTRIES));
        dumps.push_back(std::move(dump));
    }
    if (!SetThreadCpus(allowed, failure))
    {
        return false;
    }
    failure = Failure{1, "no processor could be read"};
    return !dumps.empty();
}

std::int32_t WriteThisMachineReport(const std::string& path, std::int32_t mode, std::int32_t measureMs)
{
    ZVT_CPU_IDENTITY identity{};
    const std::int32_t result =
        zvt::PrepareIdentity(zvt::ProcessorCpuid(), zvt::ProcessorClock(), nullptr, measureMs, identity);
    return result != 0 ? result : WriteRecordedReport(identity, path, mode);
}

std::FILE* OpenFile(const std::string& path, const char* mode)
{
    return std::fopen(path.c_str(), mode);
}

} // namespace zvtinfo
