// Scale factors along the three axes (block reference scales).
#pragma once

#include "geometry/AcGeMatrix3d.h"

class AcGeScale3d {
public:
    double sx = 1.0;
    double sy = 1.0;
    double sz = 1.0;

    static const AcGeScale3d kIdentity;

    constexpr AcGeScale3d() = default;
    constexpr explicit AcGeScale3d(double factor) : sx(factor), sy(factor), sz(factor) {}
    constexpr AcGeScale3d(double x, double y, double z) : sx(x), sy(y), sz(z) {}

    AcGeScale3d& set(double x, double y, double z) { sx = x; sy = y; sz = z; return *this; }
    AcGeScale3d operator*(const AcGeScale3d& s) const { return {sx * s.sx, sy * s.sy, sz * s.sz}; }
    AcGeScale3d operator*(double f) const { return {sx * f, sy * f, sz * f}; }
    bool isEqualTo(const AcGeScale3d& s, const AcGeTol& tol = AcGeContext::gTol) const {
        return std::fabs(sx - s.sx) <= tol.equalVector() && std::fabs(sy - s.sy) <= tol.equalVector() &&
               std::fabs(sz - s.sz) <= tol.equalVector();
    }
    bool operator==(const AcGeScale3d& s) const { return isEqualTo(s); }
    bool operator!=(const AcGeScale3d& s) const { return !isEqualTo(s); }
    double operator[](unsigned i) const { return i == 0 ? sx : (i == 1 ? sy : sz); }
    double& operator[](unsigned i) { return i == 0 ? sx : (i == 1 ? sy : sz); }

    // The diagonal scaling matrix.
    AcGeMatrix3d getMatrix() const {
        AcGeMatrix3d m;
        m.entry[0][0] = sx;
        m.entry[1][1] = sy;
        m.entry[2][2] = sz;
        return m;
    }
};
