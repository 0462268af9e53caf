// Table lookups: the published rows exact, index mappings, exposure means and range checks.
#include <gtest/gtest.h>

#include <vector>

#include "loads/CltdLookup.h"
#include "loads/CltdTableData.h"

using namespace hvac;

namespace {

std::vector<int32_t> roof(int lat, int number, int month) {
    std::vector<int32_t> h(24);
    EXPECT_TRUE(roofCltd(lat, number, month, h.data()));
    return h;
}
std::vector<int32_t> wall(int lat, int number, const std::string& exp, int month) {
    std::vector<int32_t> h(24);
    EXPECT_TRUE(wallCltd(lat, number, exp, month, h.data()));
    return h;
}
std::vector<int32_t> glass(int lat, const std::string& zone, const std::string& exp, int month) {
    std::vector<int32_t> h(24);
    EXPECT_TRUE(glassCltd(lat, zone, exp, month, h.data()));
    return h;
}

}  // namespace

TEST(CltdLookup, TellingRowsComeBackExactly) {
    using V = std::vector<int32_t>;
    EXPECT_EQ(roof(40, 1, 6), (V{0, -2, -4, -5, -6, -6, 0, 13, 29, 45, 60, 73, 83, 88, 88, 83, 73, 60, 43, 26, 15, 9, 5, 2}));
    EXPECT_EQ(roof(40, 14, 6), (V{35, 32, 30, 27, 25, 23, 21, 20, 19, 20, 22, 24, 28, 32, 36, 39, 42, 44, 45, 45, 44, 42, 40, 37}));
    EXPECT_EQ(wall(40, 1, "W", 6), (V{2, 1, -1, -2, -2, -2, 1, 4, 8, 13, 17, 21, 27, 42, 59, 73, 80, 79, 62, 32, 16, 9, 6, 3}));
    EXPECT_EQ(wall(40, 16, "S", 6), (V{24, 22, 20, 18, 16, 14, 12, 11, 9, 8, 8, 8, 9, 11, 14, 17, 20, 23, 25, 27, 27, 27, 27, 25}));
    EXPECT_EQ(glass(40, "A", "E", 6), (V{0, 0, 0, 0, 2, 93, 157, 185, 183, 154, 106, 67, 53, 45, 39, 33, 26, 18, 7, 3, 2, 1, 0, 0}));
    EXPECT_EQ(glass(40, "D", "UP", 6), (V{37, 33, 30, 27, 24, 38, 64, 95, 124, 150, 171, 185, 191, 188, 176, 156, 128, 96, 72, 63, 56, 50, 45, 41}));
    EXPECT_EQ(glass(40, "A", "S", 0), (V{0, 0, 0, 0, 0, 0, 0, 49, 117, 171, 209, 229, 232, 214, 177, 112, 43, 21, 10, 5, 2, 1, 1, 0}));
    // A cell of the partial solar cooling load table: zone C, west, solar hour 15.
    EXPECT_EQ(glass(40, "c", "W", 6)[14], 132);
}

TEST(CltdLookup, LatitudesFallInEightDegreeBands) {
    EXPECT_EQ(latitudeBand(16), 0);
    EXPECT_EQ(latitudeBand(23), 0);
    EXPECT_EQ(latitudeBand(48), 4);
    EXPECT_EQ(latitudeBand(71), 6);
    EXPECT_EQ(roof(47, 1, 6), roof(40, 1, 6));
    EXPECT_NE(roof(48, 1, 6), roof(40, 1, 6));
    EXPECT_EQ(roof(48, 1, 6)[13], roofValue(55, 1, 6, 13));
}

TEST(CltdLookup, UnknownConstructionsFallBackToRowZero) {
    EXPECT_EQ(roof(40, 9, 6), roof(40, 1, 6));
    EXPECT_EQ(roof(40, 0, 6), roof(40, 1, 6));
    EXPECT_EQ(wall(40, 8, "W", 6), wall(40, 1, "W", 6));
    EXPECT_EQ(wall(40, 17, "W", 6), wall(40, 1, "W", 6));
    EXPECT_EQ(roofRow(13), 8);
    EXPECT_EQ(wallRow(9), 7);
    EXPECT_EQ(wallRow(16), 14);
    EXPECT_EQ(zoneTypeRow(""), 0);
    EXPECT_EQ(zoneTypeRow("x"), 0);
    EXPECT_EQ(zoneTypeRow("dark"), 3);
    EXPECT_EQ(glass(40, "", "E", 6), glass(40, "A", "E", 6));
}

TEST(CltdLookup, TwoRowExposuresTakeTheTruncatedMean) {
    for (int h = 0; h < 24; ++h) {
        EXPECT_EQ(wallValue(40, 1, "NNE", 6, h), (wallValue(40, 1, "N", 6, h) + wallValue(40, 1, "NE", 6, h)) / 2);
        EXPECT_EQ(wallValue(40, 1, "NNW", 6, h), (wallValue(40, 1, "NW", 6, h) + wallValue(40, 1, "N", 6, h)) / 2);
        EXPECT_EQ(glassValue(40, "B", "WSW", 3, h),
                  (glassValue(40, "B", "SW", 3, h) + glassValue(40, "B", "W", 3, h)) / 2);
    }
    // A negative odd sum truncates toward zero (-3 and 0 give -1, not -2).
    int checked = 0;
    for (int m = 0; m < 12; ++m)
        for (int h = 0; h < 24; ++h) {
            const int32_t sum = wallValue(64, 1, "N", m, h) + wallValue(64, 1, "NE", m, h);
            if (sum < 0 && sum % 2 != 0) {
                EXPECT_EQ(wallValue(64, 1, "NNE", m, h), -((-sum) / 2));
                ++checked;
            }
        }
    EXPECT_GT(checked, 0);
    EXPECT_EQ(wall(40, 1, "nne", 6), wall(40, 1, "N", 6));
    EXPECT_EQ(wall(40, 1, "bogus", 6), wall(40, 1, "N", 6));
}

TEST(CltdLookup, ArgumentsOutsideTheTablesAreRefused) {
    int32_t h[24];
    EXPECT_FALSE(roofCltd(15, 1, 6, h));
    EXPECT_FALSE(roofCltd(72, 1, 6, h));
    EXPECT_FALSE(roofCltd(40, 1, 12, h));
    EXPECT_FALSE(roofCltd(40, 1, -1, h));
    EXPECT_FALSE(wallCltd(40, 1, "UP", 6, h));
    EXPECT_FALSE(glassCltd(40, "A", "E", 12, h));
    EXPECT_TRUE(glassCltd(16, "A", "UP", 0, h));
}

TEST(CltdLookup, StoredValuesStayInTheirUnitsRanges) {
    using namespace cltd_data;
    auto range = [](const auto* v, size_t n, int lo, int hi) {
        for (size_t i = 0; i < n; ++i)
            if (v[i] < lo || v[i] > hi) return false;
        return true;
    };
    EXPECT_TRUE(range(kRoof, kRoofCount, -12, 100));
    EXPECT_TRUE(range(kWall, kWallCount, -5, 100));
    EXPECT_TRUE(range(kGlass, kGlassCount, 0, 300));
}
