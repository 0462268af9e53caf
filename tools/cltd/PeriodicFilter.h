// Two-pole, three-zero linear filter with unity gain at zero frequency, solved in 24-hour periodic steady state.
#pragma once

#include <array>

namespace cltd {

using Day = std::array<double, 24>;

// y_t = b0 u_t + b1 u_{t-1} + b2 u_{t-2} - d1 y_{t-1} - d2 y_{t-2}
struct Filter {
    double b0 = 1, b1 = 0, b2 = 0, d1 = 0, d2 = 0;
};

// Builds the filter from d1, d2, b0, b1; b2 is set so that the steady gain is exactly 1.
Filter unityGainFilter(double d1, double d2, double b0, double b1);

// Distance of the denominator from the edges of the stable region (Jury conditions); positive when
// both poles lie strictly inside the unit circle.
double stabilityMargin(const Filter& f);
// Stable with a margin that keeps the steady gain well defined (no pole near z = 1).
bool isStable(const Filter& f);

// Straight-line blend of coefficients, s = 0 gives a, s = 1 gives b. Unity gain and stability
// (the stable region of (d1, d2) is convex) carry over to every blend.
Filter blend(const Filter& a, const Filter& b, double s);

// Periodic steady-state response to one day repeated forever.
Day periodicResponse(const Filter& f, const Day& input);

double daySum(const Day& d);

}  // namespace cltd
