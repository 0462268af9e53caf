// Solar heat gain of the reference double-strength sheet glass (shading coefficient 1).
#pragma once

#include "SolarEngine.h"

namespace cltd {

double glassTransmittance(double cosIncidence);
double glassAbsorptance(double cosIncidence);
double glassDiffuseTransmittance();
double glassDiffuseAbsorptance();

// Heat gain per square foot of glass; inwardFraction is the share of absorbed energy that flows inward.
double solarHeatGain(const Irradiance& irr, double inwardFraction);

}  // namespace cltd
