// The indexed colour palette.
#include "render/AciColor.h"

#include <gtest/gtest.h>

TEST(AciColor, NamedColoursAndSevenIsBlackOnWhite) {
    EXPECT_EQ(aciToRgb(1), 0xFF0000u);
    EXPECT_EQ(aciToRgb(2), 0xFFFF00u);
    EXPECT_EQ(aciToRgb(3), 0x00FF00u);
    EXPECT_EQ(aciToRgb(4), 0x00FFFFu);
    EXPECT_EQ(aciToRgb(5), 0x0000FFu);
    EXPECT_EQ(aciToRgb(6), 0xFF00FFu);
    EXPECT_EQ(aciToRgb(7), 0x000000u);
    EXPECT_EQ(aciToRgb(8), 0x808080u);
    EXPECT_EQ(aciToRgb(9), 0xC0C0C0u);
}

TEST(AciColor, HuesShadesAndGreys) {
    EXPECT_EQ(aciToRgb(10), 0xFF0000u);
    EXPECT_EQ(aciToRgb(11), 0xFF8080u);  // half saturation
    EXPECT_EQ(aciToRgb(130), 0x00FFFFu);  // hue 180
    EXPECT_LT(aciToRgb(18) >> 16, aciToRgb(10) >> 16);  // darker shade
    EXPECT_EQ(aciToRgb(250), 0x333333u);
    EXPECT_EQ(aciToRgb(255), 0xFFFFFFu);
    EXPECT_EQ(aciToRgb(0), 0x000000u);
    EXPECT_EQ(aciToRgb(256), 0x000000u);
    EXPECT_EQ(aciToRgb(-3), 0x000000u);
}
