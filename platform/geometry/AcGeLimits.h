// The range of numbers drawings accept. Beyond ±1e100 the product of two
// values (a squared distance, a cross product) could overflow, so such
// values, NaN and the infinities are refused where they enter: drawing
// files and entities made from AutoLISP.
#pragma once

#include <cmath>

inline constexpr double kAcGeMaxCoordinate = 1e100;

inline bool acgeIsUsableNumber(double value)
{
    return std::isfinite(value) && std::fabs(value) <= kAcGeMaxCoordinate;
}
