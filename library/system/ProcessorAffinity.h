// The calling thread moved to one logical processor for the length of a call, and zvtGetCpuidDump's body
// over it. Logical processors are numbered 0..N-1 across the active processor groups in group order.
#pragma once

#include <windows.h>

#include <cstdint>

#include "zavsys.h"

using PFN_SetThreadGroupAffinity = BOOL(WINAPI*)(HANDLE thread, const GROUP_AFFINITY* affinity,
                                                 GROUP_AFFINITY* previous);

class CProcessorAffinity
{
public:
    CProcessorAffinity() noexcept = default;
    // Gives the thread back the affinity it had before MoveTo.
    ~CProcessorAffinity();
    CProcessorAffinity(const CProcessorAffinity&) = delete;
    CProcessorAffinity& operator=(const CProcessorAffinity&) = delete;

    // Lets the calling thread run on that logical processor alone; once only per object. False, with the
    // affinity unchanged, when there is no such processor or the thread may not run on it. The group
    // functions are looked up at run time: systems without them get SetThreadAffinityMask over the
    // GetSystemInfo count.
    bool MoveTo(std::int32_t processor) noexcept;

    // What the processor exports ask: MoveTo(processor), or for ZVT_PROCESSOR_CURRENT no move at all. number
    // is the processor the thread runs on then (for -1, the one it runs on at this moment).
    bool MoveToOrStay(std::int32_t processor, std::uint32_t& number) noexcept;

    // The logical processor the calling thread runs on at this moment; 0 where the system cannot tell.
    static std::uint32_t CurrentProcessor() noexcept;

    // The logical processors MoveTo numbers: those of every active group, or GetSystemInfo's count.
    static std::uint32_t ProcessorCount() noexcept;

    // zvtGetCpuidDump: the record checked, the thread moved (unless processor is ZVT_PROCESSOR_CURRENT),
    // the dump filled there, the affinity restored. Results as documented with the export.
    static std::int32_t GetCpuidDump(ZVT_CPUID_DUMP* dump, std::int32_t processor) noexcept;

private:
    enum class Restore
    {
        kNothing,
        kGroupAffinity,
        kAffinityMask
    };

    bool MoveWithMask(std::uint32_t processor) noexcept;

    Restore m_restore = Restore::kNothing;
    PFN_SetThreadGroupAffinity m_pfnSetThreadGroupAffinity = nullptr; // what the group affinity was set with
    GROUP_AFFINITY m_previousGroupAffinity{};
    DWORD_PTR m_previousMask = 0;
};
