// The fitted constants of the generator, read from and written to one small commented text file.
#pragma once

#include <string>

#include "PeriodicFilter.h"

namespace cltd {

struct FittedConstants {
    double inwardFraction = 0.267;  // inward-flowing share of the glass's absorbed solar energy
    double roofLongWave = 7.0;      // long-wave correction of the horizontal sol-air temperature, F
    double glassHorizontalFactor = 1.0;  // scale of the horizontal glass heat gain series
    Filter roofLight, roofHeavy;    // roof 1 and roof 14
    Filter wallLight, wallHeavy;    // wall 1 and wall 16
    Filter glassZone[4];            // zone types A to D
};

bool readFittedConstants(const std::string& path, FittedConstants& out, std::string& error);

// Text of the file (values at full double precision so that a reread gives the same bits).
std::string formatFittedConstants(const FittedConstants& k, const std::string& provenance);

}  // namespace cltd
