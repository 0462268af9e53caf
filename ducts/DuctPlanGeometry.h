// Plan geometry shared by the duct entity's files: the angle constants, plan
// distances, polar points and the normal of the current UCS.
#pragma once

#include <cmath>

#include "geometry/AcGe.h"

namespace duct_geometry {

// The duct graphics use pi written to eight decimals.
constexpr double kPi = 3.14159265;
// Ends closer than this in plan make a riser.
constexpr double kRiserTolerance = 0.001;

inline double planDistance(const AcGePoint3d& a, const AcGePoint3d& b) { return std::hypot(b.x - a.x, b.y - a.y); }
inline double planAngle(const AcGePoint3d& from, const AcGePoint3d& to) {
    return std::atan2(to.y - from.y, to.x - from.x);
}
// p moved by d in plan along angle; z unchanged.
inline AcGePoint3d polar(const AcGePoint3d& p, double angle, double d) {
    return AcGePoint3d(p.x + d * std::cos(angle), p.y + d * std::sin(angle), p.z);
}
// The normal of the working drawing's current UCS (x direction cross y
// direction), the world z axis without a drawing.
AcGeVector3d currentUcsNormal();

} // namespace duct_geometry
