// Clock frequency from the time-stamp counter over a sleep, and its rounding for display.
#pragma once

#include <cstdint>

#include "CpuidSource.h"

namespace zvt
{

constexpr std::int32_t kMinMeasureMs = 1;
constexpr std::int32_t kMaxMeasureMs = 10000;

// Counter ticks over a sleep of milliseconds, divided by the requested (not the measured) time: MHz.
// Outside 1..10000 ms: 0 at once, without sleeping.
float MeasureFrequency(const CClock& clock, std::int32_t milliseconds) noexcept;

// MHz rounded to three significant digits, as an integer; 0 below 1 MHz, from 1,000,000 MHz on, and for
// values that are not finite.
std::int32_t RoundFrequencyForDisplay(float frequencyMhz) noexcept;

} // namespace zvt
