// Layout of the three cooling load tables and the construction rows they hold.
#pragma once

#include <cstddef>

namespace cltd {

constexpr int kMonths = 12;
constexpr int kBands = 7;  // 16, 24, ... 64 degrees north
constexpr int kSlots = 24; // slot 0 is solar hour 1
constexpr int kRoofRows = 10;
constexpr int kWallRows = 15;
constexpr int kZones = 4;
constexpr int kWallExposures = 8;
constexpr int kGlassExposures = 9;

constexpr size_t kRoofCount = size_t(kMonths) * kBands * kRoofRows * kSlots;
constexpr size_t kWallCount = size_t(kMonths) * kBands * kWallRows * kWallExposures * kSlots;
constexpr size_t kGlassCount = size_t(kMonths) * kBands * kZones * kGlassExposures * kSlots;

inline int bandLatitude(int band) { return 16 + 8 * band; }

inline size_t roofIndex(int m, int b, int r, int h) { return ((size_t(m) * kBands + b) * kRoofRows + r) * kSlots + h; }
inline size_t wallIndex(int m, int b, int r, int e, int h) {
    return (((size_t(m) * kBands + b) * kWallRows + r) * kWallExposures + e) * kSlots + h;
}
inline size_t glassIndex(int m, int b, int z, int e, int h) {
    return (((size_t(m) * kBands + b) * kZones + z) * kGlassExposures + e) * kSlots + h;
}

// Roof numbers of rows 0..9 and wall numbers of rows 0..14.
int roofNumberOfRow(int row);
int wallNumberOfRow(int row);
int roofRowOfNumber(int number);  // -1 when the number has no row of its own
int wallRowOfNumber(int number);

}  // namespace cltd
