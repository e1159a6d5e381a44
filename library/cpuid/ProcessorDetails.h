// The processor details record: one processor's dump decoded by the public decoding headers (flags, level,
// caches, topology, microarchitecture), and the machine part over every processor's dump. The bodies of
// zvtGetProcessorDetails, zvtQueryFlag and zvtGetFlagName once the thread runs where it should. Portable: no
// instruction is executed here, XCR0 is passed in. No heap, no exceptions.
#pragma once

#include <cstdint>

#include "CpuidDump.h"
#include "zavsys.h"

namespace zvt
{

// Fills everything but size, written, filled and the machine part (machine, uarchCount, uarches) from one
// processor's dump; xcr0 is the processor's XCR0 (0 when the OS did not set OSXSAVE).
void DecodeProcessorDetails(DumpEntries dump, std::uint32_t processor, std::uint64_t xcr0,
                            ZVT_PROCESSOR_DETAILS& details) noexcept;

// The machine part, one logical processor at a time. Big (a topology per processor): lives on the stack of
// the one call that fills it.
class CMachineDetails
{
public:
    void Add(DumpEntries dump) noexcept;
    // Sets machine, uarchCount, uarches and the ZVT_DETAILS_MACHINE* and _UARCHES_TRUNCATED bits of filled;
    // processors is how many the machine has (fewer added: ZVT_DETAILS_MACHINE_TRUNCATED).
    void Finish(std::uint32_t processors, ZVT_PROCESSOR_DETAILS& details) const noexcept;

private:
    ZVT_TOPOLOGY m_topologies[ZVT_DETAILS_MAX_PROCESSORS];
    std::uint32_t m_count = 0; // topologies kept
    ZVT_DETAILS_UARCH m_uarches[ZVT_DETAILS_UARCHES];
    std::uint32_t m_uarchCount = 0;
    bool m_uarchesTruncated = false;
};

// The flag of that name, letters of either case; ZVT_FLAG_NONE (-1) for an unknown or null name.
int FindFlagByName(const char* name) noexcept;

// zvtQueryFlag once the dump is read: ZVT_QUERY_* bits for flag (a known flag number).
std::int32_t QueryFlag(int flag, DumpEntries dump, std::uint64_t xcr0) noexcept;

// zvtGetFlagName.
std::int32_t GetFlagName(std::int32_t flag, char* buffer, std::int32_t capacity) noexcept;

// zvtGetProcessorDetails' checks before anything is read: 0, ZVT_E_RECORD_TOO_SMALL or ZVT_E_BAD_OPTIONS.
std::int32_t CheckDetailsRequest(const ZVT_PROCESSOR_DETAILS* details, std::int32_t options) noexcept;

// Copies the decoded record into the caller's, as many bytes as its size asks (CheckDetailsRequest passed),
// with written set and size kept.
void DeliverDetails(const ZVT_PROCESSOR_DETAILS& decoded, ZVT_PROCESSOR_DETAILS* details) noexcept;

} // namespace zvt
