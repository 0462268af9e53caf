// Construction, coordinates and transformation of AcGePlane.
#include "geometry/AcGePlane.h"

#include "geometry/AcGeMatrix3d.h"

const AcGePlane AcGePlane::kXYPlane(AcGePoint3d::kOrigin, AcGeVector3d::kXAxis, AcGeVector3d::kYAxis);
const AcGePlane AcGePlane::kYZPlane(AcGePoint3d::kOrigin, AcGeVector3d::kYAxis, AcGeVector3d::kZAxis);
const AcGePlane AcGePlane::kZXPlane(AcGePoint3d::kOrigin, AcGeVector3d::kZAxis, AcGeVector3d::kXAxis);

AcGePlane::AcGePlane() : AcGePlane(AcGePoint3d(0, 0, 0), AcGeVector3d(1, 0, 0), AcGeVector3d(0, 1, 0)) {}

AcGePlane::AcGePlane(const AcGePoint3d& origin, const AcGeVector3d& normal) { set(origin, normal); }

AcGePlane::AcGePlane(const AcGePoint3d& origin, const AcGeVector3d& uAxis, const AcGeVector3d& vAxis)
    : mOrigin(origin) {
    mNormal = uAxis.crossProduct(vAxis).normal();
    mU = uAxis.normal();
    mV = mNormal.crossProduct(mU).normal();
}

AcGePlane::AcGePlane(double a, double b, double c, double d) {
    const AcGeVector3d n(a, b, c);
    const double len2 = n.lengthSqrd();
    const AcGePoint3d origin = len2 > 0.0 ? AcGePoint3d::kOrigin + n * (-d / len2) : AcGePoint3d::kOrigin;
    set(origin, len2 > 0.0 ? n : AcGeVector3d::kZAxis);
}

AcGePlane& AcGePlane::set(const AcGePoint3d& origin, const AcGeVector3d& normal) {
    mOrigin = origin;
    mNormal = normal.normal();
    mU = mNormal.perpVector();
    mV = mNormal.crossProduct(mU).normal();
    return *this;
}

void AcGePlane::getCoefficients(double& a, double& b, double& c, double& d) const {
    a = mNormal.x;
    b = mNormal.y;
    c = mNormal.z;
    d = -mNormal.dotProduct(mOrigin.asVector());
}

void AcGePlane::getCoordSystem(AcGePoint3d& origin, AcGeVector3d& axis1, AcGeVector3d& axis2) const {
    origin = mOrigin;
    axis1 = mU;
    axis2 = mV;
}

AcGePoint2d AcGePlane::paramOf(const AcGePoint3d& p) const {
    const AcGeVector3d d = p - mOrigin;
    return {d.dotProduct(mU), d.dotProduct(mV)};
}

AcGePlane& AcGePlane::transformBy(const AcGeMatrix3d& m) {
    AcGeVector3d u = mU, v = mV;
    mOrigin.transformBy(m);
    u.transformBy(m);
    v.transformBy(m);
    *this = AcGePlane(mOrigin, u, v);
    return *this;
}
