// An unbounded plane through a point with a unit normal and in-plane axes.
#pragma once

#include "geometry/AcGePoint3d.h"

class AcGePlane {
public:
    static const AcGePlane kXYPlane;
    static const AcGePlane kYZPlane;
    static const AcGePlane kZXPlane;

    AcGePlane();
    AcGePlane(const AcGePoint3d& origin, const AcGeVector3d& normal);
    // The plane through origin spanned by the two axes.
    AcGePlane(const AcGePoint3d& origin, const AcGeVector3d& uAxis, const AcGeVector3d& vAxis);
    // The plane a*x + b*y + c*z + d = 0.
    AcGePlane(double a, double b, double c, double d);

    AcGePlane& set(const AcGePoint3d& origin, const AcGeVector3d& normal);
    AcGePoint3d pointOnPlane() const { return mOrigin; }
    AcGeVector3d normal() const { return mNormal; }
    void getCoefficients(double& a, double& b, double& c, double& d) const;
    void getCoordSystem(AcGePoint3d& origin, AcGeVector3d& axis1, AcGeVector3d& axis2) const;

    // Signed distance along the normal.
    double signedDistanceTo(const AcGePoint3d& p) const { return (p - mOrigin).dotProduct(mNormal); }
    double distanceTo(const AcGePoint3d& p) const { return std::fabs(signedDistanceTo(p)); }
    bool isOn(const AcGePoint3d& p, const AcGeTol& tol = AcGeContext::gTol) const {
        return distanceTo(p) <= tol.equalPoint();
    }
    AcGePoint3d closestPointTo(const AcGePoint3d& p) const { return p - mNormal * signedDistanceTo(p); }
    bool isParallelTo(const AcGePlane& other, const AcGeTol& tol = AcGeContext::gTol) const {
        return mNormal.isParallelTo(other.mNormal, tol);
    }
    bool isCoplanarTo(const AcGePlane& other, const AcGeTol& tol = AcGeContext::gTol) const {
        return isParallelTo(other, tol) && isOn(other.mOrigin, tol);
    }
    // Plane coordinates of a point (projected onto the plane) and back.
    AcGePoint2d paramOf(const AcGePoint3d& p) const;
    AcGePoint3d evalPoint(const AcGePoint2d& uv) const { return mOrigin + mU * uv.x + mV * uv.y; }

    AcGePlane& transformBy(const AcGeMatrix3d& m);

private:
    AcGePoint3d mOrigin;
    AcGeVector3d mNormal;
    AcGeVector3d mU;
    AcGeVector3d mV;
};
