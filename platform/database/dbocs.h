// Object coordinate systems: planar entities file their points in the
// arbitrary axis system of their normal (x axis by the 1/64 rule); these
// convert between it and world coordinates.
#pragma once

#include <cmath>
#include <numbers>

#include "geometry/AcGe.h"

inline AcGePoint3d ocsToWorld(const AcGeVector3d& normal, const AcGePoint3d& p) {
    return AcGePoint3d(p).transformBy(AcGeMatrix3d::planeToWorld(normal));
}
inline AcGePoint3d worldToOcs(const AcGeVector3d& normal, const AcGePoint3d& p) {
    return AcGePoint3d(p).transformBy(AcGeMatrix3d::worldToPlane(normal));
}
// The unit normal a transform gives a plane (a zero result keeps the old one).
inline AcGeVector3d transformedNormal(const AcGeMatrix3d& xform, const AcGeVector3d& normal) {
    AcGeVector3d n = xform * normal;
    return n.isZeroLength() ? normal : n.normal();
}
// An angle brought into [0, 2pi).
inline double normalizedAngle(double a) {
    constexpr double kTwoPi = 2.0 * std::numbers::pi;
    a = std::fmod(a, kTwoPi);
    return a < 0.0 ? a + kTwoPi : a;
}
