// Clear-sky solar engine: sun position and irradiance on horizontal and vertical surfaces by solar hour.
#pragma once

#include "SolarData.h"

namespace cltd {

// Exposure rows shared by the tables: eight vertical orientations, then the horizontal.
enum Exposure { kN = 0, kNE, kE, kSE, kS, kSW, kW, kNW, kHorizontal, kExposureCount };

const char* exposureName(int exposure);
int exposureFromName(const std::string& name);  // "N" ... "NW", "HOR"; -1 if unknown

struct SunPosition {
    double sinAltitude = 0;
    double cosAltitude = 0;
    double azimuthDeg = 0;  // from south, negative before noon
    bool up = false;
};

struct Irradiance {
    double direct = 0;       // beam on the surface
    double diffuse = 0;      // sky diffuse on the surface
    double ground = 0;       // ground-reflected (vertical surfaces only)
    double cosIncidence = 0; // beam incidence, 0 when the beam does not reach the surface
    double total() const { return direct + diffuse + ground; }
};

// Solar hour 1..24 (hour angle 15 (h - 12) degrees).
SunPosition sunPosition(double latitudeDeg, double declinationDeg, int solarHour);
double directNormal(const MonthSun& sun, const SunPosition& pos);
Irradiance surfaceIrradiance(const MonthSun& sun, double latitudeDeg, int exposure, int solarHour);

}  // namespace cltd
