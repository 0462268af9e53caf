// Design-day outdoor temperature and sol-air temperature of opaque surfaces.
#include "SolAir.h"

namespace cltd {

namespace {

// Fraction of the daily range below the maximum, solar hours 1 to 24.
const double kDailyRangeFraction[24] = {0.87, 0.92, 0.96, 0.99, 1.00, 0.98, 0.93, 0.84, 0.71, 0.56, 0.39, 0.23,
                                        0.11, 0.03, 0.00, 0.03, 0.10, 0.21, 0.34, 0.47, 0.58, 0.68, 0.76, 0.82};
constexpr double kMaximum = 95.0;
constexpr double kDailyRange = 21.0;
constexpr double kAbsorptanceOverFilm = 0.30;  // dark surface, F ft2 h/Btu

}  // namespace

double outdoorTemperature(int solarHour) { return kMaximum - kDailyRange * kDailyRangeFraction[solarHour - 1]; }

double solAirTemperature(int solarHour, double totalIrradiance, double longWave) {
    return outdoorTemperature(solarHour) + kAbsorptanceOverFilm * totalIrradiance - longWave;
}

}  // namespace cltd
