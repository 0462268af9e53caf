// A position in the plane.
#pragma once

#include "geometry/AcGeVector2d.h"

class AcGePoint2d {
public:
    double x = 0.0;
    double y = 0.0;

    static const AcGePoint2d kOrigin;

    constexpr AcGePoint2d() = default;
    constexpr AcGePoint2d(double xx, double yy) : x(xx), y(yy) {}

    AcGePoint2d& set(double xx, double yy) { x = xx; y = yy; return *this; }

    double distanceTo(const AcGePoint2d& p) const { return std::hypot(x - p.x, y - p.y); }
    bool isEqualTo(const AcGePoint2d& p, const AcGeTol& tol = AcGeContext::gTol) const {
        return distanceTo(p) <= tol.equalPoint();
    }
    AcGeVector2d asVector() const { return {x, y}; }

    AcGePoint2d& rotateBy(double angle, const AcGePoint2d& wrtPoint = kOrigin);
    AcGePoint2d& scaleBy(double factor, const AcGePoint2d& wrtPoint = kOrigin);
    AcGePoint2d& transformBy(const AcGeMatrix2d& m);

    AcGePoint2d operator+(const AcGeVector2d& v) const { return {x + v.x, y + v.y}; }
    AcGePoint2d operator-(const AcGeVector2d& v) const { return {x - v.x, y - v.y}; }
    AcGeVector2d operator-(const AcGePoint2d& p) const { return {x - p.x, y - p.y}; }
    AcGePoint2d operator*(double s) const { return {x * s, y * s}; }
    AcGePoint2d operator/(double s) const { return {x / s, y / s}; }
    AcGePoint2d& operator+=(const AcGeVector2d& v) { x += v.x; y += v.y; return *this; }
    AcGePoint2d& operator-=(const AcGeVector2d& v) { x -= v.x; y -= v.y; return *this; }
    bool operator==(const AcGePoint2d& p) const { return isEqualTo(p); }
    bool operator!=(const AcGePoint2d& p) const { return !isEqualTo(p); }
    double operator[](unsigned i) const { return i == 0 ? x : y; }
    double& operator[](unsigned i) { return i == 0 ? x : y; }
};

inline AcGePoint2d operator*(double s, const AcGePoint2d& p) { return p * s; }
