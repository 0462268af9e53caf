// The cooling load table values (generated constant data) and their layout.
#pragma once

#include <cstddef>
#include <cstdint>

namespace hvac::cltd_data {

constexpr int kMonths = 12;
constexpr int kBands = 7;
constexpr int kSlots = 24;
constexpr int kRoofRows = 10;
constexpr int kWallRows = 15;
constexpr int kZones = 4;
constexpr int kWallExposures = 8;
constexpr int kGlassExposures = 9;

constexpr size_t kRoofCount = size_t(kMonths) * kBands * kRoofRows * kSlots;
constexpr size_t kWallCount = size_t(kMonths) * kBands * kWallRows * kWallExposures * kSlots;
constexpr size_t kGlassCount = size_t(kMonths) * kBands * kZones * kGlassExposures * kSlots;

// Row-major, last index fastest: month, latitude band, construction row or zone type, exposure row, hour slot.
extern const int8_t kRoof[kRoofCount];
extern const int8_t kWall[kWallCount];
extern const int16_t kGlass[kGlassCount];

}  // namespace hvac::cltd_data
