// Display rounding of frequencies: three significant digits, and the "0" path for what has no digits.
#include <gtest/gtest.h>
#include <limits>

#include "Frequency.h"

using zvt::RoundFrequencyForDisplay;

TEST(Rounding, ThreeSignificantDigits)
{
    EXPECT_EQ(RoundFrequencyForDisplay(2394.5f), 2390);
    EXPECT_EQ(RoundFrequencyForDisplay(2395.0f), 2400);
    EXPECT_EQ(RoundFrequencyForDisplay(999.7f), 1000);
    EXPECT_EQ(RoundFrequencyForDisplay(12.34f), 12);
    EXPECT_EQ(RoundFrequencyForDisplay(3600.0f), 3600);
    EXPECT_EQ(RoundFrequencyForDisplay(1.0f), 1);
    EXPECT_EQ(RoundFrequencyForDisplay(999999.0f), 1000000);
}

TEST(Rounding, NothingToShowGivesZero)
{
    EXPECT_EQ(RoundFrequencyForDisplay(0.0f), 0);
    EXPECT_EQ(RoundFrequencyForDisplay(0.99f), 0);
    EXPECT_EQ(RoundFrequencyForDisplay(-5.0f), 0);
    EXPECT_EQ(RoundFrequencyForDisplay(1000000.0f), 0);
    EXPECT_EQ(RoundFrequencyForDisplay(3.0e38f), 0);
    EXPECT_EQ(RoundFrequencyForDisplay(std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(RoundFrequencyForDisplay(std::numeric_limits<float>::infinity()), 0);
    EXPECT_EQ(RoundFrequencyForDisplay(-std::numeric_limits<float>::infinity()), 0);
}
