// Frequency measurement over a recorded counter and sleep: the accepted range, the one sleep, the units,
// and counter values past 32 bits or wrapping around.
#include <cstdint>
#include <gtest/gtest.h>
#include <limits>

#include "Frequency.h"
#include "RecordedClock.h"

namespace zvt::test
{
namespace
{

TEST(MeasureFrequency, OutsideOneToTenThousandMsIsZeroWithoutSleeping)
{
    for (std::int32_t ms :
         {0, -1, 10001, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()})
    {
        const CRecordedClock clock({0, 1'000'000});
        EXPECT_EQ(MeasureFrequency(clock, ms), 0.0f) << ms;
        EXPECT_TRUE(clock.Sleeps().empty()) << ms;
        EXPECT_EQ(clock.Reads(), 0u) << ms;
    }
}

TEST(MeasureFrequency, TicksPerMicrosecondOverOneSleep)
{
    const struct
    {
        std::int32_t ms;
        std::uint64_t t0;
        std::uint64_t t1;
        float mhz;
    } cases[] = {
        {500, 1000, 1000 + 1'800'000'000, 3600.0f},
        {1, 5, 5 + 2'400'000, 2400.0f},
        {10000, 0, 36'000'000'000, 3600.0f}, // more ticks than 32 bits hold
        {500, std::numeric_limits<std::uint64_t>::max() - 999, 1'000'000'000 - 1000, 2000.0f}, // wrapped
        {250, 77, 77, 0.0f},
    };
    for (const auto& c : cases)
    {
        const CRecordedClock clock({c.t0, c.t1});
        EXPECT_FLOAT_EQ(MeasureFrequency(clock, c.ms), c.mhz) << c.ms << " ms from " << c.t0;
        EXPECT_EQ(clock.Sleeps(), std::vector<std::uint32_t>{static_cast<std::uint32_t>(c.ms)});
        EXPECT_EQ(clock.Reads(), 2u);
    }
}

} // namespace
} // namespace zvt::test
