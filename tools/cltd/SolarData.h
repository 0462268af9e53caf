// Monthly clear-sky solar constants (21st day of each month) read from the solar constants file.
#pragma once

#include <array>
#include <string>

namespace cltd {

struct MonthSun {
    double A = 0;              // apparent extraterrestrial irradiance, Btu/h ft2
    double B = 0;              // atmospheric extinction coefficient
    double C = 0;              // diffuse radiation factor
    double declinationDeg = 0; // solar declination
};

using SolarData = std::array<MonthSun, 12>;

// Reads the CSV (comment lines start with '#'); returns false with a message on bad input.
bool readSolarData(const std::string& path, SolarData& out, std::string& error);

}  // namespace cltd
