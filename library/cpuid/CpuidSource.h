// The seam between the decoding code and the processor: CPUID answers and the time-stamp counter come
// from a source object, so the same code reads the real processor or a recorded table.
#pragma once

#include <cstdint>

#include "zavsys.h"

#ifdef ReadTimeStampCounter
#undef ReadTimeStampCounter // winnt.h maps it to __rdtsc on x86-64, renaming our functions
#endif

namespace zvt
{

class CCpuidSource
{
public:
    virtual bool HasCpuid() const noexcept = 0;
    // The four registers CPUID leaves for EAX = leaf, ECX = subleaf.
    virtual ZVT_CPUID_LEAF Query(std::uint32_t leaf, std::uint32_t subleaf) const noexcept = 0;

protected:
    // Copied only as a whole recorded processor, never through this base.
    CCpuidSource() = default;
    CCpuidSource(const CCpuidSource&) = default;
    CCpuidSource& operator=(const CCpuidSource&) = default;
    ~CCpuidSource() = default;
};

class CClock
{
public:
    CClock() = default;
    CClock(const CClock&) = delete;
    CClock& operator=(const CClock&) = delete;

    virtual std::uint64_t ReadTimeStampCounter() const noexcept = 0;
    virtual void SleepMs(std::uint32_t milliseconds) const noexcept = 0;

protected:
    ~CClock() = default;
};

// The processor the calling thread runs on, and its time-stamp counter with the system's sleep.
const CCpuidSource& ProcessorCpuid() noexcept;
const CClock& ProcessorClock() noexcept;

} // namespace zvt
