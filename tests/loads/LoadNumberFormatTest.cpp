// The load detail's number formats.
#include <gtest/gtest.h>

#include "loads/LoadNumberFormat.h"

using namespace hvac;

TEST(LoadNumbers, RoundedKeepsThreeSignificantDigitsAboveAThousand) {
    EXPECT_EQ(roundedNumber(12345), "12300");
    EXPECT_EQ(roundedNumber(999.6), "1000");
    EXPECT_EQ(roundedNumber(1500), "1500");
    EXPECT_EQ(roundedNumber(34130), "34100");
    EXPECT_EQ(roundedNumber(1000), "1000");
    EXPECT_EQ(roundedNumber(1004.9), "1000");
    EXPECT_EQ(roundedNumber(0.4), "0");
    EXPECT_NEAR(double(roundedNumber(1e300).size()), 300.0, 1.0);  // huge values do not overflow an integer
}

TEST(LoadNumbers, KilowattsAndTonsDropTrailingZeros) {
    EXPECT_EQ(kilowatts(34130), "10 kW");
    EXPECT_EQ(tons(36000), "3 Tons");
    EXPECT_EQ(tons(30000), "2.5 Tons");
    EXPECT_EQ(tons(0), "0 Tons");
    EXPECT_EQ(kilowatts(1000), "0.29 kW");
    EXPECT_EQ(decimalNumber(10.004), "10");
    EXPECT_EQ(decimalNumber(-0.001), "0");
}

TEST(LoadNumbers, PercentagesRoundAndAZeroBaseShowsADash) {
    EXPECT_EQ(percentage(150, 1000), "15%");
    EXPECT_EQ(percentage(1, 3), "33%");
    EXPECT_EQ(percentage(2, 3), "67%");
    EXPECT_EQ(percentage(5, 0), "-");
    EXPECT_EQ(percentage(-1, 1000), "0%");
}

TEST(LoadNumbers, TemperaturesCarryTheDegreeSign) {
    EXPECT_EQ(temperature(55), "55\xC2\xB0 F");
    EXPECT_EQ(temperatureDifference(70), "70\xC2\xB0 dT");
}
