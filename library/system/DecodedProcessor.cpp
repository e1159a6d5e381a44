// The dumps live in the call's stack: nothing is allocated, and concurrent callers share nothing.
#include "DecodedProcessor.h"

#include "CpuidDump.h"
#include "CpuidSource.h"
#include "ProcessorAffinity.h"
#include "ProcessorDetails.h"
#include "zavsys_features.h"

namespace zvt
{
namespace
{

// The dump and XCR0 of the processor the thread runs on.
struct LiveDump
{
    ZVT_CPUID_ENTRY entries[ZVT_CPUID_DUMP_MAX_ENTRIES];
    std::uint32_t count = 0;
    std::uint64_t xcr0 = 0;

    bool Read() noexcept
    {
        if (!ProcessorCpuid().HasCpuid())
        {
            return false;
        }
        count = EnumerateCpuidDump(ProcessorCpuid(), entries, ZVT_CPUID_DUMP_MAX_ENTRIES);
        zvtReadXcr0(&xcr0);
        return true;
    }

    DumpEntries Entries() const noexcept
    {
        return DumpEntries{entries, count};
    }
};

// Reads the dump on processor (or where the thread is, for ZVT_PROCESSOR_CURRENT); ZVT_OK, ZVT_E_NO_PROCESSOR
// or ZVT_E_NO_CPUID. The affinity is restored before it returns.
std::int32_t ReadOn(std::int32_t processor, LiveDump& dump, std::uint32_t& number) noexcept
{
    CProcessorAffinity affinity;
    if (!affinity.MoveToOrStay(processor, number))
    {
        return ZVT_E_NO_PROCESSOR;
    }
    return dump.Read() ? ZVT_OK : ZVT_E_NO_CPUID;
}

// Every logical processor's topology and microarchitecture; one the thread cannot visit is left out.
void AddMachine(LiveDump& dump, ZVT_PROCESSOR_DETAILS& decoded) noexcept
{
    CMachineDetails machine;
    const std::uint32_t processors = CProcessorAffinity::ProcessorCount();
    for (std::uint32_t p = 0; p < processors; ++p)
    {
        std::uint32_t number = 0;
        if (ReadOn(static_cast<std::int32_t>(p), dump, number) == ZVT_OK)
        {
            machine.Add(dump.Entries());
        }
    }
    machine.Finish(processors, decoded);
}

} // namespace

std::int32_t GetProcessorDetails(ZVT_PROCESSOR_DETAILS* details, std::int32_t processor,
                                 std::int32_t options) noexcept
{
    const std::int32_t request = CheckDetailsRequest(details, options);
    if (request != ZVT_OK)
    {
        return request;
    }
    LiveDump dump;
    std::uint32_t number = 0;
    const std::int32_t read = ReadOn(processor, dump, number);
    if (read != ZVT_OK)
    {
        return read;
    }
    ZVT_PROCESSOR_DETAILS decoded;
    DecodeProcessorDetails(dump.Entries(), number, dump.xcr0, decoded);
    if ((static_cast<std::uint32_t>(options) & ZVT_DETAILS_MACHINE) != 0)
    {
        AddMachine(dump, decoded);
    }
    DeliverDetails(decoded, details);
    return ZVT_OK;
}

std::int32_t QueryProcessorFlag(const char* name, std::int32_t processor) noexcept
{
    const int flag = FindFlagByName(name);
    if (flag == ZVT_FLAG_NONE)
    {
        return ZVT_E_UNKNOWN_FLAG;
    }
    LiveDump dump;
    std::uint32_t number = 0;
    const std::int32_t read = ReadOn(processor, dump, number);
    return read != ZVT_OK ? read : QueryFlag(flag, dump.Entries(), dump.xcr0);
}

} // namespace zvt
