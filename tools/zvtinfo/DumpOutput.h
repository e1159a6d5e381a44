// zvtinfo --dump: every logical processor's CPUID leaves and sub-leaves in the text form of "cpuid -r",
// which zvtinfo --replay and "cpuid -f" read back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "zavsys.h"

namespace zvtinfo
{

// One logical processor's dump.
struct ProcessorDump
{
    std::uint32_t processor = 0;
    std::vector<ZVT_CPUID_ENTRY> entries;
};

// "CPU n:" and under it one line per entry, "   0x00000000 0x00: eax=0x... ebx=0x... ecx=0x... edx=0x...",
// lines ending in LF alone on every system.
std::string FormatCpuidDump(const std::vector<ProcessorDump>& dumps);

// The dumps into the file at path, or to standard output when path is empty. False with the reason when
// the file cannot be written.
bool WriteCpuidDump(const std::vector<ProcessorDump>& dumps, const std::string& path, std::string& reason);

} // namespace zvtinfo
