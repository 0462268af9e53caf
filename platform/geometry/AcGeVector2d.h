// A direction or displacement in the plane.
#pragma once

#include "geometry/AcGeTol.h"

#include <cmath>

class AcGeMatrix2d;

class AcGeVector2d {
public:
    double x = 0.0;
    double y = 0.0;

    static const AcGeVector2d kIdentity;
    static const AcGeVector2d kXAxis;
    static const AcGeVector2d kYAxis;

    constexpr AcGeVector2d() = default;
    constexpr AcGeVector2d(double xx, double yy) : x(xx), y(yy) {}

    AcGeVector2d& set(double xx, double yy) { x = xx; y = yy; return *this; }

    double length() const { return std::hypot(x, y); }
    double lengthSqrd() const { return x * x + y * y; }
    double dotProduct(const AcGeVector2d& v) const { return x * v.x + y * v.y; }
    // The z component of the 3D cross product.
    double crossProduct(const AcGeVector2d& v) const { return x * v.y - y * v.x; }

    // Angle from the x axis, counter-clockwise, in [0, 2pi).
    double angle() const;
    // Unsigned angle to another vector, in [0, pi].
    double angleTo(const AcGeVector2d& v) const;

    AcGeVector2d normal(const AcGeTol& tol = AcGeContext::gTol) const;
    AcGeVector2d& normalize(const AcGeTol& tol = AcGeContext::gTol);
    AcGeVector2d perpVector() const { return {-y, x}; }
    AcGeVector2d& negate() { x = -x; y = -y; return *this; }
    AcGeVector2d& rotateBy(double angle);
    AcGeVector2d& transformBy(const AcGeMatrix2d& m);

    bool isZeroLength(const AcGeTol& tol = AcGeContext::gTol) const { return length() <= tol.equalVector(); }
    bool isUnitLength(const AcGeTol& tol = AcGeContext::gTol) const { return std::fabs(length() - 1.0) <= tol.equalVector(); }
    bool isEqualTo(const AcGeVector2d& v, const AcGeTol& tol = AcGeContext::gTol) const {
        return std::hypot(x - v.x, y - v.y) <= tol.equalVector();
    }
    bool isParallelTo(const AcGeVector2d& v, const AcGeTol& tol = AcGeContext::gTol) const;
    bool isCodirectionalTo(const AcGeVector2d& v, const AcGeTol& tol = AcGeContext::gTol) const;
    bool isPerpendicularTo(const AcGeVector2d& v, const AcGeTol& tol = AcGeContext::gTol) const;

    AcGeVector2d operator-() const { return {-x, -y}; }
    AcGeVector2d operator+(const AcGeVector2d& v) const { return {x + v.x, y + v.y}; }
    AcGeVector2d operator-(const AcGeVector2d& v) const { return {x - v.x, y - v.y}; }
    AcGeVector2d operator*(double s) const { return {x * s, y * s}; }
    AcGeVector2d operator/(double s) const { return {x / s, y / s}; }
    AcGeVector2d& operator+=(const AcGeVector2d& v) { x += v.x; y += v.y; return *this; }
    AcGeVector2d& operator-=(const AcGeVector2d& v) { x -= v.x; y -= v.y; return *this; }
    AcGeVector2d& operator*=(double s) { x *= s; y *= s; return *this; }
    AcGeVector2d& operator/=(double s) { x /= s; y /= s; return *this; }
    bool operator==(const AcGeVector2d& v) const { return isEqualTo(v); }
    bool operator!=(const AcGeVector2d& v) const { return !isEqualTo(v); }
    double operator[](unsigned i) const { return i == 0 ? x : y; }
    double& operator[](unsigned i) { return i == 0 ? x : y; }
};

inline AcGeVector2d operator*(double s, const AcGeVector2d& v) { return v * s; }
