// The only code that executes CPUID, flips EFLAGS.ID and reads the time-stamp counter.
#pragma once

#include <cstdint>

#include "zavsys.h"

#ifdef ReadTimeStampCounter
#undef ReadTimeStampCounter // winnt.h maps it to __rdtsc on x86-64, renaming our functions
#endif

namespace zvt
{

bool IsCpuidSupported() noexcept;
ZVT_CPUID_LEAF ExecuteCpuid(std::uint32_t leaf, std::uint32_t subleaf) noexcept;
std::uint64_t ReadTimeStampCounter() noexcept;

} // namespace zvt
