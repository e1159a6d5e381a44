// Moving the calling thread to one logical processor and back, with the processor-group functions of
// Windows 7 and later where the system has them, and zvtGetCpuidDump's body.
#include "ProcessorAffinity.h"

#include "CpuidDump.h"

namespace
{

using PFN_GetActiveProcessorGroupCount = WORD(WINAPI*)();
using PFN_GetActiveProcessorCount = DWORD(WINAPI*)(WORD group);
using PFN_GetCurrentProcessorNumberEx = VOID(WINAPI*)(PROCESSOR_NUMBER* number);
using PFN_GetCurrentProcessorNumber = DWORD(WINAPI*)();

constexpr std::uint32_t kMaskBits = sizeof(DWORD_PTR) * 8;

// A kernel32 function by name, looked up at the moment of use; null on systems without it.
template <typename Function> Function FindKernel32(const char* name) noexcept
{
    const HMODULE kernel32 = GetModuleHandleW(L"kernel32");
    return kernel32 == nullptr
               ? nullptr
               : reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(kernel32, name)));
}

// The group functions, all three or none.
struct GroupFunctions
{
    PFN_GetActiveProcessorGroupCount groupCount =
        FindKernel32<PFN_GetActiveProcessorGroupCount>("GetActiveProcessorGroupCount");
    PFN_GetActiveProcessorCount processorCount =
        FindKernel32<PFN_GetActiveProcessorCount>("GetActiveProcessorCount");
    PFN_SetThreadGroupAffinity setAffinity =
        FindKernel32<PFN_SetThreadGroupAffinity>("SetThreadGroupAffinity");

    bool Present() const noexcept
    {
        return groupCount != nullptr && processorCount != nullptr && setAffinity != nullptr;
    }
};

// The processors of the groups before group, as the numbering across groups counts them.
std::uint32_t ProcessorsBefore(const GroupFunctions& groups, WORD group) noexcept
{
    std::uint32_t before = 0;
    for (WORD g = 0; g < group; ++g)
    {
        before += groups.processorCount(g);
    }
    return before;
}

// Lets the thread run on the one logical processor alone, numbered across the groups; active processors
// fill each group from bit 0, as Windows assigns them. False when there is no such processor or the
// affinity cannot be set.
bool SetGroupAffinity(const GroupFunctions& groups, std::uint32_t processor,
                      GROUP_AFFINITY& previous) noexcept
{
    const WORD groupCount = groups.groupCount();
    for (WORD group = 0; group < groupCount; ++group)
    {
        const DWORD inGroup = groups.processorCount(group);
        if (processor < inGroup)
        {
            GROUP_AFFINITY affinity{};
            affinity.Group = group;
            affinity.Mask = processor < kMaskBits ? KAFFINITY{1} << processor : 0;
            return affinity.Mask != 0 && groups.setAffinity(GetCurrentThread(), &affinity, &previous);
        }
        processor -= inGroup;
    }
    return false;
}

} // namespace

CProcessorAffinity::~CProcessorAffinity()
{
    if (m_restore == Restore::kGroupAffinity)
    {
        m_pfnSetThreadGroupAffinity(GetCurrentThread(), &m_previousGroupAffinity, nullptr);
    }
    else if (m_restore == Restore::kAffinityMask)
    {
        SetThreadAffinityMask(GetCurrentThread(), m_previousMask);
    }
}

bool CProcessorAffinity::MoveTo(std::int32_t processor) noexcept
{
    if (processor < 0 || m_restore != Restore::kNothing)
    {
        return false;
    }
    const auto number = static_cast<std::uint32_t>(processor);
    const GroupFunctions groups;
    if (!groups.Present())
    {
        return MoveWithMask(number);
    }
    if (!SetGroupAffinity(groups, number, m_previousGroupAffinity))
    {
        return false;
    }
    m_restore = Restore::kGroupAffinity;
    m_pfnSetThreadGroupAffinity = groups.setAffinity;
    return true;
}

bool CProcessorAffinity::MoveWithMask(std::uint32_t processor) noexcept
{
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    if (processor >= system.dwNumberOfProcessors || processor >= kMaskBits)
    {
        return false;
    }
    m_previousMask = SetThreadAffinityMask(GetCurrentThread(), DWORD_PTR{1} << processor);
    m_restore = m_previousMask != 0 ? Restore::kAffinityMask : Restore::kNothing;
    return m_previousMask != 0;
}

bool CProcessorAffinity::MoveToOrStay(std::int32_t processor, std::uint32_t& number) noexcept
{
    if (processor == ZVT_PROCESSOR_CURRENT)
    {
        number = CurrentProcessor();
        return true;
    }
    number = static_cast<std::uint32_t>(processor);
    return MoveTo(processor);
}

// Group 0's processors come first in the numbering: only a later group needs the counts before it.
std::uint32_t CProcessorAffinity::CurrentProcessor() noexcept
{
    const auto numberEx = FindKernel32<PFN_GetCurrentProcessorNumberEx>("GetCurrentProcessorNumberEx");
    if (numberEx != nullptr)
    {
        PROCESSOR_NUMBER number{};
        numberEx(&number);
        const GroupFunctions groups =
            number.Group == 0 ? GroupFunctions{nullptr, nullptr, nullptr} : GroupFunctions();
        return (groups.Present() ? ProcessorsBefore(groups, number.Group) : 0) + number.Number;
    }
    const auto numberOnly = FindKernel32<PFN_GetCurrentProcessorNumber>("GetCurrentProcessorNumber");
    return numberOnly != nullptr ? numberOnly() : 0;
}

std::uint32_t CProcessorAffinity::ProcessorCount() noexcept
{
    const GroupFunctions groups;
    if (groups.Present())
    {
        return ProcessorsBefore(groups, groups.groupCount());
    }
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    return system.dwNumberOfProcessors < kMaskBits ? system.dwNumberOfProcessors : kMaskBits;
}

std::int32_t CProcessorAffinity::GetCpuidDump(ZVT_CPUID_DUMP* dump, std::int32_t processor) noexcept
{
    if (!zvt::IsDumpRecordUsable(dump))
    {
        return ZVT_E_DUMP_TOO_SMALL;
    }
    CProcessorAffinity affinity;
    std::uint32_t number = 0;
    if (!affinity.MoveToOrStay(processor, number))
    {
        return ZVT_E_NO_PROCESSOR;
    }
    return zvt::FillCpuidDump(zvt::ProcessorCpuid(), number, dump);
}
