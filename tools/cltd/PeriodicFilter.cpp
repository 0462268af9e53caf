// Periodic steady-state solution of the construction and zone filters.
#include "PeriodicFilter.h"

#include <algorithm>
#include <cmath>

namespace cltd {

Filter unityGainFilter(double d1, double d2, double b0, double b1) {
    Filter f;
    f.b0 = b0;
    f.b1 = b1;
    f.d1 = d1;
    f.d2 = d2;
    f.b2 = (1.0 + d1 + d2) - b0 - b1;
    return f;
}

double stabilityMargin(const Filter& f) {
    // Jury conditions for z^2 + d1 z + d2.
    return std::min({1.0 - std::fabs(f.d2), 1.0 + f.d1 + f.d2, 1.0 - f.d1 + f.d2});
}

bool isStable(const Filter& f) { return stabilityMargin(f) >= 0.01; }

Filter blend(const Filter& a, const Filter& b, double s) {
    auto mix = [s](double x, double y) { return x + s * (y - x); };
    return Filter{mix(a.b0, b.b0), mix(a.b1, b.b1), mix(a.b2, b.b2), mix(a.d1, b.d1), mix(a.d2, b.d2)};
}

namespace {

// One day of the recursion from the state (y_{-1}, y_{-2}); the input wraps around the day.
Day runDay(const Filter& f, const Day& u, double y1, double y2, bool withInput) {
    Day y{};
    for (int t = 0; t < 24; ++t) {
        double v = -f.d1 * y1 - f.d2 * y2;
        if (withInput) v += f.b0 * u[t] + f.b1 * u[(t + 23) % 24] + f.b2 * u[(t + 22) % 24];
        y[t] = v;
        y2 = y1;
        y1 = v;
    }
    return y;
}

}  // namespace

Day periodicResponse(const Filter& f, const Day& u) {
    // The state after a day is M s + z, with z the day's response from rest and M the free response
    // over 24 steps; the periodic state solves s = M s + z.
    const Day z = runDay(f, u, 0, 0, true);
    const Day a = runDay(f, u, 1, 0, false);
    const Day b = runDay(f, u, 0, 1, false);
    const double m11 = 1 - a[23], m12 = -b[23], m21 = -a[22], m22 = 1 - b[22];
    const double det = m11 * m22 - m12 * m21;
    const double s1 = (z[23] * m22 - m12 * z[22]) / det;
    const double s2 = (m11 * z[22] - m21 * z[23]) / det;
    return runDay(f, u, s1, s2, true);
}

double daySum(const Day& d) {
    double s = 0;
    for (double v : d) s += v;
    return s;
}

}  // namespace cltd
