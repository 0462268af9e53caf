// ZkDuct curve protocol: the duct is the straight segment from start S to
// end E, its parameter the distance from S.
#include <algorithm>

#include "database/dbdatabase.h"
#include "ducts/DuctPlanGeometry.h"
#include "ducts/ZkDuct.h"

AcGeVector3d duct_geometry::currentUcsNormal() {
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    if (!db) return AcGeVector3d::kZAxis;
    AcGeVector3d normal = db->ucsxdir().crossProduct(db->ucsydir());
    return normal.isZeroLength() ? AcGeVector3d::kZAxis : normal.normal();
}

namespace {

// The unit direction of a segment; the zero vector for a degenerate one.
AcGeVector3d unitDirection(const AcGePoint3d& s, const AcGePoint3d& e) {
    AcGeVector3d d = e - s;
    return d.isZeroLength() ? AcGeVector3d() : d.normal();
}

// The point of segment s-e at distance t from s along it, t clamped to the
// segment unless extend is asked.
AcGePoint3d pointAlong(const AcGePoint3d& s, const AcGePoint3d& e, double t, bool extend) {
    const double length = (e - s).length();
    if (!extend) {
        if (t < 0.0) return s;
        if (t > length) return e;
    }
    return s + unitDirection(s, e) * t;
}

} // namespace

Acad::ErrorStatus ZkDuct::getStartParam(double& param) const {
    assertReadEnabled();
    param = 0.0;
    return Acad::eOk;
}

Acad::ErrorStatus ZkDuct::getEndParam(double& param) const {
    assertReadEnabled();
    param = (mEnd - mStart).length();
    return Acad::eOk;
}

Acad::ErrorStatus ZkDuct::getStartPoint(AcGePoint3d& point) const {
    assertReadEnabled();
    point = mStart;
    return Acad::eOk;
}

Acad::ErrorStatus ZkDuct::getEndPoint(AcGePoint3d& point) const {
    assertReadEnabled();
    point = mEnd;
    return Acad::eOk;
}

Acad::ErrorStatus ZkDuct::getPointAtParam(double param, AcGePoint3d& point) const {
    assertReadEnabled();
    point = mStart + unitDirection(mStart, mEnd) * param;
    return Acad::eOk;
}

Acad::ErrorStatus ZkDuct::getPointAtDist(double dist, AcGePoint3d& point) const {
    return getPointAtParam(dist, point);
}

Acad::ErrorStatus ZkDuct::getParamAtPoint(const AcGePoint3d& point, double& param) const {
    assertReadEnabled();
    param = (point - mStart).dotProduct(unitDirection(mStart, mEnd));
    return Acad::eOk;
}

Acad::ErrorStatus ZkDuct::getDistAtParam(double param, double& dist) const {
    assertReadEnabled();
    dist = param;
    return Acad::eOk;
}

Acad::ErrorStatus ZkDuct::getParamAtDist(double dist, double& param) const {
    assertReadEnabled();
    param = dist;
    return Acad::eOk;
}

Acad::ErrorStatus ZkDuct::getDistAtPoint(const AcGePoint3d& point, double& dist) const {
    assertReadEnabled();
    dist = mStart.distanceTo(point);
    return Acad::eOk;
}

Acad::ErrorStatus ZkDuct::getFirstDeriv(double, AcGeVector3d& deriv) const {
    assertReadEnabled();
    deriv = mEnd - mStart;
    return Acad::eOk;
}

Acad::ErrorStatus ZkDuct::getFirstDeriv(const AcGePoint3d&, AcGeVector3d& deriv) const {
    return getFirstDeriv(0.0, deriv);
}

Acad::ErrorStatus ZkDuct::getSecondDeriv(double, AcGeVector3d& deriv) const {
    assertReadEnabled();
    deriv = AcGeVector3d();
    return Acad::eOk;
}

Acad::ErrorStatus ZkDuct::getClosestPointTo(const AcGePoint3d& given, AcGePoint3d& closest, bool extend) const {
    assertReadEnabled();
    const double t = (given - mStart).dotProduct(unitDirection(mStart, mEnd));
    closest = pointAlong(mStart, mEnd, t, extend);
    return Acad::eOk;
}

// The segment and the point are projected along the direction onto the plane
// through the point; the answer is the duct's own point whose projection is
// closest to the given point.
Acad::ErrorStatus ZkDuct::getClosestPointTo(const AcGePoint3d& given, const AcGeVector3d& direction,
                                            AcGePoint3d& closest, bool extend) const {
    assertReadEnabled();
    if (direction.isZeroLength()) return Acad::eInvalidInput;
    const AcGePlane plane(given, direction.normal());
    const AcGePoint3d s = plane.closestPointTo(mStart);
    const AcGePoint3d e = plane.closestPointTo(mEnd);
    const double projectedLength = (e - s).length();
    if (projectedLength == 0.0) {
        closest = mStart;
        return Acad::eOk;
    }
    double t = (given - s).dotProduct(unitDirection(s, e));
    if (!extend) t = std::clamp(t, 0.0, projectedLength);
    closest = mStart + (mEnd - mStart) * (t / projectedLength);
    return Acad::eOk;
}

Acad::ErrorStatus ZkDuct::extend(double newParam) {
    assertWriteEnabled();
    const AcGePoint3d to = mStart + unitDirection(mStart, mEnd) * newParam;
    if (newParam < 0.0) setStartPointPlan(to);
    else setEndPointPlan(to);
    return Acad::eOk;
}

Acad::ErrorStatus ZkDuct::extend(bool extendStart, const AcGePoint3d& toPoint) {
    assertWriteEnabled();
    if (extendStart) setStartPointPlan(toPoint);
    else setEndPointPlan(toPoint);
    return Acad::eOk;
}

Acad::ErrorStatus ZkDuct::getPlane(AcGePlane& plane, AcDb::Planarity& planarity) const {
    assertReadEnabled();
    plane.set(mStart, duct_geometry::currentUcsNormal());
    planarity = AcDb::kLinear;
    return Acad::eOk;
}
