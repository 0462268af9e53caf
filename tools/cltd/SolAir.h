// Design-day outdoor temperature and sol-air temperature of opaque surfaces.
#pragma once

namespace cltd {

constexpr double kIndoorTemperature = 78.0;

// Outdoor dry bulb at solar hour 1..24: 95 F maximum, 21 F daily range.
double outdoorTemperature(int solarHour);

// Sol-air temperature for total incident irradiance; longWave is the long-wave correction in F
// (subtracted; used for horizontal surfaces, 0 for vertical ones).
double solAirTemperature(int solarHour, double totalIrradiance, double longWave);

}  // namespace cltd
