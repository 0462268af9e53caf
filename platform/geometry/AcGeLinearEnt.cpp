// Projection and intersection of 2D and 3D lines and segments.
#include "geometry/AcGeLinearEnt3d.h"
#include "geometry/AcGeMatrix3d.h"
#include "geometry/AcGePlane.h"

#include <algorithm>

const AcGeLine2d AcGeLine2d::kXAxis(AcGePoint2d(0, 0), AcGeVector2d(1, 0));
const AcGeLine2d AcGeLine2d::kYAxis(AcGePoint2d(0, 0), AcGeVector2d(0, 1));
const AcGeLine3d AcGeLine3d::kXAxis(AcGePoint3d(0, 0, 0), AcGeVector3d(1, 0, 0));
const AcGeLine3d AcGeLine3d::kYAxis(AcGePoint3d(0, 0, 0), AcGeVector3d(0, 1, 0));
const AcGeLine3d AcGeLine3d::kZAxis(AcGePoint3d(0, 0, 0), AcGeVector3d(0, 0, 1));

namespace {
// A parameter lies within [0, 1] of a segment of the given length, with the
// point tolerance measured along the segment.
bool withinSegment(double t, double length, const AcGeTol& tol) {
    const double slack = length > 0.0 ? tol.equalPoint() / length : 0.0;
    return t >= -slack && t <= 1.0 + slack;
}

bool mayExtendThis(AcGe::Intersect mode) { return mode == AcGe::kExtendThis || mode == AcGe::kExtendBoth; }
bool mayExtendArg(AcGe::Intersect mode) { return mode == AcGe::kExtendArg || mode == AcGe::kExtendBoth; }
}  // namespace

// ---- 2D

bool AcGeLinearEnt2d::isColinearTo(const AcGeLinearEnt2d& other, const AcGeTol& tol) const {
    if (!isParallelTo(other, tol)) return false;
    return AcGeLine2d(mPoint, mVector).isOn(other.mPoint, tol);
}

double AcGeLinearEnt2d::paramOf(const AcGePoint2d& p) const {
    const double len2 = mVector.lengthSqrd();
    return len2 > 0.0 ? (p - mPoint).dotProduct(mVector) / len2 : 0.0;
}

AcGePoint2d AcGeLinearEnt2d::closestPointTo(const AcGePoint2d& p) const {
    double t = paramOf(p);
    if (mBounded) t = std::clamp(t, 0.0, 1.0);
    return evalPoint(t);
}

bool AcGeLinearEnt2d::intersectWith(const AcGeLinearEnt2d& other, AcGePoint2d& result, AcGe::Intersect mode,
                                    const AcGeTol& tol) const {
    const AcGeVector2d d1 = mVector, d2 = other.mVector;
    const double l1 = d1.length(), l2 = d2.length();
    if (l1 <= tol.equalPoint() || l2 <= tol.equalPoint()) return false;
    const double denom = d1.crossProduct(d2);
    if (std::fabs(denom) <= tol.equalVector() * l1 * l2) return false;
    const AcGeVector2d w = other.mPoint - mPoint;
    const double t = w.crossProduct(d2) / denom;
    const double u = w.crossProduct(d1) / denom;
    if (mBounded && !mayExtendThis(mode) && !withinSegment(t, l1, tol)) return false;
    if (other.mBounded && !mayExtendArg(mode) && !withinSegment(u, l2, tol)) return false;
    result = evalPoint(t);
    return true;
}

// ---- 3D

bool AcGeLinearEnt3d::isColinearTo(const AcGeLinearEnt3d& other, const AcGeTol& tol) const {
    if (!isParallelTo(other, tol)) return false;
    return AcGeLine3d(mPoint, mVector).isOn(other.mPoint, tol);
}

double AcGeLinearEnt3d::paramOf(const AcGePoint3d& p) const {
    const double len2 = mVector.lengthSqrd();
    return len2 > 0.0 ? (p - mPoint).dotProduct(mVector) / len2 : 0.0;
}

AcGePoint3d AcGeLinearEnt3d::closestPointTo(const AcGePoint3d& p) const {
    double t = paramOf(p);
    if (mBounded) t = std::clamp(t, 0.0, 1.0);
    return evalPoint(t);
}

bool AcGeLinearEnt3d::intersectWith(const AcGeLinearEnt3d& other, AcGePoint3d& result, AcGe::Intersect mode,
                                    const AcGeTol& tol) const {
    const AcGeVector3d d1 = mVector, d2 = other.mVector;
    const double l1 = d1.length(), l2 = d2.length();
    if (l1 <= tol.equalPoint() || l2 <= tol.equalPoint()) return false;
    const AcGeVector3d n = d1.crossProduct(d2);
    const double n2 = n.lengthSqrd();
    if (std::sqrt(n2) <= tol.equalVector() * l1 * l2) return false;
    // Closest points of the two lines: mPoint + t d1 and other.mPoint + u d2.
    const AcGeVector3d w = other.mPoint - mPoint;
    const double t = w.crossProduct(d2).dotProduct(n) / n2;
    const double u = w.crossProduct(d1).dotProduct(n) / n2;
    const AcGePoint3d p1 = evalPoint(t), p2 = other.evalPoint(u);
    if (p1.distanceTo(p2) > tol.equalPoint()) return false;
    if (mBounded && !mayExtendThis(mode) && !withinSegment(t, l1, tol)) return false;
    if (other.mBounded && !mayExtendArg(mode) && !withinSegment(u, l2, tol)) return false;
    result = p1 + (p2 - p1) * 0.5;
    return true;
}

bool AcGeLinearEnt3d::projIntersectWith(const AcGeLinearEnt3d& other, const AcGePlane& plane, AcGePoint3d& result,
                                        AcGe::Intersect mode, const AcGeTol& tol) const {
    // Work in the plane's own 2D coordinates; parameters carry over to the
    // 3D entities because projection is affine.
    const AcGePoint2d a0 = plane.paramOf(mPoint), a1 = plane.paramOf(mPoint + mVector);
    const AcGePoint2d b0 = plane.paramOf(other.mPoint), b1 = plane.paramOf(other.mPoint + other.mVector);
    AcGePoint2d hit;
    bool ok;
    if (mBounded && other.mBounded) ok = AcGeLineSeg2d(a0, a1).intersectWith(AcGeLineSeg2d(b0, b1), hit, mode, tol);
    else if (mBounded) ok = AcGeLineSeg2d(a0, a1).intersectWith(AcGeLine2d(b0, b1), hit, mode, tol);
    else if (other.mBounded) ok = AcGeLine2d(a0, a1).intersectWith(AcGeLineSeg2d(b0, b1), hit, mode, tol);
    else ok = AcGeLine2d(a0, a1).intersectWith(AcGeLine2d(b0, b1), hit, mode, tol);
    if (ok) result = plane.evalPoint(hit);
    return ok;
}

bool AcGeLinearEnt3d::intersectWith(const AcGePlane& plane, AcGePoint3d& result, const AcGeTol& tol) const {
    const double along = mVector.dotProduct(plane.normal());
    const double l = mVector.length();
    if (l <= tol.equalPoint() || std::fabs(along) <= tol.equalVector() * l) return false;
    const double t = -plane.signedDistanceTo(mPoint) / along;
    if (mBounded && !withinSegment(t, l, tol)) return false;
    result = evalPoint(t);
    return true;
}

AcGeLineSeg3d& AcGeLineSeg3d::transformBy(const AcGeMatrix3d& m) {
    return set(m * startPoint(), m * endPoint());
}
