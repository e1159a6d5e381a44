// The two processor records as the exports hand them out: read through the CPUID source, measured over
// the clock, and copied into the caller's record by that record's size rule.
#pragma once

#include <cstdint>

#include "CpuidSource.h"
#include "zavsys.h"

namespace zvt
{

// The processor half of zvtGetIdentity: fills local (cleared, size 2056), measures, and copies it over
// identity when that is not null and its size is exactly 2056. Returns 0, or ZVT_E_NO_CPUID with nothing
// copied and no measurement.
std::int32_t PrepareIdentity(const CCpuidSource& cpuid, const CClock& clock, ZVT_CPU_IDENTITY* identity,
                             std::int32_t measureMs, ZVT_CPU_IDENTITY& local) noexcept;

// The body of zvtGetInformation: fills a local record, measures, then copies min(size, 116) bytes back
// when the caller's size is positive. Returns 0, or ZVT_E_NO_CPUID with the caller's record untouched.
std::int32_t GetInformation(const CCpuidSource& cpuid, const CClock& clock, ZVT_CPU_INFORMATION* information,
                            std::int32_t measureMs) noexcept;

} // namespace zvt
