// Lookups in the roof, wall and glass cooling load tables: index mappings, exposure means, range checks.
#pragma once

#include <cstdint>
#include <string>

namespace hvac {

// Latitude band (latitude / 8 - 2, truncating); meaningful for latitudes 16 to 71.
int latitudeBand(int32_t latitude);
bool latitudeInTables(int32_t latitude);  // 16..71
bool monthInTables(int32_t month);        // 0..11

// Construction and zone rows; numbers without a row of their own fall back to row 0.
int roofRow(int32_t roofNumber);
int wallRow(int32_t wallNumber);
int zoneTypeRow(const std::string& zoneType);  // first character A-D / a-d

// The two exposure rows named by an exposure string; unknown strings give N (0, 0).
struct ExposureRows {
    int first;
    int second;
};
ExposureRows exposureRows(const std::string& exposure);
bool isHorizontalExposure(const std::string& exposure);  // "UP"

// Single values. Arguments must be in the tables (see cltdArgumentsValid); values of two-row
// exposures are the truncated mean of both rows.
int32_t roofValue(int32_t latitude, int32_t roofNumber, int32_t month, int slot);
int32_t wallValue(int32_t latitude, int32_t wallNumber, const std::string& exposure, int32_t month, int slot);
int32_t glassValue(int32_t latitude, const std::string& zoneType, const std::string& exposure, int32_t month,
                   int slot);

// One day of values without range checks (arguments must be in the tables); the rows are resolved once.
void roofDay(int32_t latitude, int32_t roofNumber, int32_t month, int32_t hours[24]);
void wallDay(int32_t latitude, int32_t wallNumber, const std::string& exposure, int32_t month, int32_t hours[24]);
void glassDay(int32_t latitude, const std::string& zoneType, const std::string& exposure, int32_t month,
              int32_t hours[24]);

// One day (24 hour slots) of values; false, with nothing written, for arguments outside the tables
// (latitude below 16 or above 71, month outside 0 to 11, "UP" for a wall).
bool roofCltd(int32_t latitude, int32_t roofNumber, int32_t month, int32_t hours[24]);
bool wallCltd(int32_t latitude, int32_t wallNumber, const std::string& exposure, int32_t month, int32_t hours[24]);
bool glassCltd(int32_t latitude, const std::string& zoneType, const std::string& exposure, int32_t month,
               int32_t hours[24]);

}  // namespace hvac
