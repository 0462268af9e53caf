// Clear-sky solar engine (the original clear-sky model of the cooling load tables).
#include "SolarEngine.h"

#include <algorithm>
#include <cmath>

namespace cltd {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kDeg = kPi / 180.0;
constexpr double kGroundReflectance = 0.2;

const char* const kNames[kExposureCount] = {"N", "NE", "E", "SE", "S", "SW", "W", "NW", "HOR"};

// Surface azimuth from south, east negative.
double verticalAzimuthDeg(int exposure) {
    static const double az[8] = {180, -135, -90, -45, 0, 45, 90, 135};
    return az[exposure];
}

}  // namespace

const char* exposureName(int exposure) { return kNames[exposure]; }

int exposureFromName(const std::string& name) {
    for (int e = 0; e < kExposureCount; ++e)
        if (name == kNames[e]) return e;
    return -1;
}

SunPosition sunPosition(double latitudeDeg, double declinationDeg, int solarHour) {
    const double L = latitudeDeg * kDeg;
    const double d = declinationDeg * kDeg;
    const double H = 15.0 * (solarHour - 12) * kDeg;
    SunPosition p;
    p.sinAltitude = std::cos(L) * std::cos(d) * std::cos(H) + std::sin(L) * std::sin(d);
    p.up = p.sinAltitude > 0;
    p.cosAltitude = std::sqrt(std::max(0.0, 1.0 - p.sinAltitude * p.sinAltitude));
    double cosPhi = 1.0;
    if (p.cosAltitude > 0)
        cosPhi = (p.sinAltitude * std::sin(L) - std::sin(d)) / (p.cosAltitude * std::cos(L));
    cosPhi = std::clamp(cosPhi, -1.0, 1.0);
    double phi = std::acos(cosPhi) / kDeg;
    p.azimuthDeg = solarHour < 12 ? -phi : phi;
    return p;
}

double directNormal(const MonthSun& sun, const SunPosition& pos) {
    if (!pos.up) return 0.0;
    return sun.A * std::exp(-sun.B / pos.sinAltitude);
}

Irradiance surfaceIrradiance(const MonthSun& sun, double latitudeDeg, int exposure, int solarHour) {
    const SunPosition pos = sunPosition(latitudeDeg, sun.declinationDeg, solarHour);
    Irradiance r;
    const double idn = directNormal(sun, pos);
    if (idn <= 0) return r;
    if (exposure == kHorizontal) {
        r.cosIncidence = pos.sinAltitude;
        r.direct = idn * pos.sinAltitude;
        r.diffuse = sun.C * idn;
        return r;
    }
    const double cosTheta = pos.cosAltitude * std::cos((pos.azimuthDeg - verticalAzimuthDeg(exposure)) * kDeg);
    const double y = std::max(0.45, 0.55 + 0.437 * cosTheta + 0.313 * cosTheta * cosTheta);
    r.cosIncidence = std::max(0.0, cosTheta);
    r.direct = idn * r.cosIncidence;
    r.diffuse = sun.C * y * idn;
    r.ground = kGroundReflectance * idn * (sun.C + pos.sinAltitude) / 2.0;
    return r;
}

}  // namespace cltd
