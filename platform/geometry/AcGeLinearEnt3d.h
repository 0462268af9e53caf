// Straight lines and segments in space, with intersection and projection.
#pragma once

#include "geometry/AcGeLinearEnt2d.h"
#include "geometry/AcGePoint3d.h"

class AcGePlane;

class AcGeLinearEnt3d {
public:
    AcGePoint3d pointOnLine() const { return mPoint; }
    AcGeVector3d direction() const { return mVector.normal(); }
    bool isBounded() const { return mBounded; }

    bool isParallelTo(const AcGeLinearEnt3d& other, const AcGeTol& tol = AcGeContext::gTol) const {
        return mVector.isParallelTo(other.mVector, tol);
    }
    bool isPerpendicularTo(const AcGeLinearEnt3d& other, const AcGeTol& tol = AcGeContext::gTol) const {
        return mVector.isPerpendicularTo(other.mVector, tol);
    }
    bool isColinearTo(const AcGeLinearEnt3d& other, const AcGeTol& tol = AcGeContext::gTol) const;

    double paramOf(const AcGePoint3d& p) const;
    AcGePoint3d evalPoint(double param) const { return mPoint + mVector * param; }
    AcGePoint3d closestPointTo(const AcGePoint3d& p) const;
    double distanceTo(const AcGePoint3d& p) const { return p.distanceTo(closestPointTo(p)); }
    bool isOn(const AcGePoint3d& p, const AcGeTol& tol = AcGeContext::gTol) const {
        return distanceTo(p) <= tol.equalPoint();
    }

    // The single point where the two entities meet (skew lines that pass
    // within the point tolerance meet at the midpoint of their closest points).
    bool intersectWith(const AcGeLinearEnt3d& other, AcGePoint3d& result,
                       const AcGeTol& tol = AcGeContext::gTol) const {
        return intersectWith(other, result, AcGe::kOnBothOperands, tol);
    }
    bool intersectWith(const AcGeLinearEnt3d& other, AcGePoint3d& result, AcGe::Intersect mode,
                       const AcGeTol& tol = AcGeContext::gTol) const;
    // The intersection of the projections of both entities on a plane (along
    // its normal), given as a point on the plane.
    bool projIntersectWith(const AcGeLinearEnt3d& other, const AcGePlane& plane, AcGePoint3d& result,
                           AcGe::Intersect mode = AcGe::kOnBothOperands,
                           const AcGeTol& tol = AcGeContext::gTol) const;
    // Where this entity crosses a plane.
    bool intersectWith(const AcGePlane& plane, AcGePoint3d& result, const AcGeTol& tol = AcGeContext::gTol) const;

protected:
    AcGeLinearEnt3d(const AcGePoint3d& point, const AcGeVector3d& vector, bool bounded)
        : mPoint(point), mVector(vector), mBounded(bounded) {}

    AcGePoint3d mPoint;
    AcGeVector3d mVector;
    bool mBounded;
};

class AcGeLine3d : public AcGeLinearEnt3d {
public:
    static const AcGeLine3d kXAxis;
    static const AcGeLine3d kYAxis;
    static const AcGeLine3d kZAxis;

    AcGeLine3d() : AcGeLinearEnt3d(AcGePoint3d::kOrigin, AcGeVector3d::kXAxis, false) {}
    AcGeLine3d(const AcGePoint3d& point, const AcGeVector3d& direction)
        : AcGeLinearEnt3d(point, direction, false) {}
    AcGeLine3d(const AcGePoint3d& p1, const AcGePoint3d& p2) : AcGeLinearEnt3d(p1, p2 - p1, false) {}
    AcGeLine3d& set(const AcGePoint3d& point, const AcGeVector3d& direction) {
        mPoint = point;
        mVector = direction;
        return *this;
    }
};

class AcGeLineSeg3d : public AcGeLinearEnt3d {
public:
    AcGeLineSeg3d() : AcGeLinearEnt3d(AcGePoint3d::kOrigin, AcGeVector3d::kXAxis, true) {}
    AcGeLineSeg3d(const AcGePoint3d& start, const AcGePoint3d& end) : AcGeLinearEnt3d(start, end - start, true) {}
    AcGeLineSeg3d& set(const AcGePoint3d& start, const AcGePoint3d& end) {
        mPoint = start;
        mVector = end - start;
        return *this;
    }

    AcGePoint3d startPoint() const { return mPoint; }
    AcGePoint3d endPoint() const { return mPoint + mVector; }
    AcGePoint3d midPoint() const { return mPoint + mVector * 0.5; }
    double length() const { return mVector.length(); }
    AcGeLineSeg3d& reverseParam() { return set(endPoint(), startPoint()); }
    AcGeLineSeg3d& transformBy(const AcGeMatrix3d& m);
};
