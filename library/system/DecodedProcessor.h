// zvtGetProcessorDetails and zvtQueryFlag: a logical processor's dump read where it runs (the thread moved
// there and back, as zvtGetCpuidDump does) and decoded; with the machine option, every processor's.
#pragma once

#include <cstdint>

#include "zavsys.h"

namespace zvt
{

// Results as documented with the exports.
std::int32_t GetProcessorDetails(ZVT_PROCESSOR_DETAILS* details, std::int32_t processor,
                                 std::int32_t options) noexcept;
std::int32_t QueryProcessorFlag(const char* name, std::int32_t processor) noexcept;

} // namespace zvt
