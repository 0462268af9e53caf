// Lookups in the cooling load tables.
#include "loads/CltdLookup.h"

#include "loads/CltdTableData.h"

namespace hvac {

namespace {

using namespace cltd_data;

struct ExposureName {
    const char* name;
    ExposureRows rows;
};

// Rows: 0 N, 1 NE, 2 E, 3 SE, 4 S, 5 SW, 6 W, 7 NW, 8 horizontal.
const ExposureName kExposures[] = {
    {"N", {0, 0}},   {"NNE", {0, 1}}, {"NE", {1, 1}}, {"ENE", {1, 2}}, {"E", {2, 2}},  {"ESE", {2, 3}},
    {"SE", {3, 3}},  {"SSE", {3, 4}}, {"S", {4, 4}},  {"SSW", {4, 5}}, {"SW", {5, 5}}, {"WSW", {5, 6}},
    {"W", {6, 6}},   {"WNW", {6, 7}}, {"NW", {7, 7}}, {"NNW", {7, 0}}, {"UP", {8, 8}},
};

// Mean of two table values, truncated toward zero (C++ integer division).
int32_t meanOfRows(int32_t a, int32_t b, bool twoRows) { return twoRows ? (a + b) / 2 : a; }

size_t roofIndex(int m, int b, int r, int h) { return ((size_t(m) * kBands + b) * kRoofRows + r) * kSlots + h; }
size_t wallIndex(int m, int b, int r, int e, int h) {
    return (((size_t(m) * kBands + b) * kWallRows + r) * kWallExposures + e) * kSlots + h;
}
size_t glassIndex(int m, int b, int z, int e, int h) {
    return (((size_t(m) * kBands + b) * kZones + z) * kGlassExposures + e) * kSlots + h;
}

}  // namespace

int latitudeBand(int32_t latitude) { return latitude / 8 - 2; }
bool latitudeInTables(int32_t latitude) { return latitude >= 16 && latitude <= 71; }
bool monthInTables(int32_t month) { return month >= 0 && month < kMonths; }

int roofRow(int32_t roofNumber) {
    static const int32_t kNumbers[kRoofRows] = {1, 2, 3, 4, 5, 6, 8, 10, 13, 14};
    for (int r = 0; r < kRoofRows; ++r)
        if (kNumbers[r] == roofNumber) return r;
    return 0;
}

int wallRow(int32_t wallNumber) {
    if (wallNumber >= 1 && wallNumber <= 7) return wallNumber - 1;
    if (wallNumber >= 9 && wallNumber <= 16) return wallNumber - 2;
    return 0;  // wall 8 and unknown numbers read as wall 1
}

int zoneTypeRow(const std::string& zoneType) {
    if (zoneType.empty()) return 0;
    switch (zoneType[0]) {
        case 'B': case 'b': return 1;
        case 'C': case 'c': return 2;
        case 'D': case 'd': return 3;
        default: return 0;
    }
}

ExposureRows exposureRows(const std::string& exposure) {
    for (const ExposureName& e : kExposures)
        if (exposure == e.name) return e.rows;
    return {0, 0};
}

bool isHorizontalExposure(const std::string& exposure) { return exposureRows(exposure).first == kWallExposures; }

int32_t roofValue(int32_t latitude, int32_t roofNumber, int32_t month, int slot) {
    return kRoof[roofIndex(month, latitudeBand(latitude), roofRow(roofNumber), slot)];
}

int32_t wallValue(int32_t latitude, int32_t wallNumber, const std::string& exposure, int32_t month, int slot) {
    const ExposureRows rows = exposureRows(exposure);
    const int band = latitudeBand(latitude), row = wallRow(wallNumber);
    const int32_t a = kWall[wallIndex(month, band, row, rows.first, slot)];
    const int32_t b = kWall[wallIndex(month, band, row, rows.second, slot)];
    return meanOfRows(a, b, rows.first != rows.second);
}

int32_t glassValue(int32_t latitude, const std::string& zoneType, const std::string& exposure, int32_t month,
                   int slot) {
    const ExposureRows rows = exposureRows(exposure);
    const int band = latitudeBand(latitude), zone = zoneTypeRow(zoneType);
    const int32_t a = kGlass[glassIndex(month, band, zone, rows.first, slot)];
    const int32_t b = kGlass[glassIndex(month, band, zone, rows.second, slot)];
    return meanOfRows(a, b, rows.first != rows.second);
}

void roofDay(int32_t latitude, int32_t roofNumber, int32_t month, int32_t hours[24]) {
    const int8_t* row = &kRoof[roofIndex(month, latitudeBand(latitude), roofRow(roofNumber), 0)];
    for (int h = 0; h < kSlots; ++h) hours[h] = row[h];
}

void wallDay(int32_t latitude, int32_t wallNumber, const std::string& exposure, int32_t month, int32_t hours[24]) {
    const ExposureRows rows = exposureRows(exposure);
    const int band = latitudeBand(latitude), construction = wallRow(wallNumber);
    const int8_t* a = &kWall[wallIndex(month, band, construction, rows.first, 0)];
    const int8_t* b = &kWall[wallIndex(month, band, construction, rows.second, 0)];
    for (int h = 0; h < kSlots; ++h) hours[h] = meanOfRows(a[h], b[h], rows.first != rows.second);
}

void glassDay(int32_t latitude, const std::string& zoneType, const std::string& exposure, int32_t month,
              int32_t hours[24]) {
    const ExposureRows rows = exposureRows(exposure);
    const int band = latitudeBand(latitude), zone = zoneTypeRow(zoneType);
    const int16_t* a = &kGlass[glassIndex(month, band, zone, rows.first, 0)];
    const int16_t* b = &kGlass[glassIndex(month, band, zone, rows.second, 0)];
    for (int h = 0; h < kSlots; ++h) hours[h] = meanOfRows(a[h], b[h], rows.first != rows.second);
}

bool roofCltd(int32_t latitude, int32_t roofNumber, int32_t month, int32_t hours[24]) {
    if (!latitudeInTables(latitude) || !monthInTables(month)) return false;
    roofDay(latitude, roofNumber, month, hours);
    return true;
}

bool wallCltd(int32_t latitude, int32_t wallNumber, const std::string& exposure, int32_t month, int32_t hours[24]) {
    if (!latitudeInTables(latitude) || !monthInTables(month) || isHorizontalExposure(exposure)) return false;
    wallDay(latitude, wallNumber, exposure, month, hours);
    return true;
}

bool glassCltd(int32_t latitude, const std::string& zoneType, const std::string& exposure, int32_t month,
               int32_t hours[24]) {
    if (!latitudeInTables(latitude) || !monthInTables(month)) return false;
    glassDay(latitude, zoneType, exposure, month, hours);
    return true;
}

}  // namespace hvac
