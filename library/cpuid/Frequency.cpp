// Frequency measurement and display rounding.
#include "Frequency.h"

#include <cmath>

namespace zvt
{

float MeasureFrequency(const CClock& clock, std::int32_t milliseconds) noexcept
{
    if (milliseconds < kMinMeasureMs || milliseconds > kMaxMeasureMs)
    {
        return 0.0f;
    }
    const std::uint64_t start = clock.ReadTimeStampCounter();
    clock.SleepMs(static_cast<std::uint32_t>(milliseconds));
    const std::uint64_t ticks = clock.ReadTimeStampCounter() - start; // wraps like the counter
    return static_cast<float>(ticks) / static_cast<float>(milliseconds) / 1000.0f;
}

std::int32_t RoundFrequencyForDisplay(float frequencyMhz) noexcept
{
    // Below 1 MHz, and anything not finite (log10 and the integer conversions would be undefined).
    if (!std::isfinite(frequencyMhz) || frequencyMhz < 1.0f)
    {
        return 0;
    }
    const double f = frequencyMhz;
    const int digitsBeforePoint = static_cast<int>(std::log10(f)); // truncation, 0..38
    const double scale = std::pow(10.0, 5 - digitsBeforePoint);
    if (scale < 1.0) // 1,000,000 MHz or more
    {
        return 0;
    }
    const auto divisor = static_cast<std::int32_t>(scale);
    const auto thousands = static_cast<std::int32_t>((f * scale + 500.0) / 1000.0);
    return thousands * 1000 / divisor;
}

} // namespace zvt
