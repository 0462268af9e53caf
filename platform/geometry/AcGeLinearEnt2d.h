// Straight lines and segments in the plane, with intersection, projection and
// the extend modes used when curves are intersected.
#pragma once

#include "geometry/AcGePoint2d.h"

namespace AcGe {
// Which operands of an intersection may be extended beyond their ends (same
// values as the database's AcDb::Intersect).
enum Intersect { kOnBothOperands = 0, kExtendThis = 1, kExtendArg = 2, kExtendBoth = 3 };
}  // namespace AcGe

// Common part of unbounded lines and bounded segments: a point and a
// direction (for segments, start and end - start).
class AcGeLinearEnt2d {
public:
    AcGePoint2d pointOnLine() const { return mPoint; }
    // Unit direction.
    AcGeVector2d direction() const { return mVector.normal(); }
    bool isBounded() const { return mBounded; }

    bool isParallelTo(const AcGeLinearEnt2d& other, const AcGeTol& tol = AcGeContext::gTol) const {
        return mVector.isParallelTo(other.mVector, tol);
    }
    bool isPerpendicularTo(const AcGeLinearEnt2d& other, const AcGeTol& tol = AcGeContext::gTol) const {
        return mVector.isPerpendicularTo(other.mVector, tol);
    }
    // Both lie on one unbounded line.
    bool isColinearTo(const AcGeLinearEnt2d& other, const AcGeTol& tol = AcGeContext::gTol) const;

    // Parameter of the projection of p (0 at the start, 1 at the end of a segment).
    double paramOf(const AcGePoint2d& p) const;
    AcGePoint2d evalPoint(double param) const { return mPoint + mVector * param; }
    // The nearest point of this entity (clamped to the ends of a segment).
    AcGePoint2d closestPointTo(const AcGePoint2d& p) const;
    double distanceTo(const AcGePoint2d& p) const { return p.distanceTo(closestPointTo(p)); }
    bool isOn(const AcGePoint2d& p, const AcGeTol& tol = AcGeContext::gTol) const {
        return distanceTo(p) <= tol.equalPoint();
    }

    // The single intersection point within both entities; false for parallel
    // (including overlapping) entities or when it misses a segment.
    bool intersectWith(const AcGeLinearEnt2d& other, AcGePoint2d& result,
                       const AcGeTol& tol = AcGeContext::gTol) const {
        return intersectWith(other, result, AcGe::kOnBothOperands, tol);
    }
    // The same, letting this entity and/or the other extend beyond their ends.
    bool intersectWith(const AcGeLinearEnt2d& other, AcGePoint2d& result, AcGe::Intersect mode,
                       const AcGeTol& tol = AcGeContext::gTol) const;

protected:
    AcGeLinearEnt2d(const AcGePoint2d& point, const AcGeVector2d& vector, bool bounded)
        : mPoint(point), mVector(vector), mBounded(bounded) {}

    AcGePoint2d mPoint;
    AcGeVector2d mVector;
    bool mBounded;
};

class AcGeLine2d : public AcGeLinearEnt2d {
public:
    static const AcGeLine2d kXAxis;
    static const AcGeLine2d kYAxis;

    AcGeLine2d() : AcGeLinearEnt2d(AcGePoint2d::kOrigin, AcGeVector2d::kXAxis, false) {}
    AcGeLine2d(const AcGePoint2d& point, const AcGeVector2d& direction)
        : AcGeLinearEnt2d(point, direction, false) {}
    AcGeLine2d(const AcGePoint2d& p1, const AcGePoint2d& p2) : AcGeLinearEnt2d(p1, p2 - p1, false) {}
    AcGeLine2d& set(const AcGePoint2d& point, const AcGeVector2d& direction) {
        mPoint = point;
        mVector = direction;
        return *this;
    }
};

class AcGeLineSeg2d : public AcGeLinearEnt2d {
public:
    AcGeLineSeg2d() : AcGeLinearEnt2d(AcGePoint2d::kOrigin, AcGeVector2d::kXAxis, true) {}
    AcGeLineSeg2d(const AcGePoint2d& start, const AcGePoint2d& end) : AcGeLinearEnt2d(start, end - start, true) {}
    AcGeLineSeg2d& set(const AcGePoint2d& start, const AcGePoint2d& end) {
        mPoint = start;
        mVector = end - start;
        return *this;
    }

    AcGePoint2d startPoint() const { return mPoint; }
    AcGePoint2d endPoint() const { return mPoint + mVector; }
    AcGePoint2d midPoint() const { return mPoint + mVector * 0.5; }
    double length() const { return mVector.length(); }
    AcGeLineSeg2d& reverseParam() { return set(endPoint(), startPoint()); }
};
