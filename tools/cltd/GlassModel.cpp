// Solar heat gain of the reference glass: polynomial transmittance and absorptance in cos(incidence).
#include "GlassModel.h"

namespace cltd {

namespace {

const double kT[6] = {-0.00885, 2.71235, -0.62062, -7.07329, 9.75995, -3.89922};
const double kA[6] = {0.01154, 0.77674, -3.94657, 8.57881, -8.38135, 3.01188};

double polynomial(const double (&c)[6], double x) {
    double sum = 0, power = 1;
    for (double cj : c) {
        sum += cj * power;
        power *= x;
    }
    return sum;
}

// Hemispherical (diffuse) value: 2 * sum c_j / (j + 2).
double hemispherical(const double (&c)[6]) {
    double sum = 0;
    for (int j = 0; j < 6; ++j) sum += c[j] / (j + 2);
    return 2 * sum;
}

}  // namespace

double glassTransmittance(double cosIncidence) { return cosIncidence > 0 ? polynomial(kT, cosIncidence) : 0.0; }
double glassAbsorptance(double cosIncidence) { return cosIncidence > 0 ? polynomial(kA, cosIncidence) : 0.0; }
double glassDiffuseTransmittance() { return hemispherical(kT); }
double glassDiffuseAbsorptance() { return hemispherical(kA); }

double solarHeatGain(const Irradiance& irr, double inwardFraction) {
    const double scattered = irr.diffuse + irr.ground;
    const double transmitted = glassTransmittance(irr.cosIncidence) * irr.direct + glassDiffuseTransmittance() * scattered;
    const double absorbed = glassAbsorptance(irr.cosIncidence) * irr.direct + glassDiffuseAbsorptance() * scattered;
    return transmitted + inwardFraction * absorbed;
}

}  // namespace cltd
