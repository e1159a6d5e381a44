// The live sources behind the seam: this processor's CPUID and time-stamp counter, and the system's sleep.
#ifdef _WIN32
#include <windows.h>
#else
#include <time.h>
#endif

#include "CpuidSource.h"
#include "X86Probe.h"

namespace zvt
{
namespace
{

class CProcessorCpuid final : public CCpuidSource
{
public:
    bool HasCpuid() const noexcept override
    {
        return IsCpuidSupported();
    }
    ZVT_CPUID_LEAF Query(std::uint32_t leaf, std::uint32_t subleaf) const noexcept override
    {
        return ExecuteCpuid(leaf, subleaf);
    }
};

class CProcessorClock final : public CClock
{
public:
    std::uint64_t ReadTimeStampCounter() const noexcept override
    {
        return zvt::ReadTimeStampCounter();
    }
    void SleepMs(std::uint32_t milliseconds) const noexcept override
    {
#ifdef _WIN32
        Sleep(milliseconds);
#else
        timespec remaining{static_cast<time_t>(milliseconds / 1000),
                           static_cast<long>(milliseconds % 1000) * 1000000L};
        while (nanosleep(&remaining, &remaining) != 0)
        {
        }
#endif
    }
};

// Constant-initialised: usable from any static constructor, never destroyed out of order.
constinit const CProcessorCpuid processorCpuid;
constinit const CProcessorClock processorClock;

} // namespace

const CCpuidSource& ProcessorCpuid() noexcept
{
    return processorCpuid;
}

const CClock& ProcessorClock() noexcept
{
    return processorClock;
}

} // namespace zvt
